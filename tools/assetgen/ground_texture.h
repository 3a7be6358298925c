#pragma once

#include "raster.h"

namespace floebound::tools {

// The ground's texture: packed snow with a faint icy sheen, opaque, 256 by
// 256, repeating seamlessly in both directions. Every terrain cell shows the
// whole picture (mirrored in every other cell), lit and tinted white by the
// game, so it stays bright and low in contrast.
Raster draw_ground_texture();

}  // namespace floebound::tools
