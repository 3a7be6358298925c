// The command popup's eighteen button pictures as written into the game
// folder: the game draws them 128 pixels apart in a row over the 3-D view,
// blended by their alpha, the highlighted command with its "S" picture; and
// the editor's square popup's eighteen, drawn the same way in a grid.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "picture_files.h"

namespace {

constexpr int kSize = 128;
// Every button by the front of its file name.
const char* const kButtons[] = {"menuClose",  "menuClear",   "menuGoat1",  "menuGoat2",          "menuPeng",
                                "menuSkate",  "menuRestart", "menuQuitYes", "menuQuitNo",        "kindEmpty",
                                "kindPenguin", "kindTree",   "kindMarked", "kindCow",            "kindSkateboard",
                                "kindBucket", "kindFire",    "kindTunafish"};

Picture read_button(const std::string& button, char state) { return read_png("data/menu/" + button + state + ".png"); }

double luminance(const std::uint8_t* p) { return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]; }

// Brightness times coverage over a band of rows and columns.
double light(const Picture& picture, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) sum += luminance(picture.at(x, y)) * picture.at(x, y)[3] / 255.0;
    return sum;
}

// The light in the frame within `depth` pixels of the picture's edge, where
// the button's border and any glow lie.
double border_light(const Picture& picture, int depth) {
    return light(picture, 0, 0, kSize, kSize) - light(picture, depth, depth, kSize - depth, kSize - depth);
}

}  // namespace

TEST(PopupButtons, EveryCommandHasTwo128PixelButtonsClearAroundTheirRoundedCorners) {
    for (const char* command : kButtons) {
        for (char state : {'U', 'S'}) {
            SCOPED_TRACE(std::string(command) + state);
            const Picture button = read_button(command, state);
            ASSERT_EQ(button.colour_type, 6) << "8-bit RGBA";
            ASSERT_EQ(button.width, kSize);
            ASSERT_EQ(button.height, kSize);
            for (auto [x, y] : {std::pair{0, 0}, std::pair{kSize - 1, 0}, std::pair{0, kSize - 1},
                                std::pair{kSize - 1, kSize - 1}, std::pair{3, 3}})
                EXPECT_EQ(button.at(x, y)[3], 0) << "corner " << x << "," << y;
            EXPECT_EQ(button.at(kSize / 2, kSize / 2)[3], 255) << "a solid button";
            EXPECT_EQ(button.at(kSize / 2, 12)[3], 255);
        }
    }
}

TEST(PopupButtons, TheSelectedButtonIsTheSameCommandLitUp) {
    for (const char* command : kButtons) {
        SCOPED_TRACE(command);
        const Picture calm = read_button(command, 'U'), lit = read_button(command, 'S');
        ASSERT_NE(calm.rgba, lit.rgba);
        EXPECT_GT(border_light(lit, 12), 1.3 * border_light(calm, 12)) << "a brighter border or glow";
        EXPECT_GT(light(lit, 0, 0, kSize, kSize), light(calm, 0, 0, kSize, kSize)) << "a lighter face";
    }
}

TEST(PopupButtons, EachShowsItsOwnPictureAndANameInLightLettersBelowIt) {
    std::vector<Picture> calm;
    for (const char* command : kButtons) {
        for (char state : {'U', 'S'}) {
            SCOPED_TRACE(std::string(command) + state);
            const Picture button = read_button(command, state);
            // The label's rows under the drawing, inside the border.
            int lettering = 0;
            for (int y = 88; y < 116; ++y)
                for (int x = 14; x < kSize - 14; ++x) {
                    const std::uint8_t* p = button.at(x, y);
                    lettering += p[0] > 225 && p[1] > 225 && p[2] > 225 && p[3] == 255;
                }
            EXPECT_GT(lettering, 40);
            EXPECT_LT(lettering, 28 * (kSize - 28) / 2) << "letters, not a light block";
            if (state == 'U') calm.push_back(button);
        }
    }
    for (std::size_t i = 0; i < calm.size(); ++i)
        for (std::size_t j = i + 1; j < calm.size(); ++j)
            EXPECT_NE(calm[i].rgba, calm[j].rgba) << kButtons[i] << " looks like " << kButtons[j];
}

// The goat buttons wear the field's goat colours, orange for clockwise and
// blue for counter-clockwise, which a red-green-blind eye tells apart too.
TEST(PopupButtons, GoatButtonsShowTheirTurnInOrangeOrBlue) {
    const auto orange = [](const std::uint8_t* p) { return p[0] > 220 && p[1] > 110 && p[1] < 190 && p[2] < 90; };
    const auto blue = [](const std::uint8_t* p) { return p[2] > 240 && p[1] > 150 && p[0] < 140; };
    for (char state : {'U', 'S'}) {
        SCOPED_TRACE(state);
        int cw_orange = 0, cw_blue = 0, ccw_orange = 0, ccw_blue = 0;
        const Picture cw = read_button("menuGoat1", state), ccw = read_button("menuGoat2", state);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                cw_orange += orange(cw.at(x, y));
                cw_blue += blue(cw.at(x, y));
                ccw_orange += orange(ccw.at(x, y));
                ccw_blue += blue(ccw.at(x, y));
            }
        EXPECT_GT(cw_orange, 200);
        EXPECT_GT(ccw_blue, 200);
        EXPECT_LT(cw_blue, cw_orange / 10);
        EXPECT_LT(ccw_orange, ccw_blue / 10);
    }
}
