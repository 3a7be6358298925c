// The level files as copied into the game folder, read by a strict reader of
// their own, and their solutions as the level checker finds them.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "level_generator.h"
#include "playthrough.h"
#include "puzzle/level_file.h"
#include "puzzle/proven_best.h"
#include "puzzle/rules.h"

using namespace floebound;
using namespace floebound::tools;

namespace {

constexpr const char* kSquareCharacters = ".DxTCSBFf";
const CellKind kSquareKinds[] = {CellKind::empty, CellKind::penguin_square, CellKind::tree,
                                 CellKind::target, CellKind::cow, CellKind::skateboard_square,
                                 CellKind::bucket, CellKind::fire, CellKind::tunafish};

struct StrictLevel {
    Grid grid;
    std::map<std::string, int> settings;
    std::string name;
};

// Strict on purpose: the game reads anything, but quietly skips what it does
// not understand, so a slip in a level would only show in play.
StrictLevel read_level(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot open " << path;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text.find('\r'), std::string::npos) << "line ends are LF";
    EXPECT_TRUE(!text.empty() && text.back() == '\n') << "the last line ends too";

    StrictLevel level;
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
        if (line.compare(0, equals, "name") == 0) {
            EXPECT_TRUE(level.name.empty()) << "one name";
            level.name = line.substr(equals + 1);
            EXPECT_EQ(printable_level_name(level.name, 40), level.name) << "a short, printable name";
            continue;
        }
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

bool turns_a_goat(const Solution& solution) {
    for (const PlayerCommand& command : solution.commands)
        if (command.kind == PlayerCommand::turn_goat) return true;
    return false;
}

}  // namespace

TEST(LevelFiles, AreEightRowsOfKnownSquaresAndTheThreeSupplies) {
    const std::vector<std::string> paths = shipped_level_paths(".");
    EXPECT_GE(paths.size(), 20u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const StrictLevel level = read_level(path);
        for (const char* key : {"penguinMax", "goatMax", "skateboardMax"})
            EXPECT_EQ(level.settings.count(key), 1u) << key;
        EXPECT_EQ(level.settings.size(), 3u);
        EXPECT_FALSE(level.name.empty());
        const int cows = cows_on(level.grid);
        EXPECT_GT(cows, 0) << "a level without cows is won before it starts";
        EXPECT_GE(level.settings.count("penguinMax") ? level.settings.at("penguinMax") : 0, cow_tip_count * cows);
    }
}

// Each level is solvable with its supplies and the goat supply is no more
// than a solution needs, so the player cannot get by without thinking; the
// first four teach one thing each.
TEST(LevelFiles, AreSolvableWithTightGoatSuppliesAndStartOneIdeaAtATime) {
    const std::vector<std::string> paths = shipped_level_paths(".");
    std::vector<Solution> solutions;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const StrictLevel level = read_level(path);
        const int penguin_max = level.settings.count("penguinMax") ? level.settings.at("penguinMax") : 0;
        const int goat_max = level.settings.count("goatMax") ? level.settings.at("goatMax") : 0;
        solutions.push_back(solve_level(level.grid, penguin_max, goat_max));
        const Solution& solution = solutions.back();
        ASSERT_EQ(solution.verdict, Verdict::solvable) << solution.reason;
        EXPECT_EQ(solution.goats, goat_max) << describe_commands(solution.commands);
        EXPECT_LE(solution.penguins, penguin_max);
    }
    ASSERT_GE(solutions.size(), 4u);
    EXPECT_EQ(solutions[0].goats, 0) << "the first level only drops penguins";
    EXPECT_EQ(solutions[1].goats, 1);
    EXPECT_EQ(solutions[2].goats, 2);
    EXPECT_TRUE(turns_a_goat(solutions[3])) << describe_commands(solutions[3].commands);

    // The expert set, from level020.txt on, is harder than the first twenty's
    // last level by the generator's difficulty score, and uses cascades and
    // clearing.
    ASSERT_GE(solutions.size(), 41u);
    const int last_of_first_set = difficulty_of(solutions[19]).score;
    int cascades = 0;
    int clears = 0;
    for (std::size_t n = 20; n < solutions.size(); ++n) {
        EXPECT_GT(difficulty_of(solutions[n]).score, last_of_first_set) << paths[n];
        cascades += solutions[n].cascades;
        for (const PlayerCommand& command : solutions[n].commands) clears += command.kind == PlayerCommand::clear_goat;
    }
    EXPECT_GT(cascades, 0);
    EXPECT_GT(clears, 0);
}

// The README lists every level with the checker's figures and solution; a
// level changed without its row would mislead whoever plays it by the book.
TEST(LevelFiles, TheirReadmeTableGivesTheCheckersFigures) {
    std::ifstream readme(LEVELS_README);
    ASSERT_TRUE(readme) << LEVELS_README;
    std::map<std::string, std::vector<std::string>> table;
    std::string line;
    while (std::getline(readme, line)) {
        if (line.rfind("| `level", 0) != 0) continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        std::string cell;
        while (std::getline(row, cell, '|')) cells.push_back(cell.substr(1, cell.size() - 2));
        ASSERT_EQ(cells.size(), 7u) << line;
        table["data/" + cells[0].substr(1, cells[0].size() - 2)] = cells;
    }
    const std::vector<std::string> paths = shipped_level_paths(".");
    EXPECT_EQ(table.size(), paths.size());
    // The best the game shows was proven when it was built, for these bytes.
    std::ifstream best_file(proven_best_path);
    const ProvenBestTable best = parse_proven_best(
        std::string{std::istreambuf_iterator<char>(best_file), std::istreambuf_iterator<char>()});
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ASSERT_EQ(table.count(path), 1u);
        const std::vector<std::string>& row = table[path];
        std::ifstream level_file(path, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(level_file), std::istreambuf_iterator<char>()};
        const std::string name = path.substr(path.rfind('/') + 1);
        EXPECT_EQ(std::to_string(proven_best_for(best, name, bytes).value_or(-1)), row[3]);
        bytes += "\n";
        EXPECT_EQ(proven_best_for(best, name, bytes), std::nullopt) << "a changed level has no best";
        const StrictLevel level = read_level(path);
        const Solution solution = solve_level(level.grid, level.settings.at("penguinMax"), level.settings.at("goatMax"));
        EXPECT_EQ(row[1], level.name);
        EXPECT_EQ(row[3], std::to_string(solution.goats));
        EXPECT_EQ(row[4], std::to_string(solution.penguins));
        EXPECT_EQ(row[5], std::to_string(command_count(solution.commands)));
        EXPECT_EQ(row[6], describe_commands(solution.commands));
    }
}
