#pragma once

#include "editor/level_document.h"

#include <cstddef>
#include <string>
#include <vector>

namespace floebound {

// The document and every change made to it this session, each a step that
// undo takes back and redo puts again, as far back as the session goes. A
// change made after undoing drops the steps that were undone. Dirty means
// the document differs from what was last saved (or opened).
class EditHistory {
public:
    explicit EditHistory(LevelDocument opened);

    const LevelDocument& document() const { return states_[current_]; }

    // Each is one step; false, and no step, when it would change nothing
    // (the square already of that kind, the supply at its end).
    bool set_cell(int column, int row, CellKind kind);
    bool change_supply(Supply supply, int delta);
    // Why the name is refused (see name_problem), or empty once it is the
    // document's.
    std::string rename(const std::string& name);

    bool undo();
    bool redo();
    bool can_undo() const { return current_ > 0; }
    bool can_redo() const { return current_ + 1 < states_.size(); }

    bool dirty() const { return document() != saved_; }
    // The document as it is now is what its file holds.
    void mark_saved() { saved_ = document(); }

    // Moves on with every change, undo and redo: a verdict is for one revision.
    unsigned long revision() const { return revision_; }

private:
    bool step_to(const LevelDocument& changed);

    std::vector<LevelDocument> states_;
    std::size_t current_ = 0;
    LevelDocument saved_;
    unsigned long revision_ = 0;
};

}  // namespace floebound
