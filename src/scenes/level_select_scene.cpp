#include "scenes/level_select_scene.h"

#include "app/camera.h"
#include "app/keys.h"
#include "media/text.h"
#include "puzzle/level_file.h"
#include "scenes/level_select.h"
#include "scenes/overlay_text.h"
#include "scenes/play_outcome.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

namespace floebound {

namespace {

constexpr int header_font = 0;
constexpr int number_font = 1;
constexpr int small_font = 3;
constexpr int cell_pixels = 7;
constexpr int field_inset = 4;
constexpr std::size_t tile_name_length = 22;

struct Colour {
    float r, g, b;
};

Colour square_colour(CellKind kind) {
    switch (kind) {
    case CellKind::penguin_square: return {0.15f, 0.25f, 0.65f};
    case CellKind::tree: return {0.15f, 0.5f, 0.2f};
    case CellKind::target: return {0.62f, 0.62f, 0.72f};
    case CellKind::cow: return {0.55f, 0.33f, 0.18f};
    case CellKind::skateboard_square: return {0.85f, 0.65f, 0.2f};
    case CellKind::bucket: return {0.45f, 0.45f, 0.5f};
    case CellKind::fire: return {0.95f, 0.3f, 0.05f};
    case CellKind::tunafish: return {0.35f, 0.6f, 0.85f};
    default: return {0.85f, 0.9f, 0.95f};
    }
}

Colour tile_colour(TileState state) {
    switch (state) {
    case TileState::not_reached: return {0.12f, 0.12f, 0.16f};
    case TileState::reached: return {0.2f, 0.28f, 0.45f};
    case TileState::skipped: return {0.38f, 0.32f, 0.16f};
    case TileState::solved: return {0.16f, 0.42f, 0.24f};
    case TileState::solved_at_best: return {0.62f, 0.5f, 0.1f};
    }
    return {0, 0, 0};
}

const char* state_text(TileState state) {
    switch (state) {
    case TileState::not_reached: return "not reached";
    case TileState::reached: return "to play";
    case TileState::skipped: return "skipped";
    case TileState::solved: return "solved";
    case TileState::solved_at_best: return "best possible";
    }
    return "";
}

void fill_rect(int x, int y, int width, int height, Colour colour, float alpha) {
    glColor4f(colour.r, colour.g, colour.b, alpha);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + width, y);
    glVertex2i(x + width, y + height);
    glVertex2i(x, y + height);
    glEnd();
}

std::string record_text(const LevelResult& result) {
    return std::to_string(result.goats) + (result.goats == 1 ? " goat, " : " goats, ") + play_time_text(result.time_ms);
}

}  // namespace

LevelSelectScene::LevelSelectScene(const std::vector<CatalogueEntry>& catalogue, const Records& records, int furthest,
                                   int current, Fonts& fonts, std::function<void(int)> choose, Editing editing)
    : catalogue_(catalogue),
      records_(records),
      furthest_(furthest),
      fonts_(fonts),
      choose_(std::move(choose)),
      editing_(std::move(editing)),
      cursor_(current) {}

// The player's levels are read again after an editor over this screen, so
// the list may have shrunk under the cursor.
int LevelSelectScene::on_list(int index) const {
    return std::clamp(index, 0, std::max(0, static_cast<int>(catalogue_.size()) - 1));
}

void LevelSelectScene::handle_key(int key, bool released) {
    cursor_ = on_list(cursor_);
    if (!released && key == key_n && editing_.new_level) {
        editing_.new_level();
        return;
    }
    if (!released && key == key_e && editing_.edit_level && !catalogue_.empty()) {
        editing_.edit_level(cursor_);
        return;
    }
    if (!released) {
        pressed_.insert(key);
        const SelectLayout layout = select_layout(camera.screen_width, camera.screen_height);
        cursor_ = cursor_after_key(cursor_, key, static_cast<int>(catalogue_.size()), layout);
        const bool play = key == key_space || key == key_return;
        if (play && !catalogue_.empty() &&
            tile_state(catalogue_[static_cast<std::size_t>(cursor_)], furthest_, records_) != TileState::not_reached) {
            done_ = true;
            choose_(cursor_);
        }
        return;
    }
    // Leaving on the release, so the screen beneath never sees half a key.
    if ((key == key_escape || key == key_l) && pressed_.count(key)) done_ = true;
}

