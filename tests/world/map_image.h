#pragma once

#include "media/image.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// A picture in test memory, laid out as load_image lays one out. The buffer's
// margin beyond width and height holds junk, so a reader that strides rows by
// the picture's width instead of the buffer's shows up.
class MapImage {
public:
    MapImage(int width, int height, int tex_width = 0, int tex_height = 0)
        : pixels_(static_cast<std::size_t>(tex_width ? tex_width : width) * (tex_height ? tex_height : height),
                  0xa5a5a5a5u),
          image_{tex_width ? tex_width : width, tex_height ? tex_height : height, width, height, 0, 0,
                 pixels_.data(), 0} {}
    MapImage(const MapImage&) = delete;
    MapImage& operator=(const MapImage&) = delete;

    void set(int c, int r, std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha) {
        const std::uint8_t bytes[4] = {red, green, blue, alpha};
        std::memcpy(&pixels_[index(c, r)], bytes, sizeof bytes);
    }
    // Red, blue and alpha vary from pixel to pixel: nothing may read them as height.
    void set_green(int c, int r, int green) {
        set(c, r, static_cast<std::uint8_t>(37 * c + 11 * r), static_cast<std::uint8_t>(green),
            static_cast<std::uint8_t>(200 - 13 * r), static_cast<std::uint8_t>(c * r));
    }
    template <class Green>
    void fill(Green green) {
        for (int r = 0; r < image_.height; ++r)
            for (int c = 0; c < image_.width; ++c) set_green(c, r, green(c, r));
    }

    std::uint32_t pixel(int c, int r) const { return pixels_[index(c, r)]; }
    const floebound::Image& image() const { return image_; }

private:
    std::size_t index(int c, int r) const { return c + static_cast<std::size_t>(r) * image_.tex_width; }

    std::vector<std::uint32_t> pixels_;
    floebound::Image image_;
};
