#include "gl_window.h"
#include "media/text.h"
#include "scratch_game_folder.h"

#include <GL/gl.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace floebound;

namespace {

constexpr const char* system_font = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";

// The fonts come from "data/vera.ttf" in the game folder: a scratch folder
// that holds the system's copy there.
class Text : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<ScratchGameFolder>();
        ASSERT_EQ(mkdir(folder->file("data").c_str(), 0755), 0);
        ASSERT_EQ(symlink(system_font, folder->file("data/vera.ttf").c_str()), 0);
    }
    static void TearDownTestSuite() { folder.reset(); }
    // One size throughout: a window reopened at another size reads back black.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(open_gl_window(200, 100)); }
    static inline std::unique_ptr<ScratchGameFolder> folder;
    Fonts fonts_;
};

// Additive blending over a dark background, in HUD pixels.
void prepare_hud(GLfloat background) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, gl_window_width(), gl_window_height(), 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glClearColor(background, background, background, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
}

// Bottom row first, as OpenGL reads.
std::vector<GLubyte> read_window() {
    std::vector<GLubyte> pixels(std::size_t{4} * gl_window_width() * gl_window_height());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, gl_window_width(), gl_window_height(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

int live_textures() {
    int count = 0;
    for (GLuint name = 1; name < 4096; ++name) count += glIsTexture(name) ? 1 : 0;
    return count;
}

}  // namespace

TEST(TextureSize, SmallestPowerOfTwoNotBelow) {
    const int cases[][2] = {{1, 1}, {2, 2}, {3, 4}, {17, 32}, {57, 64}, {64, 64}, {65, 128}};
    for (const auto& c : cases) EXPECT_EQ(texture_size_for(c[0]), c[1]) << c[0];
    // Exact powers are where the logarithm could round up a size too far.
    for (int p = 4; p <= 16384; p *= 2) {
        EXPECT_EQ(texture_size_for(p), p);
        EXPECT_EQ(texture_size_for(p - 1), p);
        EXPECT_EQ(texture_size_for(p + 1), 2 * p);
    }
}

TEST_F(Text, FontsOpenOnceAtFirstUse) {
    testing::internal::CaptureStdout();
    FontTable& fonts = fonts_.table();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(fonts.size(), 6u);
    const int point_sizes[] = {24, 14, 14, 10, 8, 8};
    for (int id = 0; id < 6; ++id) {
        ASSERT_NE(fonts[id], nullptr) << id;
        TTF_Font* reference = TTF_OpenFont(system_font, point_sizes[id]);
        ASSERT_NE(reference, nullptr);
        EXPECT_EQ(TTF_FontHeight(fonts[id]), TTF_FontHeight(reference)) << id;
        TTF_CloseFont(reference);
    }

    const FontTable opened = fonts;
    TextRect rect = {0, 0, 0, 0};
    draw_text(fonts_.table(), "again", 1, {255, 255, 255, 0}, &rect);
    EXPECT_EQ(&fonts_.table(), &fonts);
    EXPECT_EQ(fonts, opened);
    // An unknown id draws nothing and must not add an entry.
    rect = {0, 0, 9, 9};
    draw_text(fonts, "x", 9, {255, 255, 255, 0}, &rect);
    EXPECT_EQ(rect.w, 0);
    EXPECT_EQ(rect.h, 0);
    EXPECT_EQ(fonts.size(), 6u);
}

TEST_F(Text, DrawsGlyphsAdditivelyInsideTheTextBoxOnly) {
    constexpr GLubyte background = 51;
    prepare_hud(background / 255.0f);
    const int textures_before = live_textures();
    glColor3f(0.2f, 0.3f, 0.4f);

    const char* text = "Floe 57";
    TextRect white = {13, 9, 0, 0};
    draw_text(fonts_.table(), text, 1, {255, 255, 255, 0}, &white);
    int text_width = 0;
    int text_height = 0;
    ASSERT_EQ(TTF_SizeText(fonts_.table().at(1), text, &text_width, &text_height), 0);
    EXPECT_EQ(white.w, text_width);
    EXPECT_EQ(white.h, text_height);
    // Red only: catches channels swapped on the way to the texture.
    TextRect red = {13, 60, 0, 0};
    draw_text(fonts_.table(), text, 1, {255, 0, 0, 0}, &red);

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1);
    EXPECT_FLOAT_EQ(colour[1], 1);
    EXPECT_FLOAT_EQ(colour[2], 1);
    EXPECT_EQ(live_textures(), textures_before);
    EXPECT_EQ(glGetError(), GLenum{GL_NO_ERROR});

    // Reference coverage of the same line, to compare the box pixel by pixel.
    SDL_Surface* coverage = TTF_RenderText_Blended(fonts_.table().at(1), text, {255, 255, 255, 0});
    ASSERT_NE(coverage, nullptr);
    ASSERT_EQ(coverage->format->BytesPerPixel, 4);
    const auto alpha_at = [coverage](int x, int y) {
        Uint32 value = 0;
        std::memcpy(&value, static_cast<const Uint8*>(coverage->pixels) + y * coverage->pitch + 4 * x, 4);
        Uint8 r, g, b, a;
        SDL_GetRGBA(value, coverage->format, &r, &g, &b, &a);
        return int{a};
    };
    int off_coverage = 0;

    const std::vector<GLubyte> pixels = read_window();
    const auto inside = [](const TextRect& r, int x, int y) {
        return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
    };
    int brightest_white = 0;
    int brightest_red = 0;
    int red_leaks = 0;
    int changed_outside = 0;
    for (int y = 0; y < gl_window_height(); ++y)
        for (int x = 0; x < gl_window_width(); ++x) {
            const GLubyte* p = &pixels[std::size_t{4} * ((gl_window_height() - 1 - y) * gl_window_width() + x)];
            if (inside(white, x, y)) {
                brightest_white = std::max(brightest_white, std::min({p[0], p[1], p[2]}) + 0);
                // Blending rounds a little on the way; a shifted or scaled quad is off by far more.
                const int expected = std::min(255, background + alpha_at(x - white.x, y - white.y));
                if (std::abs(p[0] - expected) > 3) ++off_coverage;
            } else if (inside(red, x, y)) {
                brightest_red = std::max(brightest_red, int{p[0]});
                if (p[1] != background || p[2] != background) ++red_leaks;
            } else if (p[0] != background || p[1] != background || p[2] != background) {
                ++changed_outside;
            }
        }
    EXPECT_GE(brightest_white, 250);
    EXPECT_GE(brightest_red, 250);
    EXPECT_EQ(red_leaks, 0);
    EXPECT_EQ(changed_outside, 0);
    EXPECT_EQ(off_coverage, 0);
    SDL_FreeSurface(coverage);
}

