#pragma once

#include "raster.h"

namespace floebound::tools {

// The drawings on the intro pictures, each on its own transparent square of
// `size` pixels.

// The studio's emblem: kelp swaying over waves in a round badge.
Raster draw_kelp_emblem(int size);

// A black and white cow standing side-on, facing left, a little startled.
Raster draw_cow(int size);

}  // namespace floebound::tools
