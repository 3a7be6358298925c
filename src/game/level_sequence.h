#pragma once

namespace floebound {

// The levels the game plays one after another: level 0 is "data/level.txt",
// level n >= 1 "data/level%03d.txt", up to the first number whose file is
// missing.

struct LevelPath {
    char text[32];
};

// The file of level n as the sequence plays it: "data/level.txt" for 0.
LevelPath level_path(int level_number);

// The numbered name of level n, even for 0 ("data/level000.txt").
LevelPath numbered_level_path(int level_number);

bool level_file_exists(const char* path);

// Level 0 and the numbered levels after it up to the first one missing, in
// the game folder.
int count_levels();

// How far a player has come: the furthest level reached (a level won or
// skipped counts the next one as reached) and how many levels there are.
struct LevelProgress {
    int furthest = 0;
    int count = 1;
};

}  // namespace floebound