TEST_F(Text, EmptyTextDrawsNothing) {
    prepare_hud(0.2f);
    const std::vector<GLubyte> before = read_window();
    TextRect rect = {0, 0, 7, 7};
    draw_text(fonts_.table(), "", 1, {255, 255, 255, 0}, &rect);
    EXPECT_EQ(rect.w, 0);
    EXPECT_EQ(rect.h, 0);
    EXPECT_EQ(read_window(), before);
}

// White text on snow: the rim darkens what lies round the glyphs, the glyphs
// themselves stay white, and nothing beyond a pixel of the text box changes.
TEST_F(Text, OutlinedTextHasADarkRimOnAWhiteBackground) {
    prepare_hud(1.0f);
    glColor3f(0.2f, 0.3f, 0.4f);
    TextRect rect = {20, 30, 0, 0};
    draw_outlined_text(fonts_.table(), "Floe 57", 1, {255, 255, 255, 0}, &rect);
    int text_width = 0;
    int text_height = 0;
    ASSERT_EQ(TTF_SizeText(fonts_.table().at(1), "Floe 57", &text_width, &text_height), 0);
    EXPECT_EQ(rect.w, text_width);
    EXPECT_EQ(rect.h, text_height);
    GLint blend[2] = {};
    glGetIntegerv(GL_BLEND_SRC, &blend[0]);
    glGetIntegerv(GL_BLEND_DST, &blend[1]);
    EXPECT_EQ(blend[0], GL_ONE);
    EXPECT_EQ(blend[1], GL_ONE);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[2], 1);

    SDL_Surface* coverage = TTF_RenderText_Blended(fonts_.table().at(1), "Floe 57", {255, 255, 255, 0});
    ASSERT_NE(coverage, nullptr);
    const auto covered = [coverage](int x, int y) {
        if (x < 0 || y < 0 || x >= coverage->w || y >= coverage->h) return 0;
        Uint32 value = 0;
        std::memcpy(&value, static_cast<const Uint8*>(coverage->pixels) + y * coverage->pitch + 4 * x, 4);
        Uint8 r, g, b, a;
        SDL_GetRGBA(value, coverage->format, &r, &g, &b, &a);
        return int{a};
    };
    const std::vector<GLubyte> pixels = read_window();
    int glyphs = 0, grey_glyphs = 0, rim = 0, light_rim = 0, changed_far = 0;
    for (int y = 0; y < gl_window_height(); ++y)
        for (int x = 0; x < gl_window_width(); ++x) {
            const GLubyte* p = &pixels[std::size_t{4} * ((gl_window_height() - 1 - y) * gl_window_width() + x)];
            const int tx = x - rect.x, ty = y - rect.y;
            int near = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) near = std::max(near, covered(tx + dx, ty + dy));
            if (covered(tx, ty) == 255) {
                ++glyphs;
                grey_glyphs += std::min({p[0], p[1], p[2]}) < 250;
            } else if (covered(tx, ty) == 0 && near == 255) {
                ++rim;
                light_rim += std::max({p[0], p[1], p[2]}) > 60;
            } else if (near == 0) {
                changed_far += p[0] != 255 || p[1] != 255 || p[2] != 255;
            }
        }
    SDL_FreeSurface(coverage);
    EXPECT_GT(glyphs, 20);
    EXPECT_EQ(grey_glyphs, 0);
    EXPECT_GT(rim, glyphs / 2);
    EXPECT_EQ(light_rim, 0) << "a pixel next to a solid glyph pixel is dark";
    EXPECT_EQ(changed_far, 0);
}

