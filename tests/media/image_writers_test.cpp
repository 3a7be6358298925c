#include "media/image.h"
#include "media/image_writers.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

using namespace floebound;

namespace {

std::uint32_t pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    const std::uint8_t bytes[4] = {r, g, b, a};
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::vector<unsigned char> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rows three pixels apart, the third pixel of each row not part of the picture.
const std::vector<std::uint32_t> two_by_two = {
    pixel(10, 20, 30, 40), pixel(50, 60, 70, 80), pixel(1, 1, 1, 1),
    pixel(90, 100, 110, 120), pixel(130, 140, 150, 160), pixel(2, 2, 2, 2),
};

TEST(SaveTga, WritesTheHeaderThenBottomRowFirstInBlueGreenRed) {
    ScratchDir dir;
    const std::string path = dir.file("shot.tga");
    ASSERT_TRUE(save_tga(path.c_str(), two_by_two.data(), 2, 2, 3));
    const std::vector<unsigned char> expected = {
        0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0,
        110, 100, 90, 150, 140, 130,
        30, 20, 10, 70, 60, 50,
    };
    EXPECT_EQ(file_bytes(path), expected);

    // Sizes past the 16-bit header fields are refused, as are nonsense ones.
    EXPECT_FALSE(save_tga(dir.file("wide.tga").c_str(), two_by_two.data(), 65536, 1, 65536));
    EXPECT_FALSE(save_tga(dir.file("none.tga").c_str(), two_by_two.data(), 0, 2, 3));
    EXPECT_FALSE(save_tga(dir.file("narrow.tga").c_str(), two_by_two.data(), 2, 2, 1));
    EXPECT_FALSE(save_tga(dir.file("no/such/folder.tga").c_str(), two_by_two.data(), 2, 2, 3));
}

TEST(SavePng, ReadsBackThroughTheGamesLoaderWithAndWithoutAlpha) {
    ScratchDir dir;
    for (const bool with_alpha : {true, false}) {
        SCOPED_TRACE(with_alpha ? "RGBA" : "RGB");
        const std::string path = dir.file(with_alpha ? "rgba.png" : "rgb.png");
        ASSERT_TRUE(save_png(path.c_str(), two_by_two.data(), 2, 2, 3, with_alpha));
        testing::internal::CaptureStdout();
        const ImageHandle image = load_image(path.c_str());
        testing::internal::GetCapturedStdout();
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 2);
        EXPECT_EQ(image->height, 2);
        for (int r = 0; r < 2; ++r) {
            for (int x = 0; x < 2; ++x) {
                std::uint32_t expected = two_by_two[r * 3 + x];
                if (!with_alpha) reinterpret_cast<std::uint8_t*>(&expected)[3] = 255;
                EXPECT_EQ(image->pixels[r * image->tex_width + x], expected) << x << "," << r;
            }
        }
    }
    EXPECT_FALSE(save_png(dir.file("no/such/folder.png").c_str(), two_by_two.data(), 2, 2, 3, true));
    EXPECT_FALSE(save_png(dir.file("empty.png").c_str(), two_by_two.data(), 2, 0, 3, true));
    EXPECT_FALSE(save_png(dir.file("null.png").c_str(), nullptr, 2, 2, 3, true));
}

}  // namespace
