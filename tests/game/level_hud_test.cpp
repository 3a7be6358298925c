#include "game/level_hud.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

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

std::vector<HudIcon> supply_row(int supply, int used, int y) {
    std::vector<HudIcon> icons;
    for_each_supply_icon(supply, used, y, [&](const HudIcon& icon) { icons.push_back(icon); });
    return icons;
}

TEST(SupplyRows, UsedIconsStandAtTheRightEndEightPixelsApart) {
    EXPECT_EQ(supply_row(3, 1, 10), (std::vector<HudIcon>{{24, 10, true}, {16, 10, false}, {8, 10, false}}));
    EXPECT_EQ(supply_row(3, 3, 42), (std::vector<HudIcon>{{24, 42, true}, {16, 42, true}, {8, 42, true}}));
    EXPECT_EQ(supply_row(2, 0, 74), (std::vector<HudIcon>{{16, 74, false}, {8, 74, false}}));
    EXPECT_TRUE(supply_row(0, 0, 10).empty());
}

TEST(HintLines, KeepTheirWordingAndTheLastOneIsBlank) {
    EXPECT_STREQ(hint_lines[3], "Sometimes you need to clear a goat and reverse it's direction.");
    EXPECT_STREQ(hint_lines[6], "Control the camera with A, S, D, F, [ and ].");
    EXPECT_STREQ(hint_lines[7], " ");
}

}  // namespace
