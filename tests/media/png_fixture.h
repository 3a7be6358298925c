#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A PNG file described sample by sample, for tests to write with libpng in
// whatever colour type, bit depth and interlacing they need.
struct PngPicture {
    int width = 1;
    int height = 1;
    int colour_type = PNG_COLOR_TYPE_RGB;
    int bit_depth = 8;
    bool interlaced = false;
    // One value per sample, row by row, channels in file order (grey, grey and
    // alpha, palette index, RGB or RGBA), each within the bit depth.
    std::vector<unsigned> samples;
    std::vector<png_color> palette;
    // Transparency: the alphas of the first palette entries, or for grey and
    // RGB files the one colour that is transparent.
    std::vector<png_byte> palette_alpha;
    std::optional<png_color_16> transparent_colour;
    // Written as a tEXt chunk before the pixel data when not empty.
    std::string comment;
};

// An RGBA picture of one colour throughout.
PngPicture solid_png(int width, int height, const std::array<std::uint8_t, 4>& rgba);

// Samples per pixel of a PNG colour type.
int channels_of(int colour_type);

// Writes the picture; false when the file cannot be created or libpng refuses
// the description.
bool write_png(const std::string& path, const PngPicture& picture);

