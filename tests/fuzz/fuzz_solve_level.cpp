// Feeds arbitrary level files to the level checker's search, with a small
// bound, and checks that whatever it answers keeps within the level's rules.

#include "puzzle/level_file.h"
#include "puzzle/level_solver.h"
#include "puzzle/rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace floebound;

namespace {

// Enough to solve the seed won only by clearing a goat, so that branch and the
// check of a solution's commands are fuzzed; little enough that a thousand
// inputs or more run a second.
constexpr long work_limit = 1'500;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LevelFile file = parse_level_file(reinterpret_cast<const char*>(data), size);
    const Grid field = field_of(file);
    const int penguin_max = file.penguinMax.value_or(0);
    const int goat_max = file.goatMax.value_or(0);

    const Solution solution = solve_level(field, penguin_max, goat_max, work_limit);
    // Past the bound only the walks of a cascade under way may finish: each
    // cow it tips sets eight penguins walking, none longer than every square
    // in every heading.
    const long cows = std::count(std::begin(field.cells), std::end(field.cells), CellKind::cow);
    if (solution.work > work_limit + cows * cow_tip_count * grid_cells * direction_count) std::abort();
    if (solution.verdict != Verdict::solvable) {
        if (solution.reason.empty() || !solution.commands.empty()) std::abort();
        return 0;
    }
    if (solution.penguins > penguin_max || solution.penguins < cow_tip_count) std::abort();
    // A negative supply lets the player place no goat at all.
    const int goat_supply = std::max(goat_max, 0);
    int standing = 0;
    int most_standing = 0;
    Grid grid = field;
    for (const PlayerCommand& command : solution.commands) {
        const CellKind here = grid.cell_at(command.column, command.row);
        const bool goat_here = here == CellKind::goat_cw || here == CellKind::goat_ccw;
        switch (command.kind) {
        case PlayerCommand::place_goat:
            // Goats go on empty squares; a tipped cow's square is empty by then.
            if (here != CellKind::empty && here != CellKind::cow) std::abort();
            grid.set_cell(command.column, command.row, command.goat);
            if (++standing > goat_supply) std::abort();
            most_standing = std::max(most_standing, standing);
            break;
        case PlayerCommand::turn_goat:
            if (here == command.goat || !goat_here) std::abort();
            grid.set_cell(command.column, command.row, command.goat);
            break;
        case PlayerCommand::clear_goat:
            if (!goat_here || command.goat != CellKind::empty) std::abort();
            grid.set_cell(command.column, command.row, CellKind::empty);
            --standing;
            break;
        case PlayerCommand::drop_penguins:
            if (here != CellKind::penguin_square || command.penguins < 1) std::abort();
            break;
        }
    }
    if (solution.goats != most_standing) std::abort();
    return 0;
}
