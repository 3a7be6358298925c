#pragma once

#include "puzzle/grid.h"

namespace floebound {

// What the level's drawing shows, worked out without OpenGL.

// The hint line texts by hint index, 0 to 7.
extern const char* const hint_lines[8];

// level_art entries besides the goat frames (0 to 5).
enum LevelArt : int {
    art_penguin_used = 6,
    art_penguin_left = 7,
    art_skateboard_used = 8,
    art_skateboard_left = 9,
    art_goat_used = 10,
    art_goat_left = 11,
    art_shrub = 12,
    art_victory = 13,
};

// The flat picture drawn over a square: an entry of square_images or of
// level_art, or none.
struct MarkerPicture {
    enum Table { none, square_images, level_art } table;
    int index;
    bool operator==(const MarkerPicture& other) const { return table == other.table && index == other.index; }
};

// goat_clock counts down through 1..1500; goat squares step through their
// three frames every 500 ms, each square shifted by 10 ms per column and row
// so the frames ripple along the diagonals.
MarkerPicture marker_picture(CellKind kind, int column, int row, int goat_clock, bool penguins_left,
                             bool skateboards_left);

// One supply icon of the HUD, at its top-left corner in HUD pixels.
struct HudIcon {
    int x, y;
    bool used;
    bool operator==(const HudIcon& other) const { return x == other.x && y == other.y && used == other.used; }
};

constexpr int hud_icon_spacing = 8;

// Calls visit with each icon of a supply row in drawing order, right to left
// from x = supply * 8, 8 pixels apart: the used icons first (at the right
// end), then the ones left. A row never holds more icons than its supply, and
// a supply of 0 or less draws none. Only icons starting left of screen_width
// are visited, and the first of them is found without walking the ones beyond,
// so a level file's largest supply costs no more than a screenful of icons
// and no position overflows. The rows are drawn every frame, so the icons are
// handed over one by one rather than collected.
template <typename Visit>
void for_each_supply_icon(int supply, int used, int y, int screen_width, Visit visit) {
    if (supply <= 0 || screen_width <= 0) return;
    // Icon i stands at x = (supply - i) * 8, which is on screen while
    // supply - i is at most this.
    const int icons_on_screen = (screen_width - 1) / hud_icon_spacing;
    const int first = supply > icons_on_screen ? supply - icons_on_screen : 0;
    for (int i = first; i < supply; ++i) visit(HudIcon{(supply - i) * hud_icon_spacing, y, i < used});
}

// The tops of the penguin, skateboard and goat rows.
constexpr int penguin_row_y = 10;
constexpr int skateboard_row_y = 42;
constexpr int goat_row_y = 74;

}  // namespace floebound
