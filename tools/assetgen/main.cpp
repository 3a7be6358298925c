// Writes every asset of the game into the game folder given as the only
// argument. Everything is synthesised or drawn here, deterministically, so no
// hand-made binary file lives in the repository.

#include <cstdio>
#include <exception>
#include <filesystem>

#include "bmp_writer.h"
#include "icon_art.h"
#include "mp3_encoder.h"
#include "music.h"
#include "ogg_encoder.h"
#include "sfx.h"
#include "wav_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWindowIconSize = 32;

void write_icon(const fs::path& data) { write_file(data / "icon.bmp", encode_bmp24(draw_penguin_icon(kWindowIconSize))); }

void write_sound_effects(const fs::path& data) {
    fs::create_directories(data / "sfx");
    for (const NamedSound& effect : make_sound_effects()) write_file(data / "sfx" / effect.file_name, encode_wav(effect.audio));
}

void write_music(const fs::path& data) {
    write_file(data / "song.ogg", encode_ogg_vorbis(compose_intro_song(), 0.4f, "Floebound intro"));
    write_file(data / "puzzletheme.mp3", encode_mp3(compose_puzzle_theme(), 128));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
        return 2;
    }
    try {
        const fs::path data = fs::path(argv[1]) / "data";
        fs::create_directories(data);
        write_icon(data);
        write_sound_effects(data);
        write_music(data);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
