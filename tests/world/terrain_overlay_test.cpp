#include "map_image.h"
#include "world/terrain_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

using namespace floebound;

namespace {

TerrainMesh mesh_of(MapImage& map, int raised_c = -1, int raised_r = -1) {
    map.fill([&](int c, int r) { return c == raised_c && r == raised_r ? 150 : 128; });
    TerrainMesh mesh;
    build_terrain_mesh(mesh, map.image(), nullptr, 64);
    return mesh;
}

TEST(TerrainCursor, ValuesMoveIndependentlyWithinTheMeshAndTheCellStaysInItsStrip) {
    MapImage square(16, 16);
    const TerrainMesh mesh = mesh_of(square);
    TerrainCursor cursor;
    set_terrain_cursor(cursor, mesh, -1, 5);
    EXPECT_EQ(std::make_pair(cursor.first, cursor.second), std::make_pair(0, 5));
    set_terrain_cursor(cursor, mesh, 16, 16);
    EXPECT_EQ(std::make_pair(cursor.first, cursor.second), std::make_pair(0, 5));
    set_terrain_cursor(cursor, mesh, 15, 15);
    EXPECT_EQ(std::make_pair(cursor.first, cursor.second), std::make_pair(15, 15));
    // Four columns by two rows: the first value is a strip, held below the
    // rows; the second a cell in it, held below the columns.
    MapImage wide(4, 2);
    TerrainCursor on_wide;
    set_terrain_cursor(on_wide, mesh_of(wide), 2, 3);
    EXPECT_EQ(std::make_pair(on_wide.first, on_wide.second), std::make_pair(0, 3));

    // Strip 8 spans z 0 to 64, cell 6 x -128 to -64.
    const int first = cursor_cell_first_vertex(mesh, {8, 6});
    ASSERT_GE(first, 0);
    std::set<std::pair<float, float>> corners;
    for (int k = 0; k < 4; ++k) corners.insert({mesh.vertices.at(first + k).position.x, mesh.vertices.at(first + k).position.z});
    EXPECT_EQ(corners, (std::set<std::pair<float, float>>{{-128, 0}, {-128, 64}, {-64, 0}, {-64, 64}}));
    EXPECT_EQ(cursor_cell_first_vertex(mesh, {8, 14}) + 3, 8 * 32 + 31);
    EXPECT_EQ(cursor_cell_first_vertex(mesh, {8, 15}), -1);  // the last grid column starts no cell
}

using GridPoint = std::pair<int, int>;

// The segments a strip's grid line draws, as pairs of grid points in sorted order.
std::set<std::pair<GridPoint, GridPoint>> grid_line_segments(const TerrainMesh& mesh, int strip) {
    std::set<std::pair<GridPoint, GridPoint>> segments;
    GridPoint previous{-1, -1};
    for_each_grid_line_vertex(mesh, strip, [&](int index) {
        EXPECT_EQ(index / (2 * mesh.columns), strip) << "vertex " << index;
        const Vector3& p = mesh.vertices.at(index).position;
        const GridPoint point{static_cast<int>(std::lround(p.x / 64)) + mesh.columns / 2,
                              static_cast<int>(std::lround(p.z / 64)) + mesh.rows / 2};
        if (previous.first >= 0) segments.insert(std::minmax(previous, point));
        previous = point;
    });
    return segments;
}

TEST(TerrainGridLines, FlatGroundTracesTheBordersOfEveryCell) {
    MapImage map(5, 4);
    const TerrainMesh mesh = mesh_of(map);
    for (int r = 0; r < 4; ++r) {
        const auto segments = grid_line_segments(mesh, r);
        const auto drawn = [&](GridPoint a, GridPoint b) { return segments.count(std::minmax(a, b)) > 0; };
        for (int c = 0; c < 5; ++c) {
            // The mesh's very last vertex has nothing after it to be level with.
            EXPECT_EQ(drawn({c, r}, {c, r + 1}), r < 3 || c < 4) << "strip " << r << " column line " << c;
        }
        for (int c = 0; c < 3; ++c) {
            EXPECT_TRUE(drawn({c, r}, {c + 1, r})) << "strip " << r << " cell " << c;
            EXPECT_TRUE(drawn({c, r + 1}, {c + 1, r + 1})) << "strip " << r << " cell " << c;
        }
    }
}

TEST(TerrainGridLines, AVertexCarriesALineOnlyWhenItAndItsFollowerAreLevel) {
    MapImage map(6, 4);
    const TerrainMesh mesh = mesh_of(map, 3, 2);
    ASSERT_EQ(mesh.vertices.size(), 48u);
    // Grid point (3, 2) is vertex 30 of strip 2 and vertex 19 of strip 1; the
    // level vertices 29 and 18 come just before it.
    EXPECT_EQ(mesh.vertices[29].position.y, 0);
    EXPECT_FALSE(grid_line_passes(mesh, 29));
    EXPECT_FALSE(grid_line_passes(mesh, 30));
    EXPECT_TRUE(grid_line_passes(mesh, 31));
    EXPECT_FALSE(grid_line_passes(mesh, 18));
    EXPECT_TRUE(grid_line_passes(mesh, 11));  // followed by the next strip's first vertex
    EXPECT_FALSE(grid_line_passes(mesh, 47));
    EXPECT_TRUE(grid_line_passes(mesh, 46));
}

}  // namespace
