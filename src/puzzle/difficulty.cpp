#include "puzzle/difficulty.h"

#include <algorithm>
#include <cmath>

namespace floebound {

Difficulty difficulty_of(const Solution& solution) {
    Difficulty difficulty;
    difficulty.commands = command_count(solution.commands);
    difficulty.cascades = solution.cascades;
    difficulty.positions = solution.positions;
    bool dropped = false;
    for (const PlayerCommand& command : solution.commands) {
        if (command.kind == PlayerCommand::drop_penguins) {
            dropped = true;
            difficulty.single_drops += command.penguins == 1;
        } else if (dropped) {
            ++difficulty.changes_between_drops;
        }
    }
    const int searched = static_cast<int>(std::log2(static_cast<double>(std::max(1L, solution.positions))));
    difficulty.score = difficulty.commands + 5 * difficulty.changes_between_drops + 5 * difficulty.cascades +
                       3 * difficulty.single_drops + 4 * solution.goats + searched;
    return difficulty;
}

}  // namespace floebound
