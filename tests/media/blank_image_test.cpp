#include "media/image.h"
#include "media/texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>

using namespace floebound;

namespace {

TEST(MakeBlankImage, RoundsEachSideUpToAPowerOfTwoUpTo512) {
    struct Case {
        int width, height, tex_width, tex_height;
    };
    const Case cases[] = {{16, 16, 16, 16}, {8, 8, 8, 8}, {5, 3, 8, 4}, {1, 1, 1, 1}, {512, 512, 512, 512},
                          {257, 2, 512, 2}, {1, 100, 1, 128}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        ImageHandle image = make_blank_image(c.width, c.height);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(image->tex_width, c.tex_width);
        EXPECT_EQ(image->tex_height, c.tex_height);
        EXPECT_EQ(image->texture, 0u);
        EXPECT_EQ(image->swizzled, 0);
        EXPECT_EQ(image->in_vram, 0);
        ASSERT_NE(image->pixels, nullptr);
        // The caller fills the whole buffer; the address sanitizer checks it is that big.
        for (int i = 0; i < c.tex_width * c.tex_height; ++i) image->pixels[i] = 0xff00ff00u;
    }
}

TEST(MakeBlankImage, RefusesSidesOutside1To512) {
    const std::pair<int, int> sizes[] = {{0, 8}, {8, 0}, {513, 8}, {8, 513}, {-1, 8}, {8, -16}, {INT_MIN, INT_MAX}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        testing::internal::CaptureStdout();
        ImageHandle image = make_blank_image(width, height);
        std::fflush(stdout);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(image, nullptr);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
        EXPECT_EQ(out.back(), '\n');
    }
}

TEST(FreeImage, LeavesPixelsInTheTextureMemoryWindowAlone) {
    free_image(nullptr);

    ImageHandle image = make_blank_image(4, 4);
    ASSERT_NE(image, nullptr);
    unsigned int* heap_pixels = image->pixels;
    // Not heap memory: handing it to delete[] would abort.
    static unsigned int window_pixels[16];
    image->pixels = window_pixels;
    image->in_vram = 1;
    image.reset();
    delete[] heap_pixels;
}

}  // namespace
