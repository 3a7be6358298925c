#include "game/level_sequence.h"

#include "puzzle/level_file.h"

#include <cstdio>

namespace floebound {

namespace {

// Far beyond any level set, so a runaway folder cannot stall the start.
constexpr int max_levels = 100000;

}  // namespace

LevelPath level_path(int level_number) {
    if (level_number == 0) return {"data/level.txt"};
    return numbered_level_path(level_number);
}

LevelPath numbered_level_path(int level_number) {
    LevelPath path;
    std::snprintf(path.text, sizeof path.text, "data/level%03d.txt", level_number);
    return path;
}

bool level_file_exists(const char* path) {
    std::FILE* stream = open_level_file(path);
    if (!stream) return false;
    std::fclose(stream);
    return true;
}

int count_levels() {
    int count = 1;
    while (count < max_levels && level_file_exists(numbered_level_path(count).text)) ++count;
    return count;
}

}  // namespace floebound
