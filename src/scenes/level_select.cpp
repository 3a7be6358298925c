#include "scenes/level_select.h"

#include "app/keys.h"

#include <algorithm>

namespace floebound {

TileState tile_state(const CatalogueEntry& entry, int furthest, const Records& records) {
    const auto record = records.find(entry.path);
    if (record != records.end())
        return at_best_possible(record->second, entry.best) ? TileState::solved_at_best : TileState::solved;
    // The player's own levels are theirs to play in any order.
    if (entry.own) return TileState::reached;
    if (entry.number > furthest) return TileState::not_reached;
    return entry.number < furthest ? TileState::skipped : TileState::reached;
}

bool at_best_possible(const LevelResult& result, std::optional<int> best) {
    return best && result.lost == 0 && result.goats <= *best;
}

std::string select_header(const std::vector<CatalogueEntry>& entries, const Records& records) {
    int solved = 0;
    int at_best = 0;
    for (const CatalogueEntry& entry : entries) {
        const auto record = records.find(entry.path);
        if (record == records.end()) continue;
        ++solved;
        at_best += at_best_possible(record->second, entry.best);
    }
    return std::to_string(solved) + " of " + std::to_string(entries.size()) + " solved, " + std::to_string(at_best) +
           " at the best possible";
}

SelectLayout select_layout(int screen_width, int screen_height) {
    SelectLayout layout;
    const int room_across = screen_width - 2 * tile_gap;
    const int room_down = screen_height - select_header_height - select_footer_height;
    layout.columns = std::max(1, (room_across + tile_gap) / (tile_width + tile_gap));
    layout.rows = std::max(1, (room_down + tile_gap) / (tile_height + tile_gap));
    const int used_across = layout.columns * (tile_width + tile_gap) - tile_gap;
    const int used_down = layout.rows * (tile_height + tile_gap) - tile_gap;
    layout.left = std::max(0, (screen_width - used_across) / 2);
    layout.top = select_header_height + std::max(0, (room_down - used_down) / 2);
    return layout;
}

TileCorner tile_corner(const SelectLayout& layout, int index) {
    const int on_page = index % layout.per_page();
    return {layout.left + on_page % layout.columns * (tile_width + tile_gap),
            layout.top + on_page / layout.columns * (tile_height + tile_gap)};
}

int cursor_after_key(int cursor, int key, int count, const SelectLayout& layout) {
    int step = 0;
    switch (key) {
    case key_left: step = -1; break;
    case key_right: step = 1; break;
    case key_up: step = -layout.columns; break;
    case key_down: step = layout.columns; break;
    case key_page_up: step = -layout.per_page(); break;
    case key_page_down: step = layout.per_page(); break;
    default: return cursor;
    }
    // A step past either end stops at that end, so the first and last
    // levels are always one press away.
    return std::clamp(cursor + step, 0, std::max(0, count - 1));
}

}  // namespace floebound
