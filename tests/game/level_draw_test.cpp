#include "app/camera.h"
#include "app/keys.h"
#include "app/window.h"
#include "front_view.h"
#include "game/level_hud.h"
#include "game/game_assets.h"
#include "game/level.h"
#include "gl_window.h"
#include "media/texture.h"
#include "media/text.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

using namespace floebound;

namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr Rgba quit_yes_selected = {230, 20, 20, 255};
constexpr Rgba quit_no_unselected = {20, 20, 230, 255};
constexpr Rgba close_unselected = {20, 230, 230, 255};
constexpr Rgba penguin_used = {200, 30, 30, 255};
constexpr Rgba penguin_left = {30, 30, 200, 255};
constexpr Rgba penguins_left_marker = {240, 140, 20, 255};
constexpr Rgba no_penguins_marker = {90, 20, 120, 255};
constexpr Rgba victory = {220, 30, 220, 255};

constexpr const char* system_font = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";

bool is_white(const Rgba& p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
bool is_grass(const Rgba& p) { return p[1] > p[0] + 40 && p[1] > p[2] + 40; }
bool is_yellowish(const Rgba& p) { return p[0] > 150 && p[1] > 150 && p[2] + 60 < p[0]; }
// The markers lie under the field's light, so only their hue is certain.
bool is_orange(const Rgba& p) { return p[0] > p[1] + 40 && p[1] > p[2] + 40; }
bool is_purple(const Rgba& p) { return p[2] > p[1] + 40 && p[0] > p[1] + 20; }

// Green 128 everywhere: height 0, the whole 16 by 16 map flat.
PngPicture flat_field() { return solid_png(16, 16, {0, 128, 0, 255}); }

// A cow at (6, 5), out of the way; a fire at (1, 6) when asked for.
std::string level_text(bool with_fire) {
    return std::string("........\n........\n........\n........\n........\n......C.\n") +
           (with_fire ? ".F......\n" : "........\n") + "........\n";
}

Rgba colour_at(float x, float y, float z) {
    const PixelPosition pixel = pixel_of(x, y, z);
    EXPECT_TRUE(pixel.x >= 2 && pixel.x < gl_window_width() - 2 && pixel.y >= 2 && pixel.y < gl_window_height() - 2)
        << x << "," << z << " is off screen";
    return pixel_at(pixel.x, pixel.y);
}

bool white_near(float x, float y, float z) {
    const PixelPosition pixel = pixel_of(x, y, z);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (is_white(pixel_at(pixel.x + dx, pixel.y + dy))) return true;
    return false;
}

// The Level drawn as the main loop draws it, from its own orbit camera, over
// the game's projection and light, in a scratch game folder holding a flat
// field, a grass picture, a sprite sheet, three popup pictures, the penguin
// square and HUD pictures, the victory picture and the font.
class LevelDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(camera.screen_width, camera.screen_height);
        if (gl_window_width() == camera.screen_width) init_texture_pool();
    }

    void SetUp() override {
        ASSERT_EQ(gl_window_width(), camera.screen_width) << "the OpenGL window did not open";
        std::filesystem::create_directories(dir_.file("data/menu"));
        write("data/field.png", flat_field());
        write("data/grass4.png", solid_png(2, 2, {60, 170, 60, 255}));
        // A sprite sheet of plain white cells, so particles show their own colours.
        write("data/particle.png", solid_png(64, 64, {255, 255, 255, 255}));
        write("data/menu/menuQuitYesS.png", solid_png(128, 128, quit_yes_selected));
        write("data/menu/menuQuitNoU.png", solid_png(128, 128, quit_no_unselected));
        // Present, so that the popup pictures load once and not with every popup.
        write("data/menu/menuCloseU.png", solid_png(128, 128, close_unselected));
        std::filesystem::create_directories(dir_.file("data/hud"));
        write("data/hud/PengOFFs.png", solid_png(32, 32, penguin_used));
        write("data/hud/PengONs.png", solid_png(32, 32, penguin_left));
        write("data/fbdPengNOn.png", solid_png(64, 64, penguins_left_marker));
        write("data/fbdPengNOff.png", solid_png(64, 64, no_penguins_marker));
        write("data/Victory.png", solid_png(256, 256, victory));
        ASSERT_EQ(symlink(system_font, dir_.file("data/vera.ttf").c_str()), 0);

        // The game's own projection, clear colour and light.
        set_view_state();
        glLoadIdentity();
        set_light();

        level_ = std::make_unique<Level>(assets_);
    }
    void TearDown() override { level_.reset(); }

    void write(const std::string& name, const PngPicture& picture) {
        ASSERT_TRUE(write_png(dir_.file(name), picture)) << name;
    }

    void load(bool with_fire, const std::string& settings = "") {
        std::ofstream(dir_.file("data/level.txt")) << level_text(with_fire) << settings;
        level_->load_level("data/level.txt");
        ASSERT_EQ(level_->cows.size(), 1u);
    }

    // One frame: an update places the eye on the level's orbit.
    void frame() {
        level_->update(18);
        draw_only();
    }
    // One drawn frame, as the main loop ends it.
    void draw_only() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        apply_camera(camera);
        level_->draw();
        level_->end_frame();
        glFinish();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    ScratchGameFolder dir_;
    GameAssets assets_;  // the folder holds no sounds; drawing plays none
    std::unique_ptr<Level> level_;
};

