#pragma once

#include "raster.h"

namespace floebound::tools {

// The game's emblem, a penguin head on ice, drawn at size x size pixels. One
// drawing serves the 32 px window icon and the larger desktop icons.
Raster draw_penguin_icon(int size);

}  // namespace floebound::tools
