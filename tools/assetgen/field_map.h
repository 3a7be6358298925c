#pragma once

#include "raster.h"

namespace floebound::tools {

// The ground's height map, 16 by 16 grid points 64 world units apart with
// point (8, 8) at the world origin; green minus 128 is the height. Points 4
// to 12 in both directions, the corners of the 8 by 8 playing field, are
// exactly 128 (flat); around them the snow rises into banks and sinks into
// hollows, never exactly flat, so the game draws grid lines only on the field.
Raster draw_field_height_map();

}  // namespace floebound::tools
