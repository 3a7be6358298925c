#pragma once

#include <vector>

#include "named_picture.h"

namespace floebound::tools {

// The supply counters in the corner of the screen, 32 by 32: one token per
// penguin, skateboard and goat, bright while still available ("ONs") and dim
// once used ("OFFs"). The game blends them by alpha only 8 pixels apart, so
// each token is a narrow upright figure with a dark outline in the picture's
// first kHudTokenWidth columns and the rest is clear: a row of them reads as
// a row of separate figures, over sky and snow alike.
std::vector<NamedPicture> draw_hud_icons();

constexpr int kHudIconSize = 32;
constexpr int kHudTokenWidth = 8;

}  // namespace floebound::tools
