#pragma once

#include <memory>

namespace floebound {

// A picture as 32-bit RGBA pixels (bytes in the order red, green, blue, alpha)
// in a buffer whose sides are powers of two, ready to become a texture. The
// picture fills the top-left width by height corner; rows run top to bottom,
// each tex_width pixels long. A loaded or blank image comes in an ImageHandle,
// which releases record and pixels with free_image; a plain Image may also
// describe pixels someone else owns.
struct Image {
    int tex_width;
    int tex_height;
    int width;
    int height;
    int swizzled;  // set only by the texture memory budget
    int in_vram;   // pixels live in the texture memory window, not on the heap
    unsigned int* pixels;
    unsigned int texture;  // OpenGL name once made into a texture, else 0
};

struct ImageRelease {
    void operator()(Image* image) const;  // free_image
};

using ImageHandle = std::unique_ptr<Image, ImageRelease>;

// Reads a PNG file of at most 1024 by 1024 pixels, of any colour type, bit depth
// and interlacing. Null on any failure: silently when the file does not open,
// else with "Couldn't load %s (%08x)\n" (path, record address); for a damaged
// file libpng's reason follows the address, as ": %s". Prints "Loaded %s (%08x)\n"
// on success and "PNGERROR: %s\n" for each libpng warning.
[[nodiscard]] ImageHandle load_image(const char* path);

// The smallest power of two not below n, for n from 0 to 1024; 0 gives 1.
int next_power_of_two(int n);

}  // namespace floebound
