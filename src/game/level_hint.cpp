#include "game/level.h"

#include "game/hint.h"

#include "world/terrain.h"

#include <algorithm>
#include <cstdio>

namespace floebound {

void Level::ask_hint() {
    hint_search_.reset();
    if (cows.empty()) {
        say_hint("Hint: no cow left to tip: press space for the next level");
        return;
    }
    if (popup_open) {
        say_hint("Hint: close the menu first");
        return;
    }
    std::vector<PenguinOnField> on_field;
    for (const Actor& penguin : penguins) {
        int column = 0;
        int row = 0;
        penguin.cell_of(column, row);
        on_field.push_back({column, row, penguin.facing_direction(), penguin.is_active()});
    }
    PlayState state;
    if (!read_play_state(grid, on_field, state)) {
        say_hint("Hint: wait until the penguins stop");
        hint_says_wait_ = true;
        return;
    }
    show_hint("Hint: thinking...");
    hint_search_ = std::make_unique<HintSearch>(state, penguinMax, goatMax);
}

void Level::show_hint(const std::string& text) {
    hint_text_ = text;
    hint_says_wait_ = false;
    hint_grid_ = grid;
    hint_penguins_ = penguins.size();
}

void Level::say_hint(const std::string& text) {
    show_hint(text);
    std::printf("%s\n", text.c_str());
}

// Once per update: an answer that has come is shown and the cursor moved to
// its square; a hint whose field has changed since is taken back.
void Level::follow_hint() {
    if (hint_text_.empty()) return;
    // A request to wait lasts while anything still moves.
    const bool wait_over = hint_says_wait_ && std::none_of(penguins.begin(), penguins.end(),
                                                           [](const Actor& penguin) { return penguin.is_active(); });
    if (grid != hint_grid_ || penguins.size() != hint_penguins_ || wait_over) {
        hint_search_.reset();
        hint_text_.clear();
        return;
    }
    if (!hint_search_ || !hint_search_->done()) return;
    const HintAnswer answer = hint_for(hint_search_->result());
    hint_search_.reset();
    show_hint(answer.line);
    std::printf("%s\n", answer.console.c_str());
    if (answer.has_square) terrain->set_cursor(answer.row + field_cursor_offset, answer.column + field_cursor_offset);
}

}  // namespace floebound
