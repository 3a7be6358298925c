#include "app/camera.h"
#include "app/keys.h"
#include "editor/kind_picker_view.h"
#include "front_view.h"
#include "gl_window.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace floebound;

namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr int background = 64;
constexpr Rgba background_rgba = {background, background, background, 255};
constexpr int tree_unselected = 4;  // never written: missing

const char* const kind_names[placeable_kind_count] = {"Empty", "Penguin", "Tree",  "Marked",  "Cow",
                                                      "Skateboard", "Bucket", "Fire", "Tunafish"};

Rgba picture_colour(int slot) {
    return {static_cast<std::uint8_t>(10 + 13 * slot), static_cast<std::uint8_t>(240 - 11 * slot),
            static_cast<std::uint8_t>(slot % 2 ? 200 : 40), 255};
}

::testing::AssertionResult near_colour(const Rgba& found, const Rgba& expected) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(found[c] - expected[c]) > 2)
            return ::testing::AssertionFailure() << "found (" << +found[0] << ", " << +found[1] << ", " << +found[2]
                                                 << "), expected (" << +expected[0] << ", " << +expected[1] << ", "
                                                 << +expected[2] << ")";
    return ::testing::AssertionSuccess();
}

#define EXPECT_PIXEL(x, y, colour) EXPECT_TRUE(near_colour(pixel_at(x, y), colour)) << "at " << (x) << ", " << (y)

GLint integer_state(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

// The pictures come from a scratch game folder, a colour of their own each,
// on a 640 by 480 window: the grid's top left is at (128, 48).
class KindPickerDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(640, 480);
        init_texture_pool();
        camera.screen_width = 640;
        camera.screen_height = 480;
        folder_ = new ScratchGameFolder;
        std::filesystem::create_directories(folder_->file("data/menu"));
        for (int slot = 0; slot < 2 * placeable_kind_count; ++slot) {
            if (slot == tree_unselected) continue;
            const std::string path = folder_->file(std::string("data/menu/kind") + kind_names[slot / 2] +
                                                   (slot % 2 ? "S.png" : "U.png"));
            ASSERT_TRUE(write_png(path, solid_png(128, 128, picture_colour(slot)))) << path;
        }
        pictures_ = new KindPictures;
        pictures_->load_unless_loaded();
    }
    static void TearDownTestSuite() {
        delete pictures_;
        delete folder_;
    }
    void SetUp() override {
        look_from_front(500, background / 255.0f);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
    }

    static ScratchGameFolder* folder_;
    static KindPictures* pictures_;
};

ScratchGameFolder* KindPickerDrawing::folder_ = nullptr;
KindPictures* KindPickerDrawing::pictures_ = nullptr;

// Nine buttons in three rows of three across the middle, in the digit keys'
// order, the square's own kind highlighted and the highlight following the
// arrows; a missing picture leaves its place empty.
TEST_F(KindPickerDrawing, NineButtonsInAGridWithTheHighlightedKindSelected) {
    KindPicker picker(CellKind::cow);
    const GLint modelview_depth = integer_state(GL_MODELVIEW_STACK_DEPTH);
    const GLint projection_depth = integer_state(GL_PROJECTION_STACK_DEPTH);
    const auto expect_grid = [&](int highlighted) {
        for (int kind = 0; kind < placeable_kind_count; ++kind) {
            SCOPED_TRACE(kind_names[kind]);
            const int x = 128 + kind % 3 * 128, y = 48 + kind / 3 * 128;
            const int slot = 2 * kind + (kind == highlighted ? 1 : 0);
            const Rgba expected = slot == tree_unselected ? background_rgba : picture_colour(slot);
            EXPECT_PIXEL(x, y, expected);
            EXPECT_PIXEL(x + 127, y + 127, expected);
        }
        EXPECT_PIXEL(127, 100, background_rgba);
        EXPECT_PIXEL(512, 300, background_rgba);
        EXPECT_PIXEL(300, 47, background_rgba);
        EXPECT_PIXEL(300, 432, background_rgba);
    };
    draw_kind_picker(picker, *pictures_);
    expect_grid(4);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(camera.hud_depth, 0);
    EXPECT_EQ(integer_state(GL_MODELVIEW_STACK_DEPTH), modelview_depth);
    EXPECT_EQ(integer_state(GL_PROJECTION_STACK_DEPTH), projection_depth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    picker.handle_key(key_up, true);
    picker.handle_key(key_right, true);
    look_from_front(500, background / 255.0f);
    draw_kind_picker(picker, *pictures_);
    expect_grid(2);
}

}  // namespace
