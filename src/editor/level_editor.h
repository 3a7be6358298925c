#pragma once

#include "editor/edit_history.h"
#include "editor/kind_picker.h"
#include "editor/level_saving.h"
#include "editor/live_verdict.h"
#include "editor/name_field.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace floebound {

// What the scene around the editor is asked to do after a key.
enum class EditorRequest {
    none,
    play,   // p: try the level as it stands
    leave,  // escape: the scene asks first when there are unsaved changes
};

// The level editor without its window: the document and its history, the
// cursor, the supply being changed, the name field, saving and the live
// verdict. It reads the editor's own keys; the camera keys are the scene's.
class LevelEditor {
public:
    LevelEditor(LevelDocument opened, SaveTarget target, long work_limit = editor_work_limit);

    EditorRequest handle_key(int key, bool released);

    const LevelDocument& document() const { return history_.document(); }
    const EditHistory& history() const { return history_; }
    bool dirty() const { return history_.dirty(); }

    int cursor_column() const { return column_; }
    int cursor_row() const { return row_; }
    Supply chosen_supply() const { return supply_; }
    // While the name is typed: the field.
    const NameField* name_field() const { return name_field_ ? &*name_field_ : nullptr; }
    // While the square kinds' popup is open: the popup.
    const KindPicker* picker() const { return picker_ ? &*picker_ : nullptr; }

    // The verdict for the level as it stands.
    std::string verdict_line() const { return floebound::verdict_line(verdict_.answer()); }
    std::optional<Solution> verdict() const { return verdict_.answer(); }
    // What the last key brought about when it has something to say (a save,
    // a refusal, a step of the solution), else the keys.
    std::string help_line() const;
    // The three supplies, the chosen one marked.
    std::string supplies_line() const;
    const SaveTarget& save_target() const { return target_; }

    // s: saves now; false with the reason on the help line.
    bool save();

    static constexpr const char* keys_text =
        "0-8 square  space menu  tab/-/+ supplies  n name  u undo  r redo  h solution  p play  s save  esc leave";

private:
    void changed();
    void move_cursor(int key);
    void set_kind(CellKind kind);
    void step_through_solution();
    void type_name(int key, bool released);

    EditHistory history_;
    SaveTarget target_;
    LiveVerdict verdict_;
    // What the verdict was last asked for: the name and skateboards do not
    // change the puzzle, so they need no new search.
    LevelDocument checked_;
    int column_ = 3;
    int row_ = 3;
    Supply supply_ = Supply::penguins;
    std::optional<NameField> name_field_;
    std::optional<KindPicker> picker_;
    std::string message_;
    std::size_t solution_step_ = 0;
    unsigned long stepped_revision_ = 0;
};

}  // namespace floebound
