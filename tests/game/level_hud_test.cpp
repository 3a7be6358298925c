#include "game/level_hud.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

using namespace floebound;

std::ostream& operator<<(std::ostream& out, const MarkerPicture& marker) {
    return out << "table " << marker.table << " index " << marker.index;
}

std::ostream& operator<<(std::ostream& out, const HudIcon& icon) {
    return out << (icon.used ? "used" : "left") << " at " << icon.x << "," << icon.y;
}

namespace {

MarkerPicture square_image(int index) { return {MarkerPicture::square_images, index}; }
MarkerPicture level_art(int index) { return {MarkerPicture::level_art, index}; }
constexpr MarkerPicture no_marker = {MarkerPicture::none, 0};

MarkerPicture marker(CellKind kind, int column = 0, int row = 0, int goat_clock = 1500, bool penguins_left = true,
                     bool skateboards_left = true) {
    return marker_picture(kind, column, row, goat_clock, penguins_left, skateboards_left);
}

TEST(FieldMarkers, SquaresShowTheirPictureAndSupplySquaresLightWhileSuppliesLast) {
    EXPECT_EQ(marker(CellKind::penguin_square, 2, 5, 700, true, false), square_image(1));
    EXPECT_EQ(marker(CellKind::penguin_square, 2, 5, 700, false, true), square_image(0));
    EXPECT_EQ(marker(CellKind::skateboard_square, 2, 5, 700, false, true), square_image(3));
    EXPECT_EQ(marker(CellKind::skateboard_square, 2, 5, 700, true, false), square_image(2));
    EXPECT_EQ(marker(CellKind::target), square_image(4));
    EXPECT_EQ(marker(CellKind::tree), level_art(12));
    EXPECT_EQ(marker(CellKind::fire), level_art(12));
    for (CellKind kind : {CellKind::empty, CellKind::cow, CellKind::bucket, CellKind::tunafish, CellKind::off_grid})
        EXPECT_EQ(marker(kind), no_marker) << static_cast<int>(kind);
}

TEST(FieldMarkers, GoatSquaresStepThroughTheirFramesAsTheClockRunsDown) {
    const int clocks[] = {1499, 1000, 999, 500, 499, 1};
    const int frames[] = {0, 0, 1, 1, 2, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(marker(CellKind::goat_cw, 0, 0, clocks[i]), level_art(frames[i])) << clocks[i];
        EXPECT_EQ(marker(CellKind::goat_ccw, 0, 0, clocks[i]), level_art(3 + frames[i])) << clocks[i];
    }
    // (7, 7) runs 140 ms ahead: t = 1639, the third frame.
    EXPECT_EQ(marker(CellKind::goat_cw, 7, 7, 1499), level_art(2));
    EXPECT_EQ(marker(CellKind::goat_ccw, 7, 7, 1499), level_art(5));
    // The shift counts column and row alike: (3, 0) and (0, 3) change together.
    EXPECT_EQ(marker(CellKind::goat_cw, 3, 0, 970), level_art(0));
    EXPECT_EQ(marker(CellKind::goat_cw, 0, 3, 969), level_art(1));
}

constexpr int wide_screen = 1920;

std::vector<HudIcon> supply_row(int supply, int used, int y, int screen_width = wide_screen) {
    std::vector<HudIcon> icons;
    for_each_supply_icon(supply, used, y, screen_width, [&](const HudIcon& icon) { icons.push_back(icon); });
    return icons;
}

TEST(SupplyRows, UsedIconsStandAtTheRightEndEightPixelsApart) {
    EXPECT_EQ(supply_row(3, 1, 10), (std::vector<HudIcon>{{24, 10, true}, {16, 10, false}, {8, 10, false}}));
    EXPECT_EQ(supply_row(3, 3, 42), (std::vector<HudIcon>{{24, 42, true}, {16, 42, true}, {8, 42, true}}));
    EXPECT_EQ(supply_row(2, 0, 74), (std::vector<HudIcon>{{16, 74, false}, {8, 74, false}}));
    EXPECT_TRUE(supply_row(0, 0, 10).empty());
}

// Any supply a level file can hold: a row is cut at the screen's right edge,
// found without walking the icons beyond it, and nothing overflows.
TEST(SupplyRows, ExtremeSuppliesDrawAtMostAScreenfulFromTheLeft) {
    EXPECT_TRUE(supply_row(INT_MIN, 0, 10).empty());
    EXPECT_TRUE(supply_row(-1, 0, 10).empty());
    EXPECT_TRUE(supply_row(0, 5, 10).empty());

    for (const int supply : {300, 1000000, INT_MAX - 1, INT_MAX}) {
        SCOPED_TRACE(supply);
        for (const int used : {0, 2, INT_MAX}) {
            const std::vector<HudIcon> icons = supply_row(supply, used, 42);
            ASSERT_LE(icons.size(), static_cast<std::size_t>(wide_screen / hud_icon_spacing));
            ASSERT_FALSE(icons.empty());
            EXPECT_GT(icons.front().x, wide_screen - 1 - hud_icon_spacing) << "the row reaches the right edge";
            EXPECT_EQ(icons.back(), (HudIcon{hud_icon_spacing, 42, used == INT_MAX})) << "and ends where any row ends";
            for (std::size_t i = 1; i < icons.size(); ++i)
                ASSERT_EQ(icons[i].x, icons[i - 1].x - hud_icon_spacing) << i;
            // The used icons stand beyond the edge unless all are used.
            EXPECT_EQ(icons.front().used, used == INT_MAX);
        }
    }

    // A row that fits keeps its own length; the first one that does not is cut
    // to the same screenful.
    const int fits = (wide_screen - 1) / hud_icon_spacing;
    EXPECT_EQ(supply_row(fits, 0, 10).size(), static_cast<std::size_t>(fits));
    EXPECT_EQ(supply_row(fits + 1, 0, 10), supply_row(INT_MAX, 0, 10));
    EXPECT_TRUE(supply_row(3, 0, 10, 0).empty());
}

TEST(HintLines, KeepTheirWordingAndTheLastOneIsBlank) {
    EXPECT_STREQ(hint_lines[3], "Sometimes you need to clear a goat and reverse it's direction.");
    EXPECT_STREQ(hint_lines[6], "Control the camera with A, S, D, F, [ and ].");
    EXPECT_STREQ(hint_lines[7], " ");
}

}  // namespace
