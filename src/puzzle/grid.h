#pragma once

#include <cmath>

namespace floebound {

// What stands on one square of the field; the numbers are those of the game's
// level files and rules.
enum class CellKind : int {
    empty = 0,
    penguin_square = 1,
    tree = 2,
    target = 3,
    cow = 4,
    skateboard_square = 5,
    off_grid = 6,
    goat_cw = 7,
    goat_ccw = 8,
    bucket = 9,
    fire = 10,
    tunafish = 11,
};

constexpr int grid_side = 8;
constexpr int grid_cells = grid_side * grid_side;
constexpr float cell_width = 64;

// The 8 by 8 field, row-major: square (column, row) is cell row * 8 + column.
// Columns follow world x and rows world z.
struct Grid {
    CellKind cells[grid_cells] = {};

    // off_grid outside the field, so the field reads as walled in.
    CellKind cell_at(int column, int row) const {
        if (column < 0 || column >= grid_side || row < 0 || row >= grid_side) return CellKind::off_grid;
        return cells[row * grid_side + column];
    }
    void set_cell(int column, int row, CellKind kind) { cells[row * grid_side + column] = kind; }
    bool operator==(const Grid& other) const {
        for (int cell = 0; cell < grid_cells; ++cell)
            if (cells[cell] != other.cells[cell]) return false;
        return true;
    }
    bool operator!=(const Grid& other) const { return !(*this == other); }
};

// The terrain's cursor counts squares from the ground's edge: the field's
// square (column, row) is cursor (row + 4, column + 4).
constexpr int field_cursor_offset = 4;

struct CellCentre {
    float x, y, z;
};

// The field in world units: its middle is the origin, columns run along x
// and rows along z. The world x of the line between columns n - 1 and n (or z
// between rows), 0 and grid_side being the field's edges.
inline float field_line(int n) { return static_cast<float>(n - grid_side / 2) * cell_width; }

// The world point at the middle of a square, at ground height.
inline CellCentre cell_centre(int column, int row) {
    return {field_line(column) + cell_width / 2, 0, field_line(row) + cell_width / 2};
}

// The square an actor at world (x, z) counts as standing on: the one whose
// centre is at or before it on each axis, so a walker keeps its square until
// it reaches the next one's centre.
inline void square_at(float x, float z, int& column, int& row) {
    column = static_cast<int>(std::floor((x - cell_width / 2) / cell_width + grid_side / 2));
    row = static_cast<int>(std::floor((z - cell_width / 2) / cell_width + grid_side / 2));
}

}  // namespace floebound
