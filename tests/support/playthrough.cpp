#include "playthrough.h"

#include "puzzle/level_file.h"

#include <cstdio>
#include <unistd.h>

using namespace floebound;

std::optional<LevelToPlay> read_level_to_play(const std::string& path) {
    const std::optional<LevelFile> file = read_level_file(path.c_str());
    if (!file) return std::nullopt;
    LevelToPlay level;
    level.field = field_of(*file);
    level.penguin_max = file->penguinMax.value_or(0);
    level.goat_max = file->goatMax.value_or(0);
    return level;
}

std::vector<std::string> shipped_level_paths(const std::string& game_dir) {
    std::vector<std::string> paths = {"data/level.txt"};
    for (int number = 1;; ++number) {
        char path[32];
        std::snprintf(path, sizeof path, "data/level%03d.txt", number);
        if (access((game_dir + "/" + path).c_str(), R_OK) != 0) return paths;
        paths.push_back(path);
    }
}

namespace {

void repeat(std::vector<KeyCode>& keys, KeyCode key, int times) {
    for (int i = 0; i < times; ++i) keys.push_back(key);
}

// An empty square's popup offers the clockwise goat, then the
// counter-clockwise one; a goat square's the other way round, then clear; a
// penguin square's the penguin first.
int entry_of(const PlayerCommand& command) {
    if (command.kind == PlayerCommand::clear_goat) return 1;
    return command.kind == PlayerCommand::place_goat && command.goat == CellKind::goat_ccw ? 1 : 0;
}

}  // namespace

std::vector<PopupChoice> PlayerKeys::choices_for(const PlayerCommand& command) {
    const int times = command.kind == PlayerCommand::drop_penguins ? command.penguins : 1;
    std::vector<PopupChoice> choices;
    for (int i = 0; i < times; ++i) choices.push_back(choice_at(command.column, command.row, entry_of(command)));
    return choices;
}

PopupChoice PlayerKeys::choice_at(int column, int row, int entry) {
    PopupChoice choice{column, row, {}};
    repeat(choice.keys, column > column_ ? key_up : key_down, column > column_ ? column - column_ : column_ - column);
    repeat(choice.keys, row > row_ ? key_right : key_left, row > row_ ? row - row_ : row_ - row);
    choice.keys.push_back(key_space);
    repeat(choice.keys, key_right, entry);
    choice.keys.push_back(key_space);
    column_ = column;
    row_ = row;
    return choice;
}
