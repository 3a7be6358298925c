#include "media/sound.h"

#include "app/game_folder.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

namespace floebound {

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

template <typename Handle>
Handle* find(const std::map<SoundId, Handle*>& handles, SoundId id) {
    const auto found = handles.find(id);
    return found == handles.end() ? nullptr : found->second;
}

}  // namespace

SoundBank::SoundBank() {
    for (const SoundFile& file : music_files) music_[file.id] = Mix_LoadMUS(game_file(file.path).c_str());
    for (const SoundFile& file : effect_files) {
        SDL_RWops* stream = SDL_RWFromFile(game_file(file.path).c_str(), "rb");
        effects_[file.id] = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    }
}

SoundBank::~SoundBank() {
    // The mixer stops whatever still plays one of them before it lets go.
    for (const auto& [id, music] : music_)
        if (music) Mix_FreeMusic(music);
    for (const auto& [id, chunk] : effects_)
        if (chunk) Mix_FreeChunk(chunk);
}

Mix_Music* SoundBank::music(SoundId id) const { return find(music_, id); }

Mix_Chunk* SoundBank::effect(SoundId id) const { return find(effects_, id); }

void SoundBank::play_music(SoundId id) const {
    if (Mix_Music* track = music(id)) Mix_PlayMusic(track, -1);
}

void SoundBank::play(SoundId id) const {
    if (Mix_Chunk* chunk = effect(id)) Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

void set_muted(bool muted) {
    const int volume = muted ? 0 : MIX_MAX_VOLUME;
    Mix_VolumeMusic(volume);
    Mix_Volume(-1, volume);
}

}  // namespace floebound
