#pragma once

#include <string>
#include <vector>

#include "audio.h"

namespace floebound::tools {

struct NamedSound {
    std::string file_name;
    Audio audio;
};

// The game's six effects (turn, tipped, falling, push, select, next), mono at
// 22050 Hz, each rising from and settling back to silence.
std::vector<NamedSound> make_sound_effects();

}  // namespace floebound::tools
