#pragma once

#include "puzzle/difficulty.h"
#include "puzzle/grid.h"
#include "puzzle/level_solver.h"

#include <cstdint>
#include <string>
#include <vector>

namespace floebound::tools {

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
