// The PNG writer, read back through libpng by the tests' own reader.

#include "png_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "picture_files.h"

using namespace floebound::tools;

namespace {

// Every channel varies, alpha included, so a swapped or dropped channel shows.
Raster pattern(int width, int height) {
    Raster image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgba.insert(image.rgba.end(),
                              {static_cast<std::uint8_t>(37 * x + y), static_cast<std::uint8_t>(91 * y + 3),
                               static_cast<std::uint8_t>(x * y + 7), static_cast<std::uint8_t>(255 - 13 * (x + y))});
    return image;
}

}  // namespace

TEST(PngWriter, LibpngReadsBackEveryPixelAndChannel) {
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 2}, {5, 7}, {64, 64}, {256, 3}}) {
        const Raster image = pattern(width, height);
        const Picture picture = decode_png(encode_png(image));
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(picture.bit_depth, 8);
        EXPECT_EQ(picture.colour_type, 6) << "RGBA";
        EXPECT_TRUE(picture.rgba == image.rgba) << width << " x " << height;
    }
}

TEST(PngWriter, SamePictureSameBytesWithNoTimeStamp) {
    const Raster image = pattern(40, 30);
    const Bytes first = encode_png(image), second = encode_png(image);
    EXPECT_TRUE(first == second);
    const Picture picture = decode_png(first);
    ASSERT_GE(picture.chunks.size(), 3u);
    EXPECT_EQ(picture.chunks.front(), "IHDR");
    EXPECT_EQ(picture.chunks.back(), "IEND");
    for (const std::string& chunk : picture.chunks)
        EXPECT_TRUE(chunk == "IHDR" || chunk == "IDAT" || chunk == "IEND") << chunk;

    // Compression is on: a flat picture packs far below its raw size.
    Raster flat{128, 128, std::vector<std::uint8_t>(128 * 128 * 4, 200)};
    EXPECT_LT(encode_png(flat).size(), flat.rgba.size() / 50);
}

TEST(PngWriter, RefusesPicturesWhosePixelsDoNotMatchTheirSize) {
    Raster short_buffer = pattern(4, 4);
    short_buffer.rgba.pop_back();
    EXPECT_THROW(encode_png(short_buffer), std::invalid_argument);
    EXPECT_THROW(encode_png(Raster{0, 4, {}}), std::invalid_argument);
    EXPECT_THROW(encode_png(Raster{4, 0, {}}), std::invalid_argument);
}
