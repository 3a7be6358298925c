#include "editor/edit_history.h"

#include "editor/level_name.h"

#include <cassert>
#include <utility>

namespace floebound {

EditHistory::EditHistory(LevelDocument opened) : saved_(opened) { states_.push_back(std::move(opened)); }

bool EditHistory::step_to(const LevelDocument& changed) {
    if (changed == document()) return false;
    states_.resize(current_ + 1);
    states_.push_back(changed);
    ++current_;
    ++revision_;
    return true;
}

bool EditHistory::set_cell(int column, int row, CellKind kind) {
    assert(is_file_kind(kind));
    if (document().field.cell_at(column, row) == CellKind::off_grid) return false;
    LevelDocument changed = document();
    changed.field.set_cell(column, row, kind);
    return step_to(changed);
}

bool EditHistory::change_supply(Supply supply, int delta) {
    LevelDocument changed = document();
    set_supply(changed, supply, supply_of(changed, supply) + delta);
    return step_to(changed);
}

std::string EditHistory::rename(const std::string& name) {
    std::string problem = name_problem(name);
    if (!problem.empty()) return problem;
    LevelDocument changed = document();
    changed.name = name;
    step_to(changed);
    return "";
}

bool EditHistory::undo() {
    if (!can_undo()) return false;
    --current_;
    ++revision_;
    return true;
}

bool EditHistory::redo() {
    if (!can_redo()) return false;
    ++current_;
    ++revision_;
    return true;
}

}  // namespace floebound
