#pragma once

#include "puzzle/level_solver.h"

namespace floebound {

// How hard a solved level is, from the search's own figures: the generator's
// score and the editor's verdict share it.
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

}  // namespace floebound
