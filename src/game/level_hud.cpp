#include "game/level_hud.h"

namespace floebound {

const char* const hint_lines[8] = {
    "Control the cursor with the arrow keys and hit space to open a menu.",
    "Move the white cursor to a penguin square to activate a penguin.",
    "Change the path of the penguins with a goat turning square.",
    "Sometimes you need to clear a goat and reverse it's direction.",
    "You need 8 penguins on the cow square to tip the cow.",
    "If you run out of goats, clear one to reuse it.",
    "Control the camera with A, S, D, F, [ and ].",
    " ",
};

namespace {

constexpr int goat_frame_ms = 500;
constexpr int goat_shift_ms = 10;
constexpr int goat_frames = 3;
constexpr int first_cw_goat = 0;
constexpr int first_ccw_goat = 3;

// The clock counts down, so the frames show first to last as it falls.
int goat_frame(int column, int row, int goat_clock) {
    const int t = goat_clock + (column + row) * goat_shift_ms;
    return goat_frames - 1 - (t / goat_frame_ms) % goat_frames;
}

}  // namespace

MarkerPicture marker_picture(CellKind kind, int column, int row, int goat_clock, bool penguins_left,
                             bool skateboards_left) {
    switch (kind) {
    case CellKind::penguin_square: return {MarkerPicture::square_images, penguins_left ? 1 : 0};
    case CellKind::skateboard_square: return {MarkerPicture::square_images, skateboards_left ? 3 : 2};
    case CellKind::target: return {MarkerPicture::square_images, 4};
    case CellKind::tree:
    case CellKind::fire: return {MarkerPicture::level_art, art_shrub};
    case CellKind::goat_cw: return {MarkerPicture::level_art, first_cw_goat + goat_frame(column, row, goat_clock)};
    case CellKind::goat_ccw: return {MarkerPicture::level_art, first_ccw_goat + goat_frame(column, row, goat_clock)};
    default: return {MarkerPicture::none, 0};
    }
}

}  // namespace floebound
