// Writes every asset of the game into the game folder given as the only
// argument. Everything is synthesised or drawn here, deterministically (only
// the font is copied from the system), so no hand-made binary file lives in
// the repository.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

#include "bmp_writer.h"
#include "desktop_icons.h"
#include "field_map.h"
#include "field_markers.h"
#include "ground_texture.h"
#include "hud_icons.h"
#include "icon_art.h"
#include "intro_pictures.h"
#include "kind_buttons.h"
#include "model_asset.h"
#include "mp3_encoder.h"
#include "music.h"
#include "ogg_encoder.h"
#include "particle_sheet.h"
#include "png_writer.h"
#include "popup_buttons.h"
#include "scenery_models.h"
#include "sfx.h"
#include "text_render.h"
#include "victory_banner.h"
#include "wav_writer.h"

using namespace floebound::tools;

namespace fs = std::filesystem;

namespace {

constexpr int kWindowIconSize = 32;

void write_icon(const fs::path& data) { write_file(data / "icon.bmp", encode_bmp24(draw_penguin_icon(kWindowIconSize))); }

void write_sound_effects(const fs::path& data) {
    fs::create_directories(data / "sfx");
    for (const NamedSound& effect : make_sound_effects()) write_file(data / "sfx" / effect.file_name, encode_wav(effect.audio));
}

void write_particle_sheet(const fs::path& data) { write_file(data / "particle.png", encode_png(draw_particle_sheet())); }

void write_ground(const fs::path& data) {
    write_file(data / "field.png", encode_png(draw_field_height_map()));
    write_file(data / "grass4.png", encode_png(draw_ground_texture()));
}

void write_pictures(const fs::path& folder, const std::vector<NamedPicture>& pictures) {
    for (const NamedPicture& picture : pictures) {
        fs::create_directories((folder / picture.path).parent_path());
        write_file(folder / picture.path, encode_png(picture.picture));
    }
}

// The game draws its HUD text with the same face the pictures were lettered in.
void write_font(const fs::path& data) {
    fs::copy_file(kVeraFontPath, data / "vera.ttf", fs::copy_options::overwrite_existing);
}

void write_music(const fs::path& data) {
    write_file(data / "song.ogg", encode_ogg_vorbis(compose_intro_song(), 0.4f, "Floebound intro"));
    write_file(data / "puzzletheme.mp3", encode_mp3_loop(compose_puzzle_theme(), 128));
}

// Each model goes into its own folder under models/, beside its skin, which
// lies where the model file's skin name says.
void write_model(const fs::path& game, const char* model_file, const ModelAsset& asset) {
    const fs::path skin = game / asset.mesh.skin_name;
    fs::create_directories(skin.parent_path());
    write_file(skin.parent_path() / model_file, encode_md2(asset.mesh));
    write_file(skin, encode_png(asset.skin));
}

void write_models(const fs::path& game) {
    write_model(game, "tris.md2", make_penguin());
    write_model(game, "tris.md2", make_cow());
    write_model(game, "tris.md2", make_shrub());
    write_model(game, "tris.md2", make_tuna());
    write_model(game, "tris.md2", make_bucket());
    write_model(game, "board.md2", make_skateboard());
}

// Each scenery model's pictures go into a folder named after it, beside its
// OBJ and MTL files.
void write_scenery(const fs::path& game) {
    for (const SceneryModel& model : make_scenery_models()) {
        const fs::path base = game / "models" / model.name;
        fs::create_directories(base);
        write_file(base.string() + ".obj", Bytes(model.obj.begin(), model.obj.end()));
        write_file(base.string() + ".mtl", Bytes(model.mtl.begin(), model.mtl.end()));
        write_pictures(base, model.pictures);
    }
    write_file(game / "data" / "detail.png", encode_png(draw_detail_texture()));
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
        write_particle_sheet(data);
        write_ground(data);
        write_pictures(data, draw_popup_buttons());
        write_pictures(data, draw_kind_buttons());
        write_pictures(data, draw_intro_pictures());
        write_pictures(data, draw_field_markers());
        write_pictures(data, draw_goat_squares());
        write_pictures(data, draw_hud_icons());
        write_file(data / "Victory.png", encode_png(draw_victory_banner()));
        write_font(data);
        write_models(argv[1]);
        write_scenery(argv[1]);
        write_pictures(fs::path(argv[1]) / "icons", draw_desktop_icons());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
