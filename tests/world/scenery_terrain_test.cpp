#include "above_view.h"
#include "damaged_bytes.h"
#include "gl_window.h"
#include "map_image.h"
#include "media/texture.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"
#include "obj_scratch.h"
#include "world/terrain.h"
#include "world/terrain_items.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

using namespace floebound;

namespace {

constexpr int side = 256;  // window pixels
using Rgba = std::array<std::uint8_t, 4>;

// Where the item's translation puts it.
std::array<float, 3> item_position(int slot) {
    const float* m = scenery_tables.models[slot].placement;
    return {m[12], m[13], m[14]};
}

// 16 by 16, flat but for one raised grid point.
PngPicture height_map(int raised_column, int raised_row, unsigned green) {
    PngPicture picture;
    picture.width = picture.height = 16;
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            picture.samples.insert(picture.samples.end(), {0u, c == raised_column && r == raised_row ? green : 128u, 0u});
    return picture;
}

std::vector<Rgba> frame() {
    std::vector<Rgba> pixels(side * side);
    glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class SceneryTerrain : public ObjScratch {
protected:
    static void SetUpTestSuite() { open_terrain_window(side); }

    // Every item is a flat triangle hovering over its spot, wide enough to
    // cover the ground around it if it were ever drawn.
    void SetUp() override {
        ASSERT_EQ(gl_window_width(), side) << "the OpenGL window did not open";
        ObjScratch::SetUp();
        for (const char* name : scenery_item_list)
            write(std::string("models/") + name + ".obj",
                  "v -100 100 -100\nv 100 100 -100\nv 0 100 100\nvt 0 0\nf 1/1 2/1 3/1\n");
        ASSERT_TRUE(write_png(file("data/detail.png"), solid_png(2, 2, {255, 255, 255, 255})));
        ASSERT_TRUE(write_png(file("data/colour.png"), solid_png(16, 16, {255, 0, 0, 255})));
        ASSERT_TRUE(write_png(file("data/height.png"), height_map(10, 10, 148)));
        ASSERT_TRUE(write_png(file("data/flat.png"), height_map(0, 0, 128)));
    }

    static Terrain* build(const char* height, const char* colour = nullptr) {
        testing::internal::CaptureStdout();
        Terrain* terrain = colour ? new Terrain(height, colour) : new Terrain(height);
        testing::internal::GetCapturedStdout();
        return terrain;
    }

    static void draw_from_above(Renderable& scene) {
        look_from_above();
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw();
        glFinish();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    static Rgba colour_at(float x, float y, float z) {
        const auto [column, row] = window_pixel(x, y, z);
        return pixel_at(column, row);
    }
};

TEST_F(SceneryTerrain, TheSceneryFormReloadsTheItemsAndStandsThemOnItsHeightField) {
    load_scenery_items();
    place_scenery_item(0, 0, 0, 0);
    // The tree of slots 0 and 3 changes on disk after that load: only a reload
    // gives the slots its two faces.
    write("models/enviro/tree2.obj", "v -8 8 -8\nv 8 8 -8\nv 0 8 8\nvt 0 0\nf 1/1 2/1 3/1\nf 3/1 2/1 1/1\n");
    std::unique_ptr<Terrain> terrain(build("data/height.png", "data/colour.png"));
    ASSERT_EQ(scenery_item_count(), 11);
    EXPECT_EQ(scenery_tables.models[0].corners.size(), 6u);
    EXPECT_EQ(scenery_tables.models[3].corners.size(), 6u);
    EXPECT_EQ(scenery_tables.models[1].corners.size(), 3u);
    // Slot 0 at (128, 128): grid point (10, 10), raised by 20.
    EXPECT_EQ(item_position(0), (std::array<float, 3>{128, 20, 128}));
    EXPECT_EQ(scenery_tables.models[0].placement[0], 6);
    EXPECT_EQ(item_position(3), (std::array<float, 3>{-128, 0, -128}));
    // 48 / 64 and 96 / 64 truncate to 0 and 1 squares.
    EXPECT_EQ(item_position(4), (std::array<float, 3>{192, 0, 0}));
    EXPECT_EQ(item_position(8), (std::array<float, 3>{-192, 0, 64}));
    EXPECT_EQ(item_position(10), (std::array<float, 3>{192, 0, 0}));
    // The colour map tints the ground.
    const std::uint8_t red[4] = {255, 0, 0, 255};
    EXPECT_EQ(std::memcmp(&terrain->mesh().vertices[0].colour, red, 4), 0);

    // Truncation toward zero: -100 is one square left of the middle, not two.
    MapImage map(16, 16);
    map.fill([](int c, int r) { return c == 7 && r == 9 ? 200 : 128; });
    terrain_place_item(map.image(), 1, -100, 100, 64);
    EXPECT_EQ(item_position(1), (std::array<float, 3>{-64, 72, 64}));

    // The items outlive the terrain.
    terrain.reset();
    EXPECT_EQ(scenery_item_count(), 11);
}

TEST_F(SceneryTerrain, TheGamesFormPlacesLoadedItemsOnlyWhenThereAreMoreThanTen) {
    std::unique_ptr<Terrain> scenery(build("data/height.png", "data/colour.png"));
    ASSERT_EQ(item_position(0)[1], 20);
    std::unique_ptr<Terrain> flat(build("data/flat.png"));
    EXPECT_EQ(item_position(0), (std::array<float, 3>{128, 0, 128}));

    free_scenery_items();
    std::filesystem::remove(file("models/enviro/grass6.obj"));
    testing::internal::CaptureStdout();
    load_scenery_items();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(scenery_item_count(), 10);
    place_scenery_item(0, 5, 5, 5);
    std::unique_ptr<Terrain> again(build("data/height.png"));
    EXPECT_EQ(item_position(0), (std::array<float, 3>{5, 5, 5}));
}

TEST_F(SceneryTerrain, DrawsTheTintedGroundAndNothingForTheItems) {
    std::unique_ptr<Terrain> terrain(build("data/height.png", "data/colour.png"));
    ASSERT_EQ(scenery_item_count(), 11);
    ASSERT_NO_FATAL_FAILURE(draw_from_above(*terrain));
    for (const auto& [x, z] : {std::array<float, 2>{-96, -96}, {128, 128}, {-160, 96}}) {
        const Rgba ground = colour_at(x, 0, z);
        EXPECT_GT(ground[0], 150) << x << "," << z;
        EXPECT_LT(ground[1], 40) << x << "," << z;
        EXPECT_LT(ground[2], 40) << x << "," << z;
    }
    const std::vector<Rgba> with_items = frame();

    // The hooks ran for eleven items; without any the picture is the same.
    free_scenery_items();
    ASSERT_NO_FATAL_FAILURE(draw_from_above(*terrain));
    EXPECT_TRUE(frame() == with_items);
}

// The generated scenery with each of its files missing, then damaged, in
// turn: the form that loads it builds and draws all the same. Last, as it
// spends the texture pool.
TEST_F(SceneryTerrain, BuildsAndDrawsWithAnyGeneratedSceneryFileMissingOrDamaged) {
    namespace fs = std::filesystem;
    const fs::path generated = fs::path(FLOEBOUND_GAME_DIR) / "models/enviro";
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(generated))
        if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(generated));
    ASSERT_GT(files.size(), 20u) << "the scenery was not generated in " << generated;
    const fs::path scenery = file("models/enviro");
    for (const fs::path& file : files)
        for (const bool damage : {false, true}) {
            SCOPED_TRACE(file.string() + (damage ? " damaged" : " missing"));
            fs::remove_all(scenery);
            fs::copy(generated, scenery, fs::copy_options::recursive);
            const fs::path copy = scenery / file;
            if (damage) {
                std::ostringstream bytes;
                bytes << std::ifstream(copy, std::ios::binary).rdbuf();
                std::ofstream(copy, std::ios::binary) << damaged_bytes(bytes.str(), file.string());
            } else {
                fs::remove(copy);
            }
            std::unique_ptr<Terrain> terrain(build("data/height.png", "data/colour.png"));
            ASSERT_NO_FATAL_FAILURE(draw_from_above(*terrain));
        }
}

}  // namespace
