#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG reader for the generated pictures, written on libpng's own reading
// interface, independently of the generator's writer. Throws
// std::runtime_error on a malformed file.
struct Picture {
    int width = 0;
    int height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    std::vector<std::uint8_t> rgba;   // as stored when the file is 8-bit RGBA
    std::vector<std::string> chunks;  // chunk types in file order

    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Picture decode_png(const std::vector<std::uint8_t>& bytes);
Picture read_png(const std::string& path);
