#pragma once

#include "app/keys.h"
#include "puzzle/grid.h"
#include "puzzle/level_solver.h"

#include <optional>
#include <string>
#include <vector>

// A level file as a new game shows it: squares the file leaves unset are
// empty. With its supplies, it is what the level checker is asked about.
struct LevelToPlay {
    floebound::Grid field;
    int penguin_max = 0;
    int goat_max = 0;
};

// Nothing when the file does not open.
std::optional<LevelToPlay> read_level_to_play(const std::string& path);

// The levels in the game's folder in the order it plays them, as paths below
// that folder: data/level.txt, then data/level001.txt and on up to the first
// number missing.
std::vector<std::string> shipped_level_paths(const std::string& game_dir);

// One choice made in a square's popup, as the keys a player presses for it:
// arrows that bring the cursor onto the square, space to open the popup,
// right arrows to highlight the entry, space to choose it. Each key is
// pressed and released; the choice is carried out once the popup has closed.
struct PopupChoice {
    int column;
    int row;
    std::vector<floebound::KeyCode> keys;  // the last one is the confirming space
};

// Turns the checker's commands into popup choices, following the game's
// cursor from one square to the next: up and down step the column, right and
// left the row. The cursor is kept across levels, as the game keeps it.
class PlayerKeys {
public:
    // One choice per goat placed, turned or cleared and per penguin dropped.
    std::vector<PopupChoice> choices_for(const floebound::PlayerCommand& command);
    // The game moved the cursor itself (as a hint does).
    void cursor_moved_to(int column, int row) {
        column_ = column;
        row_ = row;
    }

private:
    PopupChoice choice_at(int column, int row, int entry);

    // Where the game puts the cursor when it starts.
    int column_ = 3;
    int row_ = 3;
};
