#pragma once

#include "raster.h"

namespace floebound::tools {

// The banner over the field once the last cow of a level has tipped, 256 by
// 128 and transparent around its panel.
Raster draw_victory_banner();

constexpr int kVictoryWidth = 256;
constexpr int kVictoryHeight = 128;

}  // namespace floebound::tools
