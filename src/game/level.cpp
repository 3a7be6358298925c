#include "game/level.h"

#include "world/terrain.h"

namespace {

// The field's squares take cursor values 4 to 11 of the 16 by 16 terrain.
constexpr int field_cursor_offset = 4;
constexpr int start_cursor = 7;

}  // namespace

Level::Level() : terrain(new Terrain("data/field.png")) { terrain->set_cursor(start_cursor, start_cursor); }

// Runs after the window has gone at shut-down, so nothing here may touch GL;
// both owned objects only free memory.
Level::~Level() {
    close_popup();
    delete terrain;
}

void Level::close_popup() {
    delete popup;
    popup = nullptr;
    popup_open = false;
}

void Level::cursor_square(int& column, int& row) const {
    const TerrainCursor cursor = terrain->get_cursor();
    column = cursor.second - field_cursor_offset;
    row = cursor.first - field_cursor_offset;
}

// One counter for the whole run, so the names keep alternating across levels.
const char* next_penguin_name() {
    static int penguins_named = 0;
    return penguins_named++ % 2 == 0 ? "Gus" : "Penguin";
}
