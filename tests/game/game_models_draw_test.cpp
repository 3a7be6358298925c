#include "front_view.h"
#include "game/actor.h"
#include "game/model_cache.h"
#include "gl_window.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace floebound;

// The generated penguin and cow drawn by the game's own actor code, from the
// front and a little above, as a player meets them. Each picture is also saved
// for people to look at.
namespace {

constexpr float pi = 3.14159265f;
constexpr int width = 320;
constexpr int height = 320;

struct ColourCounts {
    int black = 0;
    int white = 0;
    int orange = 0;
    int pink = 0;
    int drawn = 0;  // pixels that differ from the grey background
};

ColourCounts count_colours() {
    ColourCounts counts;
    for (const auto& p : read_window()) {
        const int r = p[0], g = p[1], b = p[2];
        if (std::abs(r - 64) > 6 || std::abs(g - 64) > 6 || std::abs(b - 64) > 6) ++counts.drawn;
        if (r < 50 && g < 50 && b < 60) ++counts.black;
        if (r > 200 && g > 200 && b > 200) ++counts.white;
        if (r > 200 && g > 90 && g < 190 && b < 80) ++counts.orange;
        if (r > 200 && g > 110 && g < 200 && b > 120 && b < 210) ++counts.pink;
    }
    return counts;
}

void save_screenshot(const std::string& name) {
    const std::string path = std::string(SCREENSHOT_DIR) + "/" + name + ".ppm";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (const auto& p : read_window()) std::fwrite(p.data(), 1, 3, file);
    std::fclose(file);
}

class GameModels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(width, height);
        init_texture_pool();
    }

    // An actor at the origin turned towards the camera on +z, a turn of zero
    // facing it squarely.
    static ColourCounts draw_facing_camera(const char* name, const char* model, const char* skin, float distance,
                                           float turn) {
        look_from_front(distance, 0.25f);
        ModelCache models;
        Actor actor;
        EXPECT_TRUE(actor.load_model(models, name, model, skin));
        EXPECT_NE(actor.model, nullptr);
        actor.set_position(0, -20, 0);
        actor.heading = pi + turn;
        glEnable(GL_CULL_FACE);
        actor.draw();
        glDisable(GL_CULL_FACE);
        return count_colours();
    }
};

}  // namespace

TEST_F(GameModels, PenguinIsBlackAndWhiteWithAnOrangeBeakAndFeet) {
    const ColourCounts penguin = draw_facing_camera("Penguin", "models/penguin/tris.md2", "models/penguin/penguin.png", 65, -0.5f);
    save_screenshot("penguin");
    EXPECT_GT(penguin.drawn, width * height / 8) << "the penguin should fill a good part of the view";
    EXPECT_GT(penguin.black, penguin.drawn / 20);
    EXPECT_GT(penguin.white, penguin.drawn / 10);
    EXPECT_GT(penguin.orange, 50);
}

TEST_F(GameModels, CowIsWhiteWithBlackPatchesAndAPinkMuzzle) {
    const ColourCounts cow = draw_facing_camera("Cow", "models/cow/tris.md2", "models/cow/cow.png", 80, -0.8f);
    save_screenshot("cow");
    EXPECT_GT(cow.drawn, width * height / 8);
    EXPECT_GT(cow.white, cow.drawn / 8);
    EXPECT_GT(cow.black, cow.drawn / 40);
    EXPECT_GT(cow.pink, 100);
}
