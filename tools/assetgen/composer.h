#pragma once

#include <vector>

#include "random.h"
#include "sequencer.h"

namespace floebound::tools {

// Harmony and melody helpers shared by the tunes.

struct Chord {
    int root;                    // MIDI pitch
    std::vector<int> intervals;  // semitones above the root, starting with 0
};

Chord major(int root);
Chord minor(int root);
Chord major_seventh(int root);
Chord minor_seventh(int root);

bool contains_pitch_class(const std::vector<int>& pitch_classes, int pitch);
std::vector<int> pitch_classes(const Chord& chord);

// A key as its seven pitch classes, lowest first.
struct Scale {
    std::vector<int> pitch_classes;
};

Scale major_scale(int tonic);
Scale minor_scale(int tonic);

// The scale with each chord tone it lacks put in place of the scale note a
// semitone away, so a major V chord in a minor key borrows its leading note.
Scale fit_to_chord(const Scale& scale, const Chord& chord);

// The chord tone nearest `pitch`; ties go the way of `prefer_up`.
int nearest_chord_tone(const Chord& chord, int pitch, bool prefer_up);

// The first chord tone strictly above (direction > 0) or below `pitch`.
int chord_tone_beyond(const Chord& chord, int pitch, int direction);

// Moves `degrees` scale steps from `pitch` (snapped into the scale first).
int step_in_scale(const Scale& scale, int pitch, int degrees);

// Every chord tone from `lowest` up to and including `highest`, ascending.
std::vector<int> chord_tones_between(const Chord& chord, int lowest, int highest);

// A pitch of the chord's root class within [lowest, lowest + 12).
int root_at_or_above(const Chord& chord, int lowest);

struct Hit {
    double beat;    // within the motif
    double length;  // in beats
};
using RhythmCell = std::vector<Hit>;  // one bar

// A melodic idea: a rhythm and the scale steps between its notes. Played
// again over other chords it bends to fit them, so repeats vary naturally.
struct Motif {
    std::vector<Hit> rhythm;
    std::vector<int> steps;
};

// A two-bar motif: an opening bar, then a closing bar that comes to rest.
Motif make_motif(Xorshift& rng, const std::vector<RhythmCell>& openings, const std::vector<RhythmCell>& closings);

// The same rhythm with the contour turned upside down: an answer phrase.
Motif inverted(const Motif& motif);

struct MelodyStyle {
    Voice voice;
    int lowest, highest;  // range, MIDI
    float velocity;
    double gate;  // fraction of each note's length the key is held
    float pan, echo;
};

// Adds the motif from `first_bar`, fitting each note to that bar's chord.
// `pitch` carries the melody's last note on to the next motif.
void play_motif(Score& score, const Motif& motif, int first_bar, const std::vector<Chord>& progression,
                const Scale& key, const MelodyStyle& style, int& pitch, Xorshift& rng);

}  // namespace floebound::tools
