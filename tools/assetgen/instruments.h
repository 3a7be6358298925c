#pragma once

#include <cstdint>

#include "audio.h"

namespace floebound::tools {

// The band that plays both tunes.
enum class Voice {
    bell,        // glassy melody bell
    pad,         // slow detuned string pad
    harp,        // soft plucked arpeggio
    lead,        // bouncy filtered pulse
    marimba,     // short wooden chord stabs
    bass,        // round sine bass
    pluck_bass,  // snappy filtered saw bass
    kick,
    snare,
    brush,  // soft snare for quiet passages
    hat,
    shaker,  // high jingly shaker
};

struct Strike {
    double hz;
    double gate_seconds;  // how long the key is held
    float velocity;       // 0..1
    std::uint32_t seed;   // for the noise in drums
};

// One note, mono, starting and ending at silence; it lasts as long as it rings.
Audio play(Voice voice, const Strike& strike, int sample_rate);

}  // namespace floebound::tools
