#pragma once

#include "app/records.h"
#include "scenes/level_catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace floebound {

// The level select worked out without OpenGL: which levels can be chosen,
// how they stand, where each tile goes and where the cursor moves.

enum class TileState { not_reached, reached, skipped, solved, solved_at_best };

// A level below the furthest reached that has no win was passed by tab; one
// beyond it cannot be chosen yet.
TileState tile_state(const CatalogueEntry& entry, int furthest, const Records& records);

// A won level's figures are at the best possible when no penguin was lost
// and no more goats stood than the proven fewest.
bool at_best_possible(const LevelResult& result, std::optional<int> best);

// "N of M solved, K at the best possible".
std::string select_header(const std::vector<CatalogueEntry>& entries, const Records& records);

// The tiles of one page, in rows from the top left, in HUD pixels.
struct SelectLayout {
    int columns = 1;
    int rows = 1;
    int left = 0;  // the first tile's top-left corner
    int top = 0;
    int per_page() const { return columns * rows; }
};

constexpr int tile_width = 150;
constexpr int tile_height = 96;
constexpr int tile_gap = 6;
constexpr int select_header_height = 64;  // the header line above the tiles
constexpr int select_footer_height = 40;  // the help line below them

// As many tiles as fit the screen, centred, at least one.
SelectLayout select_layout(int screen_width, int screen_height);

struct TileCorner {
    int x, y;
};
// Where the tile of level index goes on its page.
TileCorner tile_corner(const SelectLayout& layout, int index);

// The cursor over count levels: arrows step across and down the pages, Page
// Up and Page Down a page at a time, never off the list.
int cursor_after_key(int cursor, int key, int count, const SelectLayout& layout);

}  // namespace floebound
