#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "process.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>

using namespace floebound;

namespace {

using Rgb = std::array<int, 3>;

// Allows for rounding in the rasteriser, no more.
void expect_colour_at(int x, int y, Rgb expected) {
    const auto pixel = pixel_at(x, y);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(pixel[channel], expected[channel], 2) << "at " << x << "," << y << " channel " << channel;
}

TEST(TextureDrawing, LoadedPictureStillDrawsAfterItsImageIsFreed) {
    ASSERT_NO_FATAL_FAILURE(open_gl_window(64, 48));
    init_texture_pool();

    // Three by two texels: five colours and one transparent palette entry.
    PngPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.colour_type = PNG_COLOR_TYPE_PALETTE;
    picture.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {255, 255, 0}, {0, 255, 255}};
    picture.palette_alpha = {255, 255, 255, 255, 255, 0};
    picture.samples = {0, 1, 2, 3, 4, 5};
    const ScratchDir dir;
    const std::string path = dir.file("colours.png");
    ASSERT_TRUE(write_png(path, picture));
    testing::internal::CaptureStdout();
    ImageHandle image = load_image(path.c_str());
    testing::internal::GetCapturedStdout();
    ASSERT_NE(image, nullptr);

    const unsigned int texture = make_texture(image.get());
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(image->texture, texture);
    const float u_max = static_cast<float>(image->width) / static_cast<float>(image->tex_width);
    const float v_max = static_cast<float>(image->height) / static_cast<float>(image->tex_height);
    // What was uploaded must not depend on the pixels once make_texture returns.
    std::memset(image->pixels, 0, std::size_t{4} * image->tex_width * image->tex_height);
    image.reset();

    GLint tex_width = 0;
    GLint tex_height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tex_width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &tex_height);
    EXPECT_EQ(tex_width, 4);
    EXPECT_EQ(tex_height, 2);

    // Window coordinates from the top left, over magenta that transparent
    // texels let through. An odd number of pixels a texel puts a pixel centre
    // on each texel centre, where linear filtering takes nothing from the
    // neighbours.
    constexpr int texel = 15;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, gl_window_width(), gl_window_height(), 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 0);
    glTexCoord2f(u_max, 0);
    glVertex2i(3 * texel, 0);
    glTexCoord2f(u_max, v_max);
    glVertex2i(3 * texel, 2 * texel);
    glTexCoord2f(0, v_max);
    glVertex2i(0, 2 * texel);
    glEnd();
    glFinish();

    const Rgb magenta = {255, 0, 255};
    const Rgb expected[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{255, 255, 255}, {255, 255, 0}, magenta}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) expect_colour_at(x * texel + texel / 2, y * texel + texel / 2, expected[y][x]);
    }
    expect_colour_at(3 * texel + 4, texel, magenta);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
