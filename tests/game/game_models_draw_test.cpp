#include "front_view.h"
#include "game/actor.h"
#include "game/animation.h"
#include "game/model_cache.h"
#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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

// The actor as it was drawn before one array draw took over, corner by
// corner with each texture coordinate scaled by hand: the picture the array
// draw must keep.
void draw_corner_by_corner(const Actor& actor) {
    const Md2Model* model = actor.model;
    std::vector<Md2CornerVertex> corners(static_cast<std::size_t>(model->triangle_count) * 3);
    float box[6];
    md2_build_vertices(model, actor.previous_frame, actor.frame,
                       blend_factor(animation_range(actor.animation), actor.animation_time), corners.data(), box);
    const Image* skin = model->skin.get();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, skin->texture);
    glPushMatrix();
    glTranslatef(actor.position[0] + actor.draw_offset[0], actor.position[1] + 24 + actor.draw_offset[1],
                 actor.position[2] + actor.draw_offset[2]);
    glRotatef(actor.heading * 180 / pi, 0, 1, 0);
    glFrontFace(GL_CW);
    const float s_scale = static_cast<float>(skin->width) / static_cast<float>(skin->tex_width);
    const float t_scale = static_cast<float>(skin->height) / static_cast<float>(skin->tex_height);
    glBegin(GL_TRIANGLES);
    for (const Md2CornerVertex& corner : corners) {
        glTexCoord2f(corner.s * s_scale, corner.t * t_scale);
        glVertex3f(corner.x, corner.y, corner.z);
    }
    glEnd();
    glPopMatrix();
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

TEST_F(GameModels, OneArrayDrawShowsWhatCornerByCornerDrawingShowed) {
    ModelCache models;
    for (const char* name : {"penguin", "cow"}) {
        Actor actor;
        ASSERT_TRUE(actor.load_model(models, name, (std::string("models/") + name + "/tris.md2").c_str(),
                                     (std::string("models/") + name + "/" + name + ".png").c_str()));
        ASSERT_NE(actor.model->skin, nullptr) << name;
        actor.set_position(0, -20, 0);
        actor.heading = pi - 0.6f;
        std::vector<std::vector<std::array<std::uint8_t, 4>>> pictures;
        for (void (*draw)(const Actor&) : {draw_actor, draw_corner_by_corner}) {
            look_from_front(70, 0.25f);
            glEnable(GL_CULL_FACE);
            draw(actor);
            glDisable(GL_CULL_FACE);
            pictures.push_back(read_window());
        }
        int apart = 0;
        int drawn = 0;
        for (std::size_t i = 0; i < pictures[0].size(); ++i) {
            drawn += pictures[0][i] != pictures[0][0];
            for (int channel = 0; channel < 3; ++channel)
                if (std::abs(pictures[0][i][channel] - pictures[1][i][channel]) > 1) {
                    ++apart;
                    break;
                }
        }
        EXPECT_GT(drawn, width * height / 10) << name;
        EXPECT_EQ(apart, 0) << name << ": pixels more than a grey level apart";
    }
}

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
