#pragma once

#include <vector>

#include "named_picture.h"

// The supply counters in the corner of the screen, 32 by 32: one token per
// penguin, skateboard and goat, bright while still available ("ONs") and dim
// once used ("OFFs"). The game adds them onto the view (black shows nothing)
// and sets them only 8 pixels apart, so each token is a narrow upright figure
// in the picture's first kHudTokenWidth columns and the rest is black: a row
// of them reads as a row of separate figures.
std::vector<NamedPicture> draw_hud_icons();

constexpr int kHudIconSize = 32;
constexpr int kHudTokenWidth = 7;
