#include "editor/level_editor.h"

#include "app/keys.h"
#include "editor/kind_picker.h"

#include <utility>

namespace floebound {

namespace {

bool same_puzzle(const LevelDocument& a, const LevelDocument& b) {
    return a.field == b.field && a.penguinMax == b.penguinMax && a.goatMax == b.goatMax;
}

}  // namespace

LevelEditor::LevelEditor(LevelDocument opened, SaveTarget target, long work_limit)
    : history_(std::move(opened)), target_(std::move(target)), verdict_(work_limit), checked_(history_.document()) {
    verdict_.check(checked_);
}

EditorRequest LevelEditor::handle_key(int key, bool released) {
    if (name_field_) {
        type_name(key, released);
        return EditorRequest::none;
    }
    // While the popup is open the field stays as it is: keys the popup does
    // not take do nothing.
    if (picker_) {
        if (picker_->handle_key(key, released) && !picker_->is_open()) {
            if (const std::optional<CellKind> kind = picker_->chosen()) set_kind(*kind);
            picker_.reset();
        }
        return EditorRequest::none;
    }
    // Escape acts on the release, as in play: the quit question there opens
    // on it, and the release of an escape that closed something else must
    // not leave as well.
    if (key == key_escape) return released ? EditorRequest::leave : EditorRequest::none;
    if (released) return EditorRequest::none;
    message_.clear();
    if (const std::optional<CellKind> kind = kind_of_digit_key(key)) {
        set_kind(*kind);
        return EditorRequest::none;
    }
    switch (key) {
    case key_up:
    case key_down:
    case key_left:
    case key_right: move_cursor(key); break;
    case key_tab: supply_ = static_cast<Supply>((static_cast<int>(supply_) + 1) % supply_count); break;
    case key_minus:
    case key_keypad_minus:
        if (history_.change_supply(supply_, -1)) changed();
        break;
    case key_equals:
    case key_plus:
    case key_keypad_plus:
        if (history_.change_supply(supply_, +1)) changed();
        break;
    case key_space: picker_.emplace(document().field.cell_at(column_, row_)); break;
    case key_n: name_field_.emplace(document().name); break;
    case key_u:
        if (history_.undo())
            changed();
        else
            message_ = "Nothing to undo";
        break;
    case key_r:
        if (history_.redo())
            changed();
        else
            message_ = "Nothing to redo";
        break;
    case key_h: step_through_solution(); break;
    case key_s: save(); break;
    case key_p: return EditorRequest::play;
    default: break;
    }
    return EditorRequest::none;
}

void LevelEditor::changed() {
    if (same_puzzle(document(), checked_)) return;
    checked_ = document();
    verdict_.check(checked_);
}

// As in play: up and down go along the columns, right and left along the rows.
void LevelEditor::move_cursor(int key) {
    if (key == key_up && column_ < grid_side - 1) ++column_;
    if (key == key_down && column_ > 0) --column_;
    if (key == key_right && row_ < grid_side - 1) ++row_;
    if (key == key_left && row_ > 0) --row_;
}

void LevelEditor::set_kind(CellKind kind) {
    if (history_.set_cell(column_, row_, kind)) changed();
}

void LevelEditor::step_through_solution() {
    const std::optional<Solution> answer = verdict_.answer();
    if (!answer) {
        message_ = "Still searching: no solution to show yet";
        return;
    }
    const std::vector<CommandSquare> squares = solution_squares(*answer);
    if (squares.empty()) {
        message_ = "No solution to show";
        return;
    }
    if (stepped_revision_ != history_.revision() || solution_step_ >= squares.size()) {
        stepped_revision_ = history_.revision();
        solution_step_ = 0;
    }
    const CommandSquare& square = squares[solution_step_];
    column_ = square.column;
    row_ = square.row;
    message_ = "Step " + std::to_string(solution_step_ + 1) + " of " + std::to_string(squares.size()) + ": " +
               square.command;
    ++solution_step_;
}

void LevelEditor::type_name(int key, bool released) {
    if (!released) message_.clear();
    switch (name_field_->handle_key(key, released)) {
    case NameField::Outcome::typing: return;
    case NameField::Outcome::cancelled: break;
    case NameField::Outcome::done: {
        const std::string problem = history_.rename(name_field_->name());
        if (!problem.empty()) {
            message_ = "Name not changed: " + problem;
            return;
        }
        changed();
        break;
    }
    }
    name_field_.reset();
}

bool LevelEditor::save() {
    std::string error;
    if (!save_document(document(), target_, error)) {
        message_ = "Not saved: " + error;
        return false;
    }
    history_.mark_saved();
    message_ = "Saved " + target_.folder + "/" + target_.file;
    return true;
}

std::string LevelEditor::help_line() const {
    if (name_field_) {
        if (!name_field_->problem().empty()) return name_field_->problem();
        return message_.empty() ? "Type the name; return keeps it, escape keeps the old one" : message_;
    }
    return message_.empty() ? keys_text : message_;
}

std::string LevelEditor::supplies_line() const {
    std::string line;
    for (int i = 0; i < supply_count; ++i) {
        const Supply supply = static_cast<Supply>(i);
        constexpr const char* labels[supply_count] = {"Penguins", "Goats", "Skateboards"};
        const std::string item = std::string(labels[i]) + " " + std::to_string(supply_of(document(), supply));
        if (!line.empty()) line += "   ";
        line += supply == supply_ ? "[" + item + "]" : item;
    }
    return line;
}

}  // namespace floebound
