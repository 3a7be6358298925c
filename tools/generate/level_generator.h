#pragma once

#include "puzzle/grid.h"
#include "puzzle/level_solver.h"

#include <cstdint>
#include <string>
#include <vector>

namespace floebound::tools {

// How hard a solved level is, from the search's own figures.
struct Difficulty {
    int commands = 0;                // player commands of the solution
    int changes_between_drops = 0;   // goats placed, turned or cleared after the first drop
    int cascades = 0;                // cows tipped by penguins walking on from another
    int single_drops = 0;            // drops of one penguin that tip nothing yet
    long positions = 0;              // moments between drops the search looked at
    int score = 0;
};

// score = commands + 5 x changes between drops + 5 x cascades
//         + 3 x single drops + 4 x goats + log2(positions searched)
Difficulty difficulty_of(const Solution& solution);

struct GeneratedLevel {
    Grid field;
    int penguin_max = 0;
    int goat_max = 0;
    Solution solution;
    Difficulty difficulty;
};

struct GeneratorRequest {
    int cows = 1;
    int goats = 0;
    std::uint32_t seed = 1;
    int count = 1;
    // Candidate fields tried per level before giving up.
    int attempts = 20000;
};

// Why the request cannot be met as asked, or empty.
std::string request_problem(const GeneratorRequest& request);

// count distinct levels, each solvable with exactly request.goats goats
// standing at once as the fewest, with eight penguins per cow.
// The same request gives the same levels. Fewer when the attempts run out.
std::vector<GeneratedLevel> generate_levels(const GeneratorRequest& request);

}  // namespace floebound::tools
