#include "png_fixture.h"

#include <csetjmp>
#include <cstdio>

namespace {

using Row = std::vector<png_byte>;

// Packs one row of samples the way the file stores them: big-endian for 16
// bits, leftmost sample in the high bits for fewer than 8.
Row pack_row(const PngPicture& picture, int y) {
    const int samples_per_row = picture.width * channels_of(picture.colour_type);
    const unsigned* samples = picture.samples.data() + static_cast<std::size_t>(y) * samples_per_row;
    Row row;
    if (picture.bit_depth == 16) {
        for (int i = 0; i < samples_per_row; ++i) {
            row.push_back(static_cast<png_byte>(samples[i] >> 8));
            row.push_back(static_cast<png_byte>(samples[i]));
        }
        return row;
    }
    const int per_byte = 8 / picture.bit_depth;
    row.assign((samples_per_row + per_byte - 1) / per_byte, 0);
    for (int i = 0; i < samples_per_row; ++i) {
        const int shift = 8 - picture.bit_depth * (i % per_byte + 1);
        row[i / per_byte] |= static_cast<png_byte>(samples[i] << shift);
    }
    return row;
}

// libpng reports errors by longjmp, so this frame holds nothing with a destructor.
bool write_guarded(png_structp png, png_infop info, std::FILE* file, const PngPicture& picture,
                   png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bit_depth, picture.colour_type,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty())
        png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
    if (!picture.palette_alpha.empty())
        png_set_tRNS(png, info, picture.palette_alpha.data(), static_cast<int>(picture.palette_alpha.size()),
                     nullptr);
    if (picture.transparent_colour) png_set_tRNS(png, info, nullptr, 0, &*picture.transparent_colour);
    png_text text{};
    if (!picture.comment.empty()) {
        text.compression = PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<png_charp>("Comment");
        text.text = const_cast<png_charp>(picture.comment.c_str());
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

int channels_of(int colour_type) {
    switch (colour_type) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

bool write_png(const std::string& path, const PngPicture& picture) {
    const std::size_t sample_count =
        static_cast<std::size_t>(picture.width) * picture.height * channels_of(picture.colour_type);
    if (picture.samples.size() != sample_count) return false;
    std::vector<Row> rows;
    std::vector<png_bytep> row_pointers;
    for (int y = 0; y < picture.height; ++y) rows.push_back(pack_row(picture, y));
    for (Row& row : rows) row_pointers.push_back(row.data());

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = info && write_guarded(png, info, file, picture, row_pointers.data());
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

PngPicture solid_png(int width, int height, const std::array<std::uint8_t, 4>& rgba) {
    PngPicture picture;
    picture.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
    picture.width = width;
    picture.height = height;
    for (int n = 0; n < width * height; ++n) picture.samples.insert(picture.samples.end(), rgba.begin(), rgba.end());
    return picture;
}