TEST_F(LevelDrawing, FieldShowsGridLinesAndTheCursorSquare) {
    load(false);
    ASSERT_NO_FATAL_FAILURE(frame());

    for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 8; ++row) {
            const CellCentre centre = cell_centre(column, row);
            // The square's borders toward lower column and row, away from the corners.
            EXPECT_TRUE(white_near(centre.x - 32, 0, centre.z)) << column << "," << row;
            EXPECT_TRUE(white_near(centre.x, 0, centre.z - 32)) << column << "," << row;
            const Rgba middle = colour_at(centre.x, 0, centre.z);
            if (column == 3 && row == 3) {
                EXPECT_TRUE(is_yellowish(middle)) << "the cursor starts on column 3, row 3";
            } else {
                EXPECT_TRUE(is_grass(middle)) << column << "," << row;
            }
        }
    }

    // Up moves the cursor to the next column; the highlight follows.
    level_->handle_key(key_up, false);
    ASSERT_NO_FATAL_FAILURE(frame());
    const CellCentre left = cell_centre(3, 3);
    const CellCentre cursor = cell_centre(4, 3);
    EXPECT_TRUE(is_grass(colour_at(left.x, 0, left.z)));
    EXPECT_TRUE(is_yellowish(colour_at(cursor.x, 0, cursor.z)));
}

TEST_F(LevelDrawing, OpenPopupDrawsOverTheFieldInTheMiddleOfTheScreen) {
    load(false);
    level_->handle_key(key_escape, true);
    ASSERT_NE(level_->popup, nullptr);
    ASSERT_NO_FATAL_FAILURE(frame());

    // Two 128-pixel buttons side by side, centred; the first highlighted.
    const int middle_x = camera.screen_width / 2;
    const int middle_y = camera.screen_height / 2;
    EXPECT_EQ(pixel_at(middle_x - 64, middle_y), quit_yes_selected);
    EXPECT_EQ(pixel_at(middle_x - 127, middle_y - 63), quit_yes_selected);
    EXPECT_EQ(pixel_at(middle_x + 64, middle_y), quit_no_unselected);
    EXPECT_EQ(pixel_at(middle_x + 127, middle_y + 63), quit_no_unselected);
    EXPECT_NE(pixel_at(middle_x - 129, middle_y), quit_yes_selected);
    EXPECT_NE(pixel_at(middle_x, middle_y + 65), quit_no_unselected);

    // A won level shows no popup, and lets space through to move on.
    level_->handle_key(key_tab, false);
    ASSERT_NO_FATAL_FAILURE(frame());
    EXPECT_EQ(level_->popup, nullptr);
    EXPECT_FALSE(level_->popup_open);
    EXPECT_NE(pixel_at(middle_x - 64, middle_y), quit_yes_selected);
    EXPECT_NE(pixel_at(middle_x + 64, middle_y), quit_no_unselected);
}

TEST_F(LevelDrawing, FiresBurnOverTheFieldAndLeaveBlendingOff) {
    load(true);
    ASSERT_EQ(level_->fires.size(), 2u);
    for (int i = 0; i < 20; ++i) level_->update(18);
    ASSERT_NO_FATAL_FAILURE(frame());
    const std::vector<Rgba> burning = read_window();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    level_->fires.clear();
    ASSERT_NO_FATAL_FAILURE(frame());
    const std::vector<Rgba> unlit = read_window();

    int reddened = 0;
    for (std::size_t i = 0; i < unlit.size(); ++i)
        if (burning[i][0] > unlit[i][0] + 20) ++reddened;
    EXPECT_GT(reddened, 20) << "the flames should show orange over the green field";
}

