#pragma once

#include "puzzle/grid.h"
#include "puzzle/rules.h"

#include <bitset>

namespace floebound {

// A penguin at rest on a square centre and the way it faces.
struct Walker {
    int column;
    int row;
    int heading;
};

enum class WalkEnd {
    on_cow,  // settled on a cow's square
    stuck,   // stands still for good
    loops,   // walks in circles for ever
};

using Squares = std::bitset<grid_cells>;

struct WalkResult {
    WalkEnd end;
    Walker last;         // where it settled or stopped; where the circle closed
    long steps;          // decisions taken
    Squares went_straight;  // squares it walked straight on from
};

// The heading a penguin has after walking from one square to its neighbour.
int heading_between(int from_column, int from_row, int to_column, int to_row);

// Follows a lone penguin's decisions, by the game's own rule, over a field
// that does not change while it walks. A square holding a cow has its cow.
WalkResult walk_alone(const Grid& grid, Walker start);

// The decision of a penguin resting alone on its square.
PenguinMove decide_alone(const Grid& grid, const Walker& walker);

}  // namespace floebound
