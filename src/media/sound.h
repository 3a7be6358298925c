#pragma once

#include <map>

struct _Mix_Music;
struct Mix_Chunk;

namespace floebound {

// Every sound by number; music and effects share the numbering.
enum class SoundId : int {
    song = 0,          // music: intro
    puzzle_theme = 1,  // music: play
    turn = 2,
    tipped = 3,
    falling = 4,
    push = 5,
    select = 6,
    next = 7,
};

// All music and effects of the game folder, loaded when the bank is made and
// freed with it. Needs an open audio device for as long as it lives.
class SoundBank {
public:
    SoundBank();
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // The loaded track or effect; null when its file could not be loaded or
    // the id names none.
    _Mix_Music* music(SoundId id) const;
    Mix_Chunk* effect(SoundId id) const;

    // Replaces the playing track with this one, looping forever.
    void play_music(SoundId id) const;

    // Plays an effect once on the first free mixing channel.
    void play(SoundId id) const;

private:
    std::map<SoundId, _Mix_Music*> music_;
    std::map<SoundId, Mix_Chunk*> effects_;
};

// Silences or restores all music and effects, whatever plays now or later.
void set_muted(bool muted);

}  // namespace floebound
