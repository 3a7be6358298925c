#include "media/image_writers.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace floebound {

namespace {

// TGA keeps each side in 16 bits; PNG is held to the same.
constexpr int max_side = 65535;

bool fits(const std::uint32_t* pixels, int width, int height, int stride) {
    return pixels && width >= 1 && height >= 1 && width <= max_side && height <= max_side && stride >= width;
}

void put_le16(unsigned char* at, int value) {
    at[0] = static_cast<unsigned char>(value & 0xff);
    at[1] = static_cast<unsigned char>((value >> 8) & 0xff);
}

// One pixel's red, green, blue and alpha bytes.
void pixel_bytes(const std::uint32_t* pixels, std::size_t index, unsigned char rgba[4]) {
    std::memcpy(rgba, &pixels[index], 4);
}

// Closes the file whatever happened, so that a failed write leaves no handle behind.
bool close_after(std::FILE* file, bool written) {
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

[[noreturn]] void abandon_save(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Rows are built in `row` before the jump point, so nothing here needs a destructor.
bool encode_png(png_structp png, png_infop info, std::FILE* file, const std::uint32_t* pixels, int width,
                int height, int stride, bool with_alpha, unsigned char* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 with_alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = with_alpha ? 4 : 3;
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < width; ++x) {
            unsigned char rgba[4];
            pixel_bytes(pixels, static_cast<std::size_t>(r) * stride + x, rgba);
            std::memcpy(row + static_cast<std::size_t>(x) * channels, rgba, channels);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool save_tga(const char* path, const std::uint32_t* pixels, int width, int height, int stride) {
    if (!fits(pixels, width, height, stride)) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    unsigned char header[18] = {};
    header[2] = 2;  // uncompressed true colour
    put_le16(header + 12, width);
    put_le16(header + 14, height);
    header[16] = 24;
    bool written = std::fwrite(header, sizeof header, 1, file) == 1;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int r = height - 1; r >= 0 && written; --r) {
        for (int x = 0; x < width; ++x) {
            unsigned char rgba[4];
            pixel_bytes(pixels, static_cast<std::size_t>(r) * stride + x, rgba);
            unsigned char* bgr = &row[static_cast<std::size_t>(x) * 3];
            bgr[0] = rgba[2];
            bgr[1] = rgba[1];
            bgr[2] = rgba[0];
        }
        written = std::fwrite(row.data(), row.size(), 1, file) == 1;
    }
    return close_after(file, written);
}

bool save_png(const char* path, const std::uint32_t* pixels, int width, int height, int stride, bool with_alpha) {
    if (!fits(pixels, width, height, stride)) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, abandon_save, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
    const bool written = info && encode_png(png, info, file, pixels, width, height, stride, with_alpha, row.data());
    if (png) png_destroy_write_struct(&png, &info);
    return close_after(file, written);
}

}  // namespace floebound
