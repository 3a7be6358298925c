#pragma once

#include "puzzle/grid.h"
#include "puzzle/level_file.h"

#include <string>

namespace floebound {

// The level being made: what its file holds, and nothing else. The field
// holds only kinds a file can hold (no goats).
struct LevelDocument {
    Grid field;
    int penguinMax = 0;
    int goatMax = 0;
    int skateboardMax = 0;
    std::string name;

    bool operator==(const LevelDocument& other) const {
        return field == other.field && penguinMax == other.penguinMax && goatMax == other.goatMax &&
               skateboardMax == other.skateboardMax && name == other.name;
    }
    bool operator!=(const LevelDocument& other) const { return !(*this == other); }
};

// The three supplies, and how far the editor lets each go: beyond these the
// puzzle is the same (no more goats than squares can stand, no more
// skateboards than squares can hold them).
enum class Supply { penguins, goats, skateboards };
constexpr int supply_count = 3;
constexpr int max_penguin_supply = 999;
constexpr int max_goat_supply = grid_cells;
constexpr int max_skateboard_supply = grid_cells;

int supply_of(const LevelDocument& document, Supply supply);
void set_supply(LevelDocument& document, Supply supply, int value);  // clamped to 0..its maximum
int max_supply(Supply supply);

// A new, empty field with the penguins one cow takes and nothing else.
LevelDocument new_document();

// A level file as the game reads it: squares it does not set stay empty, as
// in a new game; supplies it does not give are 0, and one outside the
// editor's range comes in clamped; the name comes in fit to show and to type
// on (see editable_name).
LevelDocument document_of(const LevelFile& file);

// The file's text, through the format's own writer.
std::string document_text(const LevelDocument& document);

// Whether a square may hold this kind in a level file.
bool is_file_kind(CellKind kind);

}  // namespace floebound
