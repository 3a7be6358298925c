#include "front_view.h"
#include "game/actor.h"
#include "game/model_cache.h"
#include "gl_window.h"
#include "md2_fixture.h"
#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"
#include "png_fixture.h"
#include "process.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

using namespace floebound;

namespace {

using Rgb = std::array<int, 3>;
const Rgb red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255}, white = {255, 255, 255};
const Rgb background = {64, 64, 64};
constexpr float pi = 3.14159265f;

// The fixture's square stands 32 by 32 in the actor's frame, x from -32 to
// 0 and y from 0 to 32, facing +z; actors draw it 24 above their position.
constexpr float lift = 24;

// 48 by 24, padded to a 64 by 32 texture: red, green over blue, white.
PngPicture quadrant_skin() {
    PngPicture picture;
    picture.width = 48;
    picture.height = 24;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 48; ++x) {
            const Rgb colour = y < 12 ? (x < 24 ? red : green) : (x < 24 ? blue : white);
            picture.samples.insert(picture.samples.end(), colour.begin(), colour.end());
        }
    }
    return picture;
}

void expect_colour_at(float x, float y, Rgb expected) {
    const PixelPosition at = pixel_of(x, y, 0);
    const auto pixel = pixel_at(at.x, at.y);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(pixel[channel], expected[channel], 3) << "world " << x << "," << y << " channel " << channel;
}

GLint integer_state(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

class ActorDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(128, 128);
        init_texture_pool();
    }

    void SetUp() override {
        write_bytes(model, square_md2_fixture(1).bytes());
        ASSERT_TRUE(write_png(skin, quadrant_skin()));
        look_from_front(200, 0.25f);
        glColor4f(1, 1, 1, 1);
    }

    const ScratchDir dir;
    const std::string model = dir.file("square.md2");
    const std::string skin = dir.file("quadrants.png");
};

TEST_F(ActorDrawing, SkinnedModelShowsUprightWhereTheActorStands) {
    ModelCache models;
    testing::internal::CaptureStdout();
    Actor actor;
    Actor turned;
    ASSERT_TRUE(actor.load_model(models, "Penguin", model.c_str(), skin.c_str()));
    ASSERT_TRUE(turned.load_model(models, "Penguin2", model.c_str(), skin.c_str()));
    const std::string load_output = testing::internal::GetCapturedStdout();
    const auto skin_load = load_output.find("Loaded " + skin);
    EXPECT_NE(skin_load, std::string::npos) << load_output;
    EXPECT_EQ(skin_load, load_output.rfind("Loaded " + skin)) << load_output;
    ASSERT_NE(actor.model->skin, nullptr);

    // Position and draw offset put the square's centre on the origin. Frames
    // that the one-frame model lacks show its frame 0, unreported.
    actor.set_position(0, -16 - lift, 0);
    actor.draw_offset[0] = 16;
    actor.previous_frame = 182;
    actor.frame = 183;
    glEnable(GL_LIGHTING);
    const GLint stack_depth = integer_state(GL_MODELVIEW_STACK_DEPTH);
    testing::internal::CaptureStdout();
    actor.draw();
    const std::string draw_output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(draw_output.find("out of bounds"), std::string::npos) << draw_output;

    // An eighth of the side in from each corner the picture's own colours
    // show, not the texture's padding.
    expect_colour_at(-12, 12, red);
    expect_colour_at(12, 12, green);
    expect_colour_at(-12, -12, blue);
    expect_colour_at(12, -12, white);
    for (const auto& [x, y] : {std::pair{-24.f, 0.f}, {24.f, 0.f}, {0.f, 24.f}, {0.f, -24.f}})
        expect_colour_at(x, y, background);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(integer_state(GL_FRONT_FACE), GL_CW);
    EXPECT_EQ(integer_state(GL_MODELVIEW_STACK_DEPTH), stack_depth);

    // Turned half round about its position, it swings to the other side and
    // shows its back, colours swapped left for right.
    look_from_front(200, 0.25f);
    turned.set_position(16, -16 - lift, 0);
    turned.heading = pi;
    turned.draw();
    expect_colour_at(16 + 4, 12, green);
    expect_colour_at(48 - 4, -12, blue);
    expect_colour_at(0, 0, background);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ActorDrawing, SkinlessModelDrawsUntexturedWithItsParticlesInItsFrame) {
    ModelCache models;
    // A texture that earlier drawing left bound and enabled must not show.
    Actor skinned;
    ASSERT_TRUE(skinned.load_model(models, "Skinned", model.c_str(), skin.c_str()));
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, skinned.model->skin->texture);

    Actor actor;
    ASSERT_TRUE(actor.load_model(models, "Bare", model.c_str(), dir.file("missing.png").c_str()));
    ASSERT_EQ(actor.model->skin, nullptr);
    // A big sprite 20 units along the actor's x, level with the frame's
    // origin, which sits on the world's.
    EmitterParams big = cow_params;
    big.size = 12;
    actor.start_emitter(&big, nullptr, 20, 0, 0);
    actor.update(1);
    ASSERT_EQ(actor.emitter.count, 1);
    actor.set_position(0, -lift, 0);
    actor.draw();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    expect_colour_at(-16, 16, white);
    expect_colour_at(16, 16, background);
    expect_colour_at(20, -6, white);
    expect_colour_at(-20, -6, background);

    // Turned half round, square and sprite both go to the other side.
    look_from_front(200, 0.25f);
    actor.heading = pi;
    actor.draw();
    expect_colour_at(16, 16, white);
    expect_colour_at(-16, 16, background);
    expect_colour_at(-20, -6, white);
    expect_colour_at(20, -6, background);
}

TEST_F(ActorDrawing, ActorWithoutModelDrawsNothingNotEvenParticles) {
    ModelCache models;
    Actor actor;
    EXPECT_FALSE(actor.load_model(models, "Ghost", dir.file("missing.md2").c_str(), skin.c_str()));
    actor.start_emitter(&cow_params, nullptr, 0, 0, 0);
    actor.update(1);
    ASSERT_EQ(actor.emitter.count, 1);
    actor.set_position(0, -lift, 0);
    actor.draw();
    for (const auto& pixel : read_window()) ASSERT_EQ(Rgb({pixel[0], pixel[1], pixel[2]}), background);
}

}  // namespace
