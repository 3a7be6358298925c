// The level files as copied into the game folder, read by a reader of their
// own, and their intended solutions (levels/README.md) played through the
// game's walking rules.

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/rules.h"

namespace {

constexpr const char* kSquareCharacters = ".DxTCSBFf";
const CellKind kSquareKinds[] = {CellKind::empty, CellKind::penguin_square, CellKind::tree,
                                 CellKind::target, CellKind::cow, CellKind::skateboard_square,
                                 CellKind::bucket, CellKind::fire, CellKind::tunafish};

struct LevelFile {
    Grid grid;
    std::map<std::string, int> settings;
};

// Strict on purpose: the game reads anything, but quietly skips what it does
// not understand, so a slip in a level would only show in play.
LevelFile read_level(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot open " << path;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text.find('\r'), std::string::npos) << "line ends are LF";
    EXPECT_TRUE(!text.empty() && text.back() == '\n') << "the last line ends too";

    LevelFile level;
    std::istringstream lines(text);
    std::string line;
    int row = 0;
    for (; row < grid_side && std::getline(lines, line); ++row) {
        EXPECT_EQ(line.size(), static_cast<std::size_t>(grid_side)) << "row " << row << ": \"" << line << '"';
        for (int column = 0; column < grid_side && column < static_cast<int>(line.size()); ++column) {
            const char* kind = std::strchr(kSquareCharacters, line[column]);
            EXPECT_TRUE(kind && line[column]) << "row " << row << " column " << column << ": '" << line[column] << "'";
            if (kind && line[column]) level.grid.set_cell(column, row, kSquareKinds[kind - kSquareCharacters]);
        }
    }
    EXPECT_EQ(row, grid_side) << "rows";
    // A blank or stray line would swallow the setting after it.
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        std::size_t digits = 0;
        EXPECT_NE(equals, std::string::npos) << "\"" << line << '"';
        if (equals == std::string::npos) continue;
        const int value = std::stoi(line.substr(equals + 1), &digits);
        EXPECT_EQ(equals + 1 + digits, line.size()) << "\"" << line << '"';
        level.settings[line.substr(0, equals)] = value;
    }
    return level;
}

int cows_on(const Grid& grid) {
    int cows = 0;
    for (CellKind kind : grid.cells) cows += kind == CellKind::cow;
    return cows;
}

struct Square {
    int column, row;
};

struct Goat {
    Square square;
    CellKind kind;
};

struct Solution {
    const char* path;
    Square drop;
    std::vector<Goat> goats;
};

const Solution kSolutions[] = {
    {"data/level.txt", {1, 6}, {{{1, 2}, CellKind::goat_cw}}},
    {"data/level001.txt", {1, 4}, {{{1, 5}, CellKind::goat_ccw}, {{5, 5}, CellKind::goat_ccw}}},
    {"data/level002.txt", {6, 6}, {{{6, 7}, CellKind::goat_cw}, {{2, 7}, CellKind::goat_cw}}},
};

struct Penguin {
    int column, row, heading;
};

// Follows a resting penguin's decisions until it settles on a cow; false if it
// gets stuck or walks in circles.
bool walk_onto_a_cow(const Grid& grid, Penguin& penguin) {
    for (int step = 0; step < 4 * grid_cells * direction_count; ++step) {
        const bool cow_here = grid.cell_at(penguin.column, penguin.row) == CellKind::cow;
        const PenguinMove move =
            decide_resting_penguin(grid, {penguin.column, penguin.row, penguin.heading, 1, cow_here});
        if (move.action == PenguinAction::join_cow) return true;
        if (move.action != PenguinAction::walk) return false;
        for (int d = 0; d < direction_count; ++d)
            if (direction_steps[d].column == move.column - penguin.column &&
                direction_steps[d].row == move.row - penguin.row)
                penguin.heading = d;
        penguin.column = move.column;
        penguin.row = move.row;
    }
    return false;
}

// Drops penguins one at a time and walks each to the end. Penguins never block
// one another, they only take turns on a shared square, so this ends as play
// does. A tipped cow leaves an empty square and its penguins walk on. Returns
// how many penguins it took to tip every cow, or nothing if the supply runs out.
std::optional<int> penguins_to_clear(Grid grid, Square drop, int supply) {
    std::deque<Penguin> walking;
    std::map<int, std::vector<Penguin>> on_cow;
    int dropped = 0;
    while (cows_on(grid) > 0) {
        if (walking.empty()) {
            if (dropped == supply) return std::nullopt;
            walking.push_back({drop.column, drop.row, 4});  // a new penguin heads toward row - 1
            ++dropped;
        }
        Penguin penguin = walking.front();
        walking.pop_front();
        if (!walk_onto_a_cow(grid, penguin)) continue;
        std::vector<Penguin>& crowd = on_cow[penguin.row * grid_side + penguin.column];
        crowd.push_back(penguin);
        if (static_cast<int>(crowd.size()) == cow_tip_count) {
            grid.set_cell(penguin.column, penguin.row, CellKind::empty);
            walking.insert(walking.end(), crowd.begin(), crowd.end());
            crowd.clear();
        }
    }
    return dropped;
}

}  // namespace

TEST(LevelFiles, AreEightRowsOfKnownSquaresAndTheThreeSupplies) {
    for (const Solution& solution : kSolutions) {
        SCOPED_TRACE(solution.path);
        const LevelFile level = read_level(solution.path);
        for (const char* key : {"penguinMax", "goatMax", "skateboardMax"})
            EXPECT_EQ(level.settings.count(key), 1u) << key;
        EXPECT_EQ(level.settings.size(), 3u);
        const int cows = cows_on(level.grid);
        EXPECT_GT(cows, 0) << "a level without cows is won before it starts";
        EXPECT_GE(level.settings.count("penguinMax") ? level.settings.at("penguinMax") : 0, cow_tip_count * cows);
    }
}

TEST(LevelFiles, TheirSolutionsClearThemWithinTheSuppliesAndNeedTheGoats) {
    for (const Solution& solution : kSolutions) {
        SCOPED_TRACE(solution.path);
        LevelFile level = read_level(solution.path);
        ASSERT_EQ(level.settings.count("penguinMax"), 1u);
        ASSERT_EQ(level.settings.count("goatMax"), 1u);
        const int penguins = level.settings.at("penguinMax");
        EXPECT_EQ(level.grid.cell_at(solution.drop.column, solution.drop.row), CellKind::penguin_square);
        EXPECT_EQ(penguins_to_clear(level.grid, solution.drop, penguins), std::nullopt)
            << "solved without a single goat";

        EXPECT_LE(static_cast<int>(solution.goats.size()), level.settings.at("goatMax"));
        for (const Goat& goat : solution.goats) {
            EXPECT_EQ(level.grid.cell_at(goat.square.column, goat.square.row), CellKind::empty)
                << "goats go on empty squares only";
            level.grid.set_cell(goat.square.column, goat.square.row, goat.kind);
        }
        EXPECT_TRUE(penguins_to_clear(level.grid, solution.drop, penguins).has_value())
            << "the penguins run out before every cow is tipped";
    }
}