// A penguin square at (2, 1) with penguinMax 3: the penguin row and the
// square's marker follow the penguins activated; the level number shows at
// its place.
TEST_F(LevelDrawing, HudShowsSuppliesLevelNumberAndLitPenguinSquares) {
    std::ofstream(dir_.file("data/level.txt")) << "........\n..D.....\n........\n........\n"
                                               << "........\n......C.\n........\n........\n"
                                               << "penguinMax=3\n";
    level_->load_level("data/level.txt");
    ASSERT_EQ(level_->penguinMax, 3);
    level_->penguins.emplace_back();
    ASSERT_NO_FATAL_FAILURE(frame());

    // Icons 32 pixels wide at x 24 (used), 16 and 8 (left), y 10: each later
    // one covers the earlier, so the used one shows only right of x 47. The
    // count of penguins left stands from x 38, rows 18 to 33.
    EXPECT_EQ(pixel_at(52, 12), penguin_used);
    EXPECT_EQ(pixel_at(55, 41), penguin_used);
    EXPECT_EQ(pixel_at(44, 36), penguin_left);
    EXPECT_EQ(pixel_at(8, 10), penguin_left);
    EXPECT_NE(pixel_at(56, 36), penguin_used);
    EXPECT_NE(pixel_at(52, 9), penguin_used);
    EXPECT_NE(pixel_at(7, 20), penguin_left);
    const CellCentre square = cell_centre(2, 1);
    EXPECT_TRUE(is_orange(colour_at(square.x, 0, square.z))) << "the lit penguin square";
    // White figures rimmed in black over the icons and whatever lies right of them.
    const auto count_area = [] {
        std::vector<Rgba> area;
        int white = 0, black = 0;
        for (int y = 16; y < 36; ++y)
            for (int x = 36; x < 100; ++x) {
                area.push_back(pixel_at(x, y));
                white += area.back() == Rgba{255, 255, 255, 255};
                black += area.back()[0] < 40 && area.back()[1] < 40 && area.back()[2] < 40;
            }
        EXPECT_GT(white, 20) << "the count's figures";
        EXPECT_GT(black, white / 2) << "their dark rim";
        return area;
    };
    const std::vector<Rgba> two_left = count_area();

    level_->penguins.emplace_back();
    level_->penguins.emplace_back();
    ASSERT_NO_FATAL_FAILURE(frame());
    EXPECT_EQ(pixel_at(44, 36), penguin_used);
    EXPECT_EQ(pixel_at(8, 10), penguin_used);
    EXPECT_NE(count_area(), two_left) << "the count follows the penguins used";
    EXPECT_TRUE(is_purple(colour_at(square.x, 0, square.z))) << "the unlit penguin square";

    // "Level 1" for level number 0: where a reference drawing of that text is
    // fully white the frame is white, where it left the black untouched the
    // frame is not. The field moves beyond the far plane, so only sky lies
    // behind the text.
    level_->orbit.orbit_dist = 4000;
    ASSERT_NO_FATAL_FAILURE(frame());
    const std::vector<Rgba> frame_pixels = read_window();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    begin_hud(camera);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    TextRect pen = {static_cast<std::int16_t>(camera.screen_width - 160), 20, 0, 0};
    draw_text(assets_.fonts.table(), "Level 1", 1, {255, 255, 255, 0}, &pen);
    glDisable(GL_BLEND);
    end_hud(camera);
    const std::vector<Rgba> reference = read_window();
    ASSERT_GT(pen.w, 0) << "the font did not open";
    int glyph_pixels = 0;
    for (int y = pen.y; y < pen.y + pen.h; ++y) {
        for (int x = pen.x; x < pen.x + pen.w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * camera.screen_width + x);
            if (reference[i][0] > 250) {
                ++glyph_pixels;
                EXPECT_TRUE(is_white(frame_pixels[i])) << x << "," << y;
            } else if (reference[i][0] == 0) {
                EXPECT_FALSE(is_white(frame_pixels[i])) << x << "," << y;
            }
        }
    }
    EXPECT_GT(glyph_pixels, 20);
}

// The largest supplies a level file can give draw a row from x 8 to the
// screen's right edge, and the frame completes.
TEST_F(LevelDrawing, LargestSuppliesFillTheRowToTheRightEdge) {
    load(false, "penguinMax=2147483647\ngoatMax=-2147483648\n");
    ASSERT_EQ(level_->penguinMax, 2147483647);
    ASSERT_NO_FATAL_FAILURE(frame());
    EXPECT_EQ(pixel_at(8, 10), penguin_left);
    EXPECT_EQ(pixel_at(camera.screen_width - 1, 10), penguin_left);
    EXPECT_EQ(pixel_at(camera.screen_width / 2, 41), penguin_left);
    EXPECT_NE(pixel_at(7, 20), penguin_left);
}

TEST_F(LevelDrawing, WonLevelShowsTheVictoryPictureCentredAndCirclesTheField) {
    load(false);
    level_->handle_key(key_tab, false);
    const float phi = level_->orbit.orbit_phi;
    ASSERT_NO_FATAL_FAILURE(draw_only());
    EXPECT_FLOAT_EQ(level_->orbit.orbit_phi, phi + 0.01f);
    ASSERT_NO_FATAL_FAILURE(draw_only());
    EXPECT_FLOAT_EQ(level_->orbit.orbit_phi, phi + 0.02f);
    level_->draw();  // drawing alone changes nothing
    EXPECT_FLOAT_EQ(level_->orbit.orbit_phi, phi + 0.02f);

    const int left = (camera.screen_width - 256) / 2;
    const int top = (camera.screen_height - 128) / 2;
    EXPECT_EQ(pixel_at(left, top), victory);
    EXPECT_EQ(pixel_at(left + 255, top + 255), victory);
    EXPECT_NE(pixel_at(left - 1, top + 10), victory);
    EXPECT_NE(pixel_at(left + 10, top - 1), victory);
    EXPECT_NE(pixel_at(left + 256, top + 10), victory);
}

}  // namespace