// Over black the rim darkens nothing, so every pixel of the line shows the
// glyphs' coverage doubled, to its last letter: a line brightened in part
// shows its soft edges at half strength.
TEST_F(Text, OutlinedTextShowsDoubledCoverageAcrossTheWholeLine) {
    prepare_hud(0.0f);
    const char* text = "Floe 57, a long line of ice";
    TextRect rect = {4, 40, 0, 0};
    draw_outlined_text(fonts_.table(), text, 1, {255, 255, 255, 0}, &rect);
    SDL_Surface* coverage = TTF_RenderText_Blended(fonts_.table().at(1), text, {255, 255, 255, 0});
    ASSERT_NE(coverage, nullptr);
    ASSERT_LE(rect.x + coverage->w, gl_window_width());
    const std::vector<GLubyte> pixels = read_window();
    int soft = 0, wrong = 0;
    for (int y = 0; y < coverage->h; ++y)
        for (int x = 0; x < coverage->w; ++x) {
            Uint32 value = 0;
            std::memcpy(&value, static_cast<const Uint8*>(coverage->pixels) + y * coverage->pitch + 4 * x, 4);
            Uint8 r, g, b, a;
            SDL_GetRGBA(value, coverage->format, &r, &g, &b, &a);
            const int row = gl_window_height() - 1 - (rect.y + y);
            const GLubyte drawn = pixels[std::size_t{4} * (row * gl_window_width() + rect.x + x)];
            soft += a > 20 && a < 120;
            wrong += std::abs(drawn - std::min(255, 2 * a)) > 4;
        }
    SDL_FreeSurface(coverage);
    EXPECT_GT(soft, 50);
    EXPECT_EQ(wrong, 0);
}
