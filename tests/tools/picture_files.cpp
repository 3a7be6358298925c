#include "picture_files.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

#include "sound_files.h"

namespace {

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at;
};

void read_from_source(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (source->at + length > source->bytes->size()) png_error(png, "read past the end");
    std::memcpy(out, source->bytes->data() + source->at, length);
    source->at += length;
}

std::vector<std::string> chunk_types(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> types;
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::size_t length =
            static_cast<std::size_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
        types.emplace_back(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
        at += 12 + length;
    }
    if (at != bytes.size()) throw std::runtime_error("png: chunks do not end with the file");
    return types;
}

// libpng jumps back here on an error; only plain data lives in this frame.
bool decode_rows(png_structp png, png_infop info, Picture* picture) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    picture->width = static_cast<int>(png_get_image_width(png, info));
    picture->height = static_cast<int>(png_get_image_height(png, info));
    picture->bit_depth = png_get_bit_depth(png, info);
    picture->colour_type = png_get_color_type(png, info);
    if (picture->bit_depth != 8 || picture->colour_type != PNG_COLOR_TYPE_RGB_ALPHA) return true;
    picture->rgba.resize(static_cast<std::size_t>(picture->width) * picture->height * 4);
    for (int y = 0; y < picture->height; ++y)
        png_read_row(png, &picture->rgba[static_cast<std::size_t>(y) * picture->width * 4], nullptr);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

Picture decode_png(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) throw std::runtime_error("png: bad signature");
    Picture picture;
    picture.chunks = chunk_types(bytes);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) throw std::runtime_error("png: out of memory");
    Source source{&bytes, 0};
    png_set_read_fn(png, &source, read_from_source);
    const bool decoded = decode_rows(png, info, &picture);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded) throw std::runtime_error("png: libpng could not decode the file");
    return picture;
}

Picture read_png(const std::string& path) { return decode_png(read_bytes(path)); }
