#pragma once

#include <cstdint>

namespace floebound {

// Dumps of 32-bit pixels (bytes red, green, blue, alpha in memory order) to
// picture files. The pixel of row r, column x is pixels[r * stride + x].
// Both give true only when the whole file was written and closed; a file that
// cannot be made, a side outside 1 to 65535, a stride below the width or a
// failed write gives false.

// Uncompressed 24-bit TGA, bottom row first, alpha dropped.
bool save_tga(const char* path, const std::uint32_t* pixels, int width, int height, int stride);

// 8-bit RGB, or RGBA with `with_alpha`, top row first.
bool save_png(const char* path, const std::uint32_t* pixels, int width, int height, int stride, bool with_alpha);

}  // namespace floebound
