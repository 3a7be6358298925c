#include "puzzle/penguin_walk.h"

namespace floebound {

int heading_between(int from_column, int from_row, int to_column, int to_row) {
    for (int d = 0; d < direction_count; ++d)
        if (direction_steps[d].column == to_column - from_column && direction_steps[d].row == to_row - from_row)
            return d;
    return -1;
}

PenguinMove decide_alone(const Grid& grid, const Walker& walker) {
    const bool cow_here = grid.cell_at(walker.column, walker.row) == CellKind::cow;
    return decide_resting_penguin(grid, {walker.column, walker.row, walker.heading, 1, cow_here});
}

WalkResult walk_alone(const Grid& grid, Walker walker) {
    // The field is fixed, so meeting a square again with the same heading
    // means the walk repeats from here on.
    std::bitset<grid_cells * direction_count> seen;
    Squares went_straight;
    for (long steps = 1;; ++steps) {
        const PenguinMove move = decide_alone(grid, walker);
        if (move.action == PenguinAction::join_cow) return {WalkEnd::on_cow, walker, steps, went_straight};
        if (move.action != PenguinAction::walk) return {WalkEnd::stuck, walker, steps, went_straight};
        const int cell = walker.row * grid_side + walker.column;
        const int state = cell * direction_count + walker.heading;
        if (seen[state]) return {WalkEnd::loops, walker, steps, went_straight};
        seen[state] = true;
        const int heading = heading_between(walker.column, walker.row, move.column, move.row);
        if (heading == walker.heading) went_straight[cell] = true;
        walker = {move.column, move.row, heading};
    }
}

}  // namespace floebound
