#pragma once

#include "app/vector3.h"

#include <cstdint>
#include <vector>

namespace floebound {

struct Image;

// One corner of the ground, laid out as the terrain stores it.
struct TerrainVertex {
    float s;
    float t;
    std::uint32_t colour;  // bytes red, green, blue, alpha in memory order, as an Image pixel
    Vector3 normal;
    Vector3 position;
};

// The ground as plain data, built once from a height map: one triangle strip
// per row of cells. Strip r holds 2 * columns vertices, grid point (c, r) then
// (c, r + 1) for each column c, and starts at index r * 2 * columns. The last
// strip's second row lies one row past the map and repeats its last heights.
struct TerrainMesh {
    std::int32_t columns = 0;  // the height map's width
    std::int32_t rows = 0;     // the height map's height
    std::vector<TerrainVertex> vertices;
};

// The highlighted cell: cell `second` within strip `first`.
struct TerrainCursor {
    std::int32_t first = 0;
    std::int32_t second = 0;
};

// Grid point (c, r) of the height map, without its normal. Its position keeps
// the spacing even for points outside the map, whose height, texture
// coordinates and colour come from the nearest edge point. The height is the
// pixel's green byte minus 128. Without a colour map, or for a point the colour
// map does not cover, the colour is opaque white.
TerrainVertex terrain_sample(const Image& height_map, const Image* colour_map, int c, int r, float spacing);

// Replaces the mesh with the one the height map describes; normals come from
// the neighbouring grid points, clamped at the edges like terrain_sample.
void build_terrain_mesh(TerrainMesh& mesh, const Image& height_map, const Image* colour_map, float spacing);

// Moves each value independently, keeping one that falls outside the mesh.
// The first names a strip, so it must be below rows; the second names a cell
// in it, so it must be below columns.
void set_terrain_cursor(TerrainCursor& cursor, const TerrainMesh& mesh, int first, int second);

// Index of the first of the four vertices that make up the cursor's cell, or
// -1 when the cursor is on the strip's last grid column, which starts no cell.
int cursor_cell_first_vertex(const TerrainMesh& mesh, const TerrainCursor& cursor);

// Whether a grid line may pass through vertex `index`: it and the vertex after
// it in the array both lie at height 0. The very last vertex has no follower
// and never qualifies.
bool grid_line_passes(const TerrainMesh& mesh, int index);

// Calls emit(vertex index) for each vertex of the grid line strip over `strip`,
// in drawing order. Over flat ground the line walks the column lines and the
// row borders of the strip's cells (the last cell it crosses diagonally
// instead); where the ground is raised or sunk its vertices are left out.
template <class Emit>
void for_each_grid_line_vertex(const TerrainMesh& mesh, int strip, Emit&& emit) {
    const int strip_length = 2 * mesh.columns;
    const int first = strip * strip_length;
    for (int j = 0; j < strip_length; ++j) {
        if (!grid_line_passes(mesh, first + j)) continue;
        emit(first + j);
        // At (c, r + 1), go out along row r + 1 to the next column and back to
        // (c, r), so that one line strip covers both rows' borders as well as
        // the column lines between them.
        if (j % 2 == 1 && j + 3 < strip_length) {
            emit(first + j + 2);
            emit(first + j);
            emit(first + j - 1);
        }
    }
}

}  // namespace floebound
