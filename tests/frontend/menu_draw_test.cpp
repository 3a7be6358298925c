#include "app/camera.h"
#include "frontend/menu.h"
#include "gl_window.h"
#include "media/image.h"
#include "media/sound.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

using namespace floebound;

namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr Rgba splash_colour = {220, 40, 40, 255};
constexpr Rgba title_colour = {40, 200, 40, 255};
constexpr Rgba instructions_colour = {40, 40, 220, 255};
constexpr Rgba credits_colour = {230, 210, 40, 255};

// The intro drawn on an 800 by 600 window, in a scratch game folder holding
// the pictures each test writes (and no field or ground picture: the flat,
// untextured ground stands in). Each test's pictures are its own, as if its
// Menu were the first of the run.
class MenuDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(800, 600);
        if (gl_window_width() == 800) init_texture_pool();
    }

    void SetUp() override {
        ASSERT_EQ(gl_window_width(), 800) << "the OpenGL window did not open";
        camera.screen_width = 800;
        camera.screen_height = 600;
        std::filesystem::create_directories(dir_.file("data/intro"));
        glClearColor(0, 0, 0, 1);
    }

    void write(const std::string& name, const PngPicture& picture) {
        ASSERT_TRUE(write_png(dir_.file(name), picture)) << name;
    }

    static void draw(Menu& menu, IntroScreen screen) {
        menu.screen = screen;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        menu.draw();
        glFinish();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // The picture's own width by height area starts exactly at (x, y).
    static void expect_picture_at(int x, int y, int width, int height, Rgba colour) {
        EXPECT_EQ(pixel_at(x, y), colour) << "top left";
        EXPECT_EQ(pixel_at(x + width - 1, y + height - 1), colour) << "bottom right";
        EXPECT_NE(pixel_at(x - 1, y), colour) << "left of it";
        EXPECT_NE(pixel_at(x, y - 1), colour) << "above it";
        EXPECT_NE(pixel_at(x + width, y), colour) << "right of it";
        EXPECT_NE(pixel_at(x, y + height), colour) << "below it";
    }

    ScratchGameFolder dir_;
    const SoundBank no_sounds_;  // the folder holds none; drawing plays nothing
    IntroPictures pictures_;
};

TEST_F(MenuDrawing, EveryPictureSitsWhereTheSplashIsCentred) {
    write("data/intro/kelpworks.png", solid_png(160, 120, splash_colour));
    write("data/intro/titlecard.png", solid_png(64, 64, title_colour));
    write("data/intro/instructions.png", solid_png(300, 200, instructions_colour));
    write("data/FBDCredits.png", solid_png(40, 20, credits_colour));
    Menu menu(no_sounds_, pictures_);

    ASSERT_NO_FATAL_FAILURE(draw(menu, IntroScreen::splash));
    expect_picture_at(320, 240, 160, 120, splash_colour);
    ASSERT_NO_FATAL_FAILURE(draw(menu, IntroScreen::title));
    expect_picture_at(320, 240, 64, 64, title_colour);
    ASSERT_NO_FATAL_FAILURE(draw(menu, IntroScreen::instructions));
    expect_picture_at(320, 240, 300, 200, instructions_colour);
    ASSERT_NO_FATAL_FAILURE(draw(menu, IntroScreen::credits));
    expect_picture_at(320, 240, 40, 20, credits_colour);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    // A second Menu reuses the pictures and their textures.
    const unsigned int splash_texture = pictures_.images[0]->texture;
    testing::internal::CaptureStdout();
    Menu second(no_sounds_, pictures_);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.find("intro"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("FBDCredits"), std::string::npos) << printed;
    EXPECT_EQ(pictures_.images[0]->texture, splash_texture);
    ASSERT_NO_FATAL_FAILURE(draw(second, IntroScreen::title));
    expect_picture_at(320, 240, 64, 64, title_colour);
}

TEST_F(MenuDrawing, WithoutASplashEachPictureIsCentredByItsOwnSize) {
    write("data/intro/titlecard.png", solid_png(64, 32, title_colour));
    Menu menu(no_sounds_, pictures_);
    ASSERT_EQ(pictures_.images[0], nullptr);

    ASSERT_NO_FATAL_FAILURE(draw(menu, IntroScreen::title));
    expect_picture_at(368, 284, 64, 32, title_colour);
    // The missing pictures draw nothing, and neither does the unused screen 3.
    for (IntroScreen screen : {IntroScreen::splash, IntroScreen::credits, static_cast<IntroScreen>(3)}) {
        ASSERT_NO_FATAL_FAILURE(draw(menu, screen));
        EXPECT_NE(pixel_at(400, 300), title_colour) << static_cast<int>(screen);
    }
}

}  // namespace
