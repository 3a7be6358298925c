#include "media/sound.h"

#include "app/game_folder.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

namespace {

struct SoundFile {
    SoundId id;
    const char* path;
};

constexpr SoundFile music_files[] = {
    {SoundId::song, "data/song.ogg"},
    {SoundId::puzzle_theme, "data/puzzletheme.mp3"},
};

constexpr SoundFile effect_files[] = {
    {SoundId::turn, "data/sfx/turn.wav"},
    {SoundId::tipped, "data/sfx/tipped.wav"},
    {SoundId::falling, "data/sfx/falling.wav"},
    {SoundId::push, "data/sfx/push.wav"},
    {SoundId::next, "data/sfx/next.wav"},
    {SoundId::select, "data/sfx/select.wav"},
};

SoundBank* load_sound_bank() {
    auto* bank = new SoundBank;
    for (const SoundFile& file : music_files) bank->music[file.id] = Mix_LoadMUS(game_file(file.path).c_str());
    for (const SoundFile& file : effect_files) {
        SDL_RWops* stream = SDL_RWFromFile(game_file(file.path).c_str(), "rb");
        bank->effects[file.id] = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    }
    return bank;
}

}  // namespace

SoundBank& sound_bank() {
    // Lives until the process ends; the mixer may still be playing at exit.
    static SoundBank* bank = load_sound_bank();
    return *bank;
}

void play_music(SoundId id) {
    Mix_Music* music = sound_bank().music[id];
    if (music) Mix_PlayMusic(music, -1);
}

void play_sound(SoundId id) {
    Mix_Chunk* chunk = sound_bank().effects[id];
    if (chunk) Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

void set_muted(bool muted) {
    const int volume = muted ? 0 : MIX_MAX_VOLUME;
    Mix_VolumeMusic(volume);
    Mix_Volume(-1, volume);
}
