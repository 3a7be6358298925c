#include "app/camera.h"
#include "app/keys.h"
#include "front_view.h"
#include "game/game_assets.h"
#include "game/popup.h"
#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using namespace floebound;

namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr int background = 64;
constexpr Rgba background_rgba = {background, background, background, 255};

// Table slots of the pictures written specially.
constexpr int close_unselected = 0;        // half transparent
constexpr int goat_ccw_unselected = 6;     // 100 by 60, in a 128 by 64 texture
constexpr int restart_unselected = 12;     // never written: missing
constexpr int quit_no_unselected = 16;

const char* const picture_names[2 * popup_command_count] = {
    "menuCloseU.png",   "menuCloseS.png",   "menuClearU.png",   "menuClearS.png",     "menuGoat1U.png",
    "menuGoat1S.png",   "menuGoat2U.png",   "menuGoat2S.png",   "menuPengU.png",      "menuPengS.png",
    "menuSkateU.png",   "menuSkateS.png",   "menuRestartU.png", "menuRestartS.png",   "menuQuitYesU.png",
    "menuQuitYesS.png", "menuQuitNoU.png",  "menuQuitNoS.png",
};

std::string picture_path(int slot) { return std::string("data/menu/") + picture_names[slot]; }

// A colour of its own for every picture, none of them the background.
Rgba picture_colour(int slot) {
    return {static_cast<std::uint8_t>(10 + 13 * slot), static_cast<std::uint8_t>(240 - 11 * slot),
            static_cast<std::uint8_t>(slot % 2 ? 200 : 40), 255};
}

constexpr std::uint8_t half_alpha = 128;

// What the half transparent close picture gives over the background.
Rgba blended_close() {
    const Rgba colour = picture_colour(close_unselected);
    Rgba result{};
    for (int c = 0; c < 3; ++c)
        result[c] = static_cast<std::uint8_t>((colour[c] * half_alpha + background * (255 - half_alpha) + 127) / 255);
    result[3] = 255;
    return result;
}

void write_picture(const ScratchGameFolder& folder, int slot) {
    const Rgba colour = picture_colour(slot);
    const std::uint8_t alpha = slot == close_unselected ? half_alpha : 255;
    const PngPicture picture = slot == goat_ccw_unselected ? solid_png(100, 60, {colour[0], colour[1], colour[2], alpha})
                                                           : solid_png(128, 128, {colour[0], colour[1], colour[2], alpha});
    ASSERT_TRUE(write_png(folder.file(picture_path(slot)), picture)) << picture_path(slot);
}

// The paths of the "Loaded %s (%08x)" lines, in order.
std::vector<std::string> loaded_paths(const std::string& output) {
    std::vector<std::string> paths;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Loaded ", 0) == 0) paths.push_back(line.substr(7, line.rfind(" (") - 7));
    }
    return paths;
}

GLint integer_state(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

// Colours within 2 units of each other: texture filtering and blending may round.
::testing::AssertionResult near_colour(const Rgba& found, const Rgba& expected) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(found[c] - expected[c]) > 2) {
            return ::testing::AssertionFailure() << "found (" << +found[0] << ", " << +found[1] << ", " << +found[2]
                                                 << "), expected (" << +expected[0] << ", " << +expected[1] << ", "
                                                 << +expected[2] << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

#define EXPECT_PIXEL(x, y, colour) EXPECT_TRUE(near_colour(pixel_at(x, y), colour)) << "at " << (x) << ", " << (y)

// The pictures are read from "data/menu/" in the game folder, so the suite
// makes that a scratch folder holding every picture but the unselected
// restart one, on a 640 by 480 window.
class PopupDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(640, 480);
        init_texture_pool();
        camera.screen_width = 640;
        camera.screen_height = 480;
        folder_ = new ScratchGameFolder;
        std::filesystem::create_directories(folder_->file("data/menu"));
        for (int slot = 0; slot < 2 * popup_command_count; ++slot) {
            if (slot != restart_unselected) write_picture(*folder_, slot);
        }
        assets_ = new GameAssets;  // no sounds: drawing plays none
    }
    static void TearDownTestSuite() {
        delete assets_;
        assets_ = nullptr;
        delete folder_;
        folder_ = nullptr;
    }
    // The state the Level leaves before it draws its popup: the game's
    // perspective, texturing on, a white colour.
    void SetUp() override {
        look_from_front(500, background / 255.0f);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
    }

    static ScratchGameFolder* folder_;
    static GameAssets* assets_;
};

ScratchGameFolder* PopupDrawing::folder_ = nullptr;
GameAssets* PopupDrawing::assets_ = nullptr;

