#include "game/level.h"

#include "game/game_assets.h"
#include "game/hint.h"
#include "game/level_hud.h"
#include "world/terrain.h"

namespace floebound {

namespace {

// The cursor starts on square (3,3).
constexpr int start_cursor = field_cursor_offset + 3;

constexpr float victory_spin = 0.01f;

}  // namespace

Level::Level(GameAssets& assets) : terrain(std::make_unique<Terrain>("data/field.png")), assets_(assets) {
    terrain->set_cursor(start_cursor, start_cursor);
}

// Runs after the window has gone at shut-down, so nothing here may touch GL;
// the owned objects and the picture records only free memory (the textures
// stay with the pool).
Level::~Level() {
    // Popup, then terrain, then the view's pictures as members go: the order
    // their releases always had.
    popup.reset();
    terrain.reset();
}

void Level::draw() {
    const char* hint_line = hint_text_.empty() ? hint_lines[hint_index] : hint_text_.c_str();
    view_.draw(*this, *terrain, popup.get(), assets_.fonts.table(), level_number, hint_line);
}

void Level::end_frame() {
    if (!cows.empty()) return;
    // The view circles the field while the victory picture shows.
    orbit.orbit_phi += victory_spin;
    // A won level takes no commands, so no popup may stay over it; space
    // must reach the level to move on.
    close_popup();
}

void Level::close_popup() {
    popup.reset();
    popup_open = false;
}

void Level::cursor_square(int& column, int& row) const {
    const TerrainCursor cursor = terrain->get_cursor();
    column = cursor.second - field_cursor_offset;
    row = cursor.first - field_cursor_offset;
}

const char* Level::next_penguin_name() { return penguins_named_++ % 2 == 0 ? "Gus" : "Penguin"; }

}  // namespace floebound
