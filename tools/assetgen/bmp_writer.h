#pragma once

#include "binary_io.h"
#include "raster.h"

namespace floebound::tools {

// An uncompressed 24-bit BMP (the form SDL_LoadBMP reads everywhere). Alpha is
// dropped, so the image should be opaque.
Bytes encode_bmp24(const Raster& image);

}  // namespace floebound::tools