// First in the file: the suite's table is loaded by its first popup.
TEST_F(PopupDrawing, PicturesLoadOnceInTheirOrderAndAgainWhileTheFirstIsMissing) {
    const ImageHandle(&pictures)[2 * popup_command_count] = assets_->popup_pictures.images;
    ASSERT_EQ(pictures[close_unselected], nullptr) << "another test constructed a popup first";

    // Without the unselected close picture, every popup tries again.
    const std::string close_picture = folder_->file(picture_path(close_unselected));
    std::filesystem::rename(close_picture, folder_->file("hidden.png"));
    testing::internal::CaptureStdout();
    const Popup without_close(*assets_);
    std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(loaded_paths(output).size(), 16u) << output;
    EXPECT_EQ(pictures[close_unselected], nullptr);
    std::filesystem::rename(folder_->file("hidden.png"), close_picture);

    testing::internal::CaptureStdout();
    const Popup first(*assets_);
    output = testing::internal::GetCapturedStdout();
    // Files: the unselected pictures in command order, then the selected ones.
    std::vector<std::string> expected;
    for (int selected = 0; selected < 2; ++selected) {
        for (int command = 0; command < popup_command_count; ++command) {
            const int slot = 2 * command + selected;
            if (slot != restart_unselected) expected.push_back(picture_path(slot));
        }
    }
    EXPECT_EQ(loaded_paths(output), expected) << output;
    EXPECT_NE(output.find("*** Missing image.\n"), std::string::npos) << output;
    EXPECT_EQ(pictures[restart_unselected], nullptr);

    // Textures: command by command, unselected before selected. The pool hands
    // its names out in order, and this driver generates them ascending.
    unsigned int previous_texture = 0;
    for (int slot = 0; slot < 2 * popup_command_count; ++slot) {
        if (slot == restart_unselected) continue;
        ASSERT_NE(pictures[slot], nullptr) << slot;
        EXPECT_GT(pictures[slot]->texture, previous_texture) << slot;
        previous_texture = pictures[slot]->texture;
    }

    // Once the first entry is there, later popups load nothing.
    const auto records = [&] {
        std::vector<const Image*> table;
        for (const ImageHandle& picture : pictures) table.push_back(picture.get());
        return table;
    };
    const std::vector<const Image*> table = records();
    testing::internal::CaptureStdout();
    const Popup second(*assets_);
    output = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(loaded_paths(output).empty()) << output;
    EXPECT_EQ(records(), table);
}

TEST_F(PopupDrawing, ButtonsSitInARowAcrossTheMiddleWithTheHighlightedOneSelected) {
    Popup popup(*assets_);
    for (PopupCommand command : {PopupCommand::goat_cw, PopupCommand::goat_ccw, PopupCommand::close, PopupCommand::restart})
        popup.add_entry(command);
    const GLint modelview_depth = integer_state(GL_MODELVIEW_STACK_DEPTH);
    const GLint projection_depth = integer_state(GL_PROJECTION_STACK_DEPTH);
    popup.draw();

    // Nothing left of the row, above or below it.
    EXPECT_PIXEL(63, 240, background_rgba);
    EXPECT_PIXEL(64, 175, background_rgba);
    EXPECT_PIXEL(64, 304, background_rgba);

    // x = 64: goat_cw highlighted, its selected picture, 128 by 128.
    const Rgba goat_cw_selected = picture_colour(5);
    EXPECT_PIXEL(64, 176, goat_cw_selected);
    EXPECT_PIXEL(191, 303, goat_cw_selected);
    EXPECT_PIXEL(127, 240, goat_cw_selected);

    // x = 192: goat_ccw unselected, 100 by 60 at the top left of its 128 by 64
    // quad; the transparent margin blends away.
    const Rgba goat_ccw = picture_colour(goat_ccw_unselected);
    EXPECT_PIXEL(192, 176, goat_ccw);
    EXPECT_PIXEL(291, 235, goat_ccw);
    EXPECT_PIXEL(292, 200, background_rgba);
    EXPECT_PIXEL(200, 236, background_rgba);
    EXPECT_PIXEL(319, 239, background_rgba);
    EXPECT_PIXEL(250, 280, background_rgba);

    // x = 320: close, half transparent, blended by its alpha.
    EXPECT_PIXEL(320, 176, blended_close());
    EXPECT_PIXEL(447, 303, blended_close());

    // x = 448: restart has no unselected picture; its place stays empty.
    EXPECT_PIXEL(448, 176, background_rgba);
    EXPECT_PIXEL(511, 240, background_rgba);
    EXPECT_PIXEL(575, 303, background_rgba);
    EXPECT_PIXEL(576, 240, background_rgba);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integer_state(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer_state(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(camera.hud_depth, 0);
    EXPECT_EQ(integer_state(GL_MODELVIEW_STACK_DEPTH), modelview_depth);
    EXPECT_EQ(integer_state(GL_PROJECTION_STACK_DEPTH), projection_depth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The highlight moved on: goat_cw unselected, goat_ccw selected at full size.
    popup.handle_key(key_right, true);
    look_from_front(500, background / 255.0f);
    popup.draw();
    EXPECT_PIXEL(64, 176, picture_colour(4));
    EXPECT_PIXEL(191, 303, picture_colour(4));
    EXPECT_PIXEL(192, 176, picture_colour(7));
    EXPECT_PIXEL(319, 303, picture_colour(7));
}

TEST_F(PopupDrawing, UnknownCommandsAndMissingPicturesKeepTheirPlaces) {
    Popup popup(*assets_);
    popup.entries = {static_cast<PopupCommand>(popup_command_count), PopupCommand::restart,
                     static_cast<PopupCommand>(-1), PopupCommand::quit_no};
    popup.draw();
    for (int x : {64, 192, 320, 448}) {
        const Rgba expected = x == 448 ? picture_colour(quit_no_unselected) : background_rgba;
        EXPECT_PIXEL(x, 176, expected);
        EXPECT_PIXEL(x + 127, 303, expected);
    }

    // The popup leaves texturing as it found it.
    glDisable(GL_TEXTURE_2D);
    popup.draw();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