void LevelSelectScene::draw() {
    cursor_ = on_list(cursor_);
    begin_hud(camera);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    fill_rect(0, 0, camera.screen_width, camera.screen_height, {0.06f, 0.08f, 0.14f}, 1);

    const SelectLayout layout = select_layout(camera.screen_width, camera.screen_height);
    const int first = cursor_ / layout.per_page() * layout.per_page();
    const int last = std::min(static_cast<int>(catalogue_.size()), first + layout.per_page());
    for (int index = first; index < last; ++index) {
        const TileCorner corner = tile_corner(layout, index);
        draw_tile(catalogue_[static_cast<std::size_t>(index)], corner.x, corner.y, index == cursor_);
    }
    FontTable& fonts = fonts_.table();
    draw_centred_overlay_text(fonts, select_header(catalogue_, records_).c_str(), header_font, 18);
    draw_footer();
    glEnable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    end_hud(camera);
}

void LevelSelectScene::draw_tile(const CatalogueEntry& entry, int x, int y, bool under_cursor) const {
    const TileState state = tile_state(entry, furthest_, records_);
    const float alpha = state == TileState::not_reached ? 0.35f : 1.0f;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (under_cursor) fill_rect(x - 3, y - 3, tile_width + 6, tile_height + 6, {1, 1, 1}, 1);
    // The player's own levels in a colour of their own.
    const Colour face = entry.own && state == TileState::reached ? Colour{0.16f, 0.38f, 0.42f} : tile_colour(state);
    fill_rect(x, y, tile_width, tile_height, face, 1);
    for (int row = 0; row < grid_side; ++row)
        for (int column = 0; column < grid_side; ++column)
            fill_rect(x + field_inset + column * cell_pixels, y + field_inset + row * cell_pixels, cell_pixels - 1,
                      cell_pixels - 1, square_colour(entry.field.cell_at(column, row)), alpha);

    FontTable& fonts = fonts_.table();
    const std::uint8_t shade = state == TileState::not_reached ? 140 : 255;
    const TextColour text_colour{shade, shade, shade, 0};
    const int text_x = x + field_inset * 2 + grid_side * cell_pixels;
    const std::string number = entry.own ? "Yours" : std::to_string(entry.number + 1);
    draw_overlay_text(fonts, number.c_str(), number_font, text_x, y + 4, text_colour);
    draw_overlay_text(fonts, state_text(state), small_font, text_x, y + 26, text_colour);
    const auto record = records_.find(entry.path);
    if (record != records_.end())
        draw_overlay_text(fonts, record_text(record->second).c_str(), small_font, text_x, y + 42, text_colour);
    const std::string name = printable_level_name(entry.name, tile_name_length);
    draw_overlay_text(fonts, name.c_str(), small_font, x + field_inset, y + 66, text_colour);
}

// The chosen level in full, the page, and the keys.
void LevelSelectScene::draw_footer() const {
    FontTable& fonts = fonts_.table();
    std::string detail;
    if (!catalogue_.empty()) {
        const CatalogueEntry& entry = catalogue_[static_cast<std::size_t>(cursor_)];
        detail = level_title(entry);
        const auto record = records_.find(entry.path);
        if (record != records_.end()) {
            const LevelResult& best = record->second;
            detail += ". Your best: " + record_text(best) + ", " + std::to_string(best.dropped) + " penguins, " +
                      std::to_string(best.lost) + " lost";
        }
        if (entry.best) detail += ". Fewest goats possible: " + std::to_string(*entry.best);
    }
    const SelectLayout layout = select_layout(camera.screen_width, camera.screen_height);
    const int pages = (static_cast<int>(catalogue_.size()) + layout.per_page() - 1) / layout.per_page();
    if (pages > 1)
        detail += "   (page " + std::to_string(cursor_ / layout.per_page() + 1) + " of " + std::to_string(pages) + ")";
    draw_centred_overlay_text(fonts, detail.c_str(), small_font, camera.screen_height - select_footer_height + 2);
    const char* keys = editing_.new_level ? "Arrow keys choose, space plays, Page Up / Page Down turn the page, n makes a "
                                            "new level, e edits (a copy of a shipped one), escape or l goes back"
                                          : "Arrow keys choose, space plays, Page Up / Page Down turn the page, escape or "
                                            "l goes back";
    draw_centred_overlay_text(fonts, keys, small_font, camera.screen_height - select_footer_height + 20);
}

}  // namespace floebound
