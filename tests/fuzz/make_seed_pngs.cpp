// Writes the seed corpus of fuzz_load_image: one small PNG for each colour
// type, with transparency, interlacing and a text chunk among them, so the
// fuzzer starts from every decoding path.

#include "png_fixture.h"

#include <cstdio>
#include <string>

namespace {

PngPicture seed(int colour_type, int bit_depth, bool interlaced) {
    PngPicture picture;
    picture.width = 7;
    picture.height = 5;
    picture.colour_type = colour_type;
    picture.bit_depth = bit_depth;
    picture.interlaced = interlaced;
    const unsigned largest = (1u << bit_depth) - 1;
    const int count = picture.width * picture.height * channels_of(colour_type);
    for (int i = 0; i < count; ++i) picture.samples.push_back((i * 37u + 11u) & largest);
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    PngPicture grey = seed(PNG_COLOR_TYPE_GRAY, 1, false);
    PngPicture keyed_grey = seed(PNG_COLOR_TYPE_GRAY, 8, true);
    keyed_grey.transparent_colour = png_color_16{0, 0, 0, 0, 11};
    keyed_grey.comment = "seed";
    PngPicture palette = seed(PNG_COLOR_TYPE_PALETTE, 4, true);
    for (int entry = 0; entry < 16; ++entry) {
        const auto level = static_cast<png_byte>(entry * 17);
        palette.palette.push_back({level, static_cast<png_byte>(255 - level), 128});
    }
    palette.palette_alpha = {0, 128, 255};
    const std::pair<const char*, PngPicture> seeds[] = {
        {"grey1.png", grey},
        {"grey8_trns_interlaced.png", keyed_grey},
        {"palette4_trns_interlaced.png", palette},
        {"rgb16.png", seed(PNG_COLOR_TYPE_RGB, 16, false)},
        {"grey_alpha8.png", seed(PNG_COLOR_TYPE_GRAY_ALPHA, 8, false)},
        {"rgba8_interlaced.png", seed(PNG_COLOR_TYPE_RGB_ALPHA, 8, true)},
    };
    for (const auto& [name, picture] : seeds) {
        const std::string path = std::string(argv[1]) + "/" + name;
        if (!write_png(path, picture)) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
