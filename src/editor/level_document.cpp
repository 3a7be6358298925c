#include "editor/level_document.h"

#include "editor/level_name.h"
#include "puzzle/rules.h"

#include <algorithm>

namespace floebound {

int supply_of(const LevelDocument& document, Supply supply) {
    switch (supply) {
    case Supply::penguins: return document.penguinMax;
    case Supply::goats: return document.goatMax;
    case Supply::skateboards: return document.skateboardMax;
    }
    return 0;
}

int max_supply(Supply supply) {
    switch (supply) {
    case Supply::penguins: return max_penguin_supply;
    case Supply::goats: return max_goat_supply;
    case Supply::skateboards: return max_skateboard_supply;
    }
    return 0;
}

void set_supply(LevelDocument& document, Supply supply, int value) {
    value = std::clamp(value, 0, max_supply(supply));
    switch (supply) {
    case Supply::penguins: document.penguinMax = value; break;
    case Supply::goats: document.goatMax = value; break;
    case Supply::skateboards: document.skateboardMax = value; break;
    }
}

LevelDocument new_document() {
    LevelDocument document;
    document.penguinMax = cow_tip_count;
    return document;
}

LevelDocument document_of(const LevelFile& file) {
    LevelDocument document;
    document.field = field_of(file);
    set_supply(document, Supply::penguins, file.penguinMax.value_or(0));
    set_supply(document, Supply::goats, file.goatMax.value_or(0));
    set_supply(document, Supply::skateboards, file.skateboardMax.value_or(0));
    document.name = editable_name(file.name.value_or(""));
    return document;
}

std::string document_text(const LevelDocument& document) {
    return level_file_text(document.field, document.penguinMax, document.goatMax, document.skateboardMax,
                           document.name);
}

bool is_file_kind(CellKind kind) {
    return kind != CellKind::off_grid && kind != CellKind::goat_cw && kind != CellKind::goat_ccw &&
           static_cast<int>(kind) >= 0 && static_cast<int>(kind) <= static_cast<int>(CellKind::tunafish);
}

}  // namespace floebound
