#pragma once

#include <map>

struct _Mix_Music;
struct Mix_Chunk;

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

// All music and effects, loaded once and kept for the whole run. A handle is
// null when its file could not be loaded.
struct SoundBank {
    std::map<SoundId, _Mix_Music*> music;
    std::map<SoundId, Mix_Chunk*> effects;
};

// The one bank; the first call loads every file. Needs an open audio device.
SoundBank& sound_bank();

// Replaces the playing track with this one, looping forever.
void play_music(SoundId id);

// Plays an effect once on the first free mixing channel.
void play_sound(SoundId id);

// Silences or restores all music and effects, whatever plays now or later.
void set_muted(bool muted);
