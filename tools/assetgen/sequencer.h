#pragma once

#include <vector>

#include "audio.h"
#include "instruments.h"

namespace floebound::tools {

struct Note {
    double beat;    // from the start of the piece
    double length;  // in beats, how long the key is held
    int pitch;      // MIDI note number
    float velocity;
    Voice voice;
    float pan = 0.0f;   // -1 left .. +1 right
    float echo = 0.0f;  // how much goes to the echo
};

struct Score {
    double tempo_bpm = 120.0;
    int beats_per_bar = 4;
    int bars = 0;
    double swing = 0.0;  // beats by which off-beat eighths are late
    double echo_beats = 0.75;
    float echo_feedback = 0.3f;
    std::vector<Note> notes;
};

// Renders exactly `bars` bars of stereo. Anything still ringing at the end
// (note tails, echoes) wraps round to the start, so the buffer loops without
// a seam.
Audio render_loop(const Score& score, int sample_rate);

}  // namespace floebound::tools
