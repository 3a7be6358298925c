#pragma once

#include "binary_io.h"
#include "raster.h"

namespace floebound::tools {

// An 8-bit RGBA PNG. The same picture always gives the same bytes: no time
// stamp and fixed compression settings. Throws std::invalid_argument for an
// empty picture or one whose pixel buffer does not match its size, and
// std::runtime_error if libpng fails.
Bytes encode_png(const Raster& image);

}  // namespace floebound::tools
