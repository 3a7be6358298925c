#include "above_view.h"
#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"
#include "world/terrain.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

constexpr int side = 320;  // window pixels
using Rgba = std::array<std::uint8_t, 4>;

bool is_white(const Rgba& p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
bool is_grass(const Rgba& p) { return p[1] > p[0] + 40 && p[1] > p[2] + 40; }
bool is_yellowish(const Rgba& p) { return p[0] > 150 && p[1] > 150 && p[2] + 60 < p[0]; }

// World x or z of grid line n of a 16 by 16 map.
float grid(int n) { return 64.0f * static_cast<float>(n - 8); }

// Grid points 4 to 12 level both ways and the rest raised to `hill`: the
// 8 by 8 playing field from -256 to 256, ringed by hills.
PngPicture field_map(unsigned hill) {
    PngPicture picture;
    picture.width = picture.height = 16;
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            picture.samples.insert(picture.samples.end(), {0u, c >= 4 && c <= 12 && r >= 4 && r <= 12 ? 128u : 128 + hill, 0u});
    return picture;
}

PngPicture grass_picture() {
    PngPicture picture;
    picture.width = picture.height = 2;
    for (int i = 0; i < 4; ++i) picture.samples.insert(picture.samples.end(), {60u, 170u, 60u});
    return picture;
}

Rgba colour_at(float x, float y, float z) {
    const auto [column, row] = window_pixel(x, y, z);
    return pixel_at(column, row);
}

bool white_near(float x, float y, float z, int radius) {
    const auto [column, row] = window_pixel(x, y, z);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (is_white(pixel_at(column + dx, row + dy))) return true;
    return false;
}

int yellowish_pixels() {
    std::vector<Rgba> frame(side * side);
    glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return static_cast<int>(std::count_if(frame.begin(), frame.end(), is_yellowish));
}

class TerrainDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { open_terrain_window(side); }

    // Seen from above; the terrain reads data/ in a scratch game folder.
    void SetUp() override {
        ASSERT_EQ(gl_window_width(), side) << "the OpenGL window did not open";
        std::filesystem::create_directory(dir_.file("data"));
        look_from_above();
        glClearColor(1, 0, 1, 1);
    }

    void write(const char* name, const PngPicture& picture) { ASSERT_TRUE(write_png(dir_.file(name), picture)); }

    static void draw(Renderable& scene) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw();
        glFinish();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    ScratchGameFolder dir_;
};

TEST_F(TerrainDrawing, GridLinesShowOverTheFlatFieldAndNotOverTheHills) {
    write("data/grass4.png", grass_picture());
    write("data/field.png", field_map(40));
    Terrain terrain("data/field.png");
    ASSERT_NO_FATAL_FAILURE(draw(terrain));

    for (int n = 4; n < 12; ++n) {
        for (int m = 4; m < 12; ++m) {
            // The cell's left and upper borders away from the corners, and its middle.
            EXPECT_TRUE(white_near(grid(n), 0, grid(m) + 32, 1)) << n << "," << m;
            EXPECT_TRUE(white_near(grid(n) + 32, 0, grid(m), 1)) << n << "," << m;
            EXPECT_TRUE(is_grass(colour_at(grid(n) + 32, 0, grid(m) + 32))) << n << "," << m;
        }
        // Grid lines of the hills just outside the field, on all four sides.
        EXPECT_FALSE(white_near(grid(3), 40, grid(n) + 32, 3)) << n;
        EXPECT_FALSE(white_near(grid(13), 40, grid(n) + 32, 3)) << n;
        EXPECT_FALSE(white_near(grid(n) + 32, 40, grid(3), 3)) << n;
        EXPECT_FALSE(white_near(grid(n) + 32, 40, grid(13), 3)) << n;
    }

    // What the draw leaves for whatever comes next.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint depth_func = 0, front_face = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depth_func);
    glGetIntegerv(GL_FRONT_FACE, &front_face);
    EXPECT_EQ(depth_func, GL_LESS);
    EXPECT_EQ(front_face, GL_CW);
}

TEST_F(TerrainDrawing, CursorHighlightTintsItsOwnCellOnly) {
    write("data/grass4.png", grass_picture());
    write("data/field.png", field_map(40));
    Terrain terrain("data/field.png");
    // Strip 8 is the row of cells from z 0 to 64; cell 6 runs from x -128 to -64.
    terrain.set_cursor(8, 6);
    ASSERT_NO_FATAL_FAILURE(draw(terrain));
    EXPECT_TRUE(is_yellowish(colour_at(-96, 0, 32)));
    for (auto [x, z] : {std::pair{-32, 32}, {-160, 32}, {-96, -32}, {-96, 96}, {32, -96}})
        EXPECT_TRUE(is_grass(colour_at(x, 0, z))) << x << "," << z;
    EXPECT_GT(yellowish_pixels(), 300);  // the whole cell, not a sliver

    terrain.set_cursor(8, 15);
    ASSERT_EQ(terrain.get_cursor().second, 15);
    ASSERT_NO_FATAL_FAILURE(draw(terrain));
    EXPECT_EQ(yellowish_pixels(), 0);
}

TEST_F(TerrainDrawing, WithoutTheGroundPictureTheGroundIsUntextured) {
    write("data/field.png", field_map(40));
    // A red texture left bound must not show on the ground.
    ImageHandle red = make_blank_image(4, 4);
    ASSERT_NE(red, nullptr);
    std::fill(red->pixels, red->pixels + 16, 0xff0000ffu);
    ASSERT_NE(make_texture(red.get()), 0u);
    red.reset();

    Terrain terrain("data/field.png");
    terrain.set_cursor(8, 6);
    ASSERT_NO_FATAL_FAILURE(draw(terrain));
    const Rgba ground = colour_at(32, 0, -96);
    EXPECT_GT(ground[0], 100);
    EXPECT_NEAR(ground[0], ground[1], 8);
    EXPECT_NEAR(ground[1], ground[2], 8);
    EXPECT_TRUE(is_yellowish(colour_at(-96, 0, 32)));
}

TEST_F(TerrainDrawing, MissingHeightMapGivesAFlatSixteenBySixteenField) {
    write("data/grass4.png", grass_picture());
    auto* terrain = new Terrain("data/missing.png");
    std::unique_ptr<Renderable> scene(terrain);  // owners delete it as a Renderable
    EXPECT_EQ(terrain->mesh().columns, 16);
    EXPECT_EQ(terrain->mesh().rows, 16);
    ASSERT_EQ(terrain->mesh().vertices.size(), 512u);
    for (const TerrainVertex& vertex : terrain->mesh().vertices) ASSERT_EQ(vertex.position.y, 0);

    terrain->set_cursor(15, 15);
    EXPECT_FALSE(scene->handle_key(' ', false));
    scene->update(18);
    EXPECT_TRUE(scene->is_active());
    EXPECT_EQ(terrain->get_cursor().first, 15);

    ASSERT_NO_FATAL_FAILURE(draw(*scene));
    for (int n = 3; n <= 13; ++n) {
        EXPECT_TRUE(white_near(grid(n), 0, grid(8) + 32, 1)) << n;
        EXPECT_TRUE(white_near(grid(8) + 32, 0, grid(n), 1)) << n;
    }
}

}  // namespace
