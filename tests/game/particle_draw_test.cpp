#include "front_view.h"
#include "game/particles.h"
#include "gl_window.h"
#include "media/image.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace floebound;

namespace {

constexpr int background = 64;

// The sheet is read from the game folder, which each test makes a scratch
// folder of its own. Writes it there: 16 by 16, opaque white only in cell 8
// (first column, third row).
void write_sheet(const ScratchGameFolder& folder) {
    std::filesystem::create_directories(folder.file("data"));
    PngPicture sheet;
    sheet.width = sheet.height = 16;
    sheet.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const unsigned value = x < 4 && y / 4 == 2 ? 255 : 0;
            sheet.samples.insert(sheet.samples.end(), {value, value, value, value});
        }
    }
    ASSERT_TRUE(write_png(folder.file("data/particle.png"), sheet));
}

// Over the grey background: pixels made redder, pixels made darker in red
// or green, pixels whose blue changed, and changes further than 30 units from
// the origin (fire stays closer for its first 180 ms).
struct Survey {
    int brighter = 0, darker = 0, blue_changed = 0, far_changed = 0;
};

Survey survey() {
    const PixelPosition low_left = pixel_of(-30, -30, 0);
    const PixelPosition high_right = pixel_of(30, 30, 0);
    const auto pixels = read_window();
    Survey found;
    for (int y = 0; y < gl_window_height(); ++y) {
        for (int x = 0; x < gl_window_width(); ++x) {
            const auto& pixel = pixels[static_cast<std::size_t>(y) * gl_window_width() + x];
            const bool near = x >= low_left.x && x <= high_right.x && y >= high_right.y && y <= low_left.y;
            const bool changed = pixel[0] != background || pixel[1] != background || pixel[2] != background;
            found.brighter += pixel[0] > background + 40;
            found.darker += pixel[0] < background - 1 || pixel[1] < background - 1;
            found.blue_changed += pixel[2] != background;
            found.far_changed += !near && changed;
        }
    }
    return found;
}

ParticleEmitter burning_fire(ParticleSheet& sheet) {
    ParticleEmitter emitter;
    emitter_start(emitter, &fire_params_1, sheet.get(), 0, 0, 0);
    for (int n = 0; n < 10; ++n) emitter_update(emitter, 18);
    EXPECT_GT(emitter.count, 0);
    return emitter;
}

GLint integer_state(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

class ParticleDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        open_gl_window(128, 128);
        init_texture_pool();
    }
    void SetUp() override {
        look_from_front(200, background / 255.0f);
        glBlendFunc(GL_ONE, GL_ONE);
    }
};

TEST_F(ParticleDrawing, MissingSheetIsReportedAndTriedAgainAtTheNextStart) {
    const ScratchGameFolder folder;
    ParticleSheet sheets;
    testing::internal::CaptureStdout();
    ParticleEmitter emitter = burning_fire(sheets);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_EQ(emitter.sheet, nullptr);
    EXPECT_NE(output.find("*** Missing image.\n"), std::string::npos) << output;

    // The sprites still draw, in the state the caller left, untextured here.
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    emitter_draw(emitter);
    EXPECT_GT(survey().brighter, 0);
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));

    write_sheet(folder);
    emitter_start(emitter, &fire_params_1, sheets.get(), 0, 0, 0);
    const Image* sheet = emitter.sheet;
    ASSERT_NE(sheet, nullptr);
    EXPECT_NE(sheet->texture, 0u);
    emitter_start(emitter, &fire_params_2, sheets.get(), 0, 0, 0);
    EXPECT_EQ(emitter.sheet, sheet);
}

TEST_F(ParticleDrawing, FireAddsItsColoursAroundItsOriginThroughTheSheetsCell) {
    const ScratchGameFolder folder;
    write_sheet(folder);
    ParticleSheet sheet;
    ParticleEmitter emitter = burning_fire(sheet);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    // Emitters with nothing to show touch nothing.
    ParticleEmitter inactive;
    ParticleEmitter empty;
    emitter_start(empty, &fire_params_1, sheet.get(), 0, 0, 0);
    emitter_draw(inactive);
    emitter_draw(empty);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    const GLint stack_depth = integer_state(GL_MODELVIEW_STACK_DEPTH);
    emitter_draw(emitter);

    // Orange to red added to grey: red rises near the origin and nothing
    // darkens; blue, 0 in both fire colours, stays as an additive blend leaves
    // it and an alpha blend would not.
    const Survey found = survey();
    EXPECT_GT(found.brighter, 20);
    EXPECT_EQ(found.darker, 0);
    EXPECT_EQ(found.blue_changed, 0);
    EXPECT_EQ(found.far_changed, 0);

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_EQ(integer_state(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(integer_state(GL_ALPHA_TEST_FUNC), GL_GREATER);
    EXPECT_EQ(integer_state(GL_TEXTURE_BINDING_2D), static_cast<GLint>(sheet.get()->texture));
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4);
    EXPECT_EQ(integer_state(GL_MODELVIEW_STACK_DEPTH), stack_depth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Through a transparent cell of the sheet the same particles show nothing.
    EmitterParams transparent_cell = fire_params_1;
    transparent_cell.cell = 15;
    emitter.params = &transparent_cell;
    look_from_front(200, background / 255.0f);
    emitter_draw(emitter);
    EXPECT_EQ(survey().brighter, 0);
}

}  // namespace
