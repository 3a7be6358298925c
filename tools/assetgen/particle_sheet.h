#pragma once

#include "raster.h"

namespace floebound::tools {

// The particles' sprite sheet, 4 by 4 cells counted row by row from the top
// left: cell 8 a flame, cell 15 a puff of smoke, a few spare soft shapes, the
// rest empty. White on transparent, since the game tints each particle.
Raster draw_particle_sheet();

}  // namespace floebound::tools
