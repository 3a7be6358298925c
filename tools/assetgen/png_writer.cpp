#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

namespace floebound::tools {

namespace {

void append_to_bytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void nothing_to_flush(png_structp) {}

// libpng reports errors by longjmp back here, so this frame owns nothing that
// would need destroying.
bool write_picture(png_structp png, png_infop info, const Raster& image, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

Bytes encode_png(const Raster& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        throw std::invalid_argument("png: picture size and pixels disagree");

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) throw std::runtime_error("png: out of memory");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("png: out of memory");
    }

    Bytes out;
    std::vector<png_bytep> rows;
    for (int y = 0; y < image.height; ++y)
        rows.push_back(const_cast<png_bytep>(&image.rgba[static_cast<std::size_t>(y) * image.width * 4]));
    png_set_write_fn(png, &out, append_to_bytes, nothing_to_flush);
    const bool written = write_picture(png, info, image, rows.data());
    png_destroy_write_struct(&png, &info);
    if (!written) throw std::runtime_error("png: libpng could not encode the picture");
    return out;
}

}  // namespace floebound::tools
