#include "map_image.h"
#include "world/terrain_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace floebound;

namespace {

// Grid point (c, r): the upper row of strip r, or the last strip's lower row
// for the row past the map.
const TerrainVertex& at(const TerrainMesh& mesh, int c, int r) {
    const int strip = std::min(r, mesh.rows - 1);
    return mesh.vertices.at(static_cast<std::size_t>(strip) * 2 * mesh.columns + 2 * c + (r - strip));
}

TEST(TerrainMesh, SixteenStripsOfThirtyTwoCentredOnTheOrigin) {
    const auto green = [](int c, int r) { return 100 + 3 * c + 5 * r; };
    MapImage map(16, 16);
    map.fill(green);
    TerrainMesh mesh;
    build_terrain_mesh(mesh, map.image(), nullptr, 64);
    EXPECT_EQ(mesh.columns, 16);
    EXPECT_EQ(mesh.rows, 16);
    ASSERT_EQ(mesh.vertices.size(), 512u);
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            // Strip r pairs grid point (c, r) with (c, r + 1), 64 units on.
            const TerrainVertex& upper = mesh.vertices[r * 32 + 2 * c];
            const TerrainVertex& lower = mesh.vertices[r * 32 + 2 * c + 1];
            SCOPED_TRACE(testing::Message() << "strip " << r << " column " << c);
            EXPECT_FLOAT_EQ(upper.position.x, lower.position.x);
            EXPECT_FLOAT_EQ(lower.position.z - upper.position.z, 64);
            EXPECT_FLOAT_EQ(upper.position.y, green(c, r) - 128);
            EXPECT_FLOAT_EQ(lower.position.y, green(c, std::min(r + 1, 15)) - 128);
            if (c > 0) {
                EXPECT_FLOAT_EQ(upper.position.x - mesh.vertices[r * 32 + 2 * c - 2].position.x, 64);
            }
        }
    }
    EXPECT_FLOAT_EQ(mesh.vertices[8 * 32 + 16].position.x, 0);
    EXPECT_FLOAT_EQ(mesh.vertices[8 * 32 + 16].position.z, 0);
    EXPECT_FLOAT_EQ(mesh.vertices[0].position.x, -512);
    EXPECT_FLOAT_EQ(mesh.vertices[0].position.z, -512);
    EXPECT_FLOAT_EQ(mesh.vertices[15 * 32 + 1].position.z, 512);
}

TEST(TerrainMesh, HeightIsGreenLess128ReadFromTheMapsOwnRows) {
    MapImage line(3, 1);
    line.set(0, 0, 255, 128, 0, 0);
    line.set(1, 0, 0, 0, 255, 255);
    line.set(2, 0, 99, 255, 1, 7);
    EXPECT_FLOAT_EQ(terrain_sample(line.image(), nullptr, 0, 0, 64).position.y, 0);
    EXPECT_FLOAT_EQ(terrain_sample(line.image(), nullptr, 1, 0, 64).position.y, -128);
    EXPECT_FLOAT_EQ(terrain_sample(line.image(), nullptr, 2, 0, 64).position.y, 127);

    // Five by three in an eight by four buffer, ten apart: the halves truncate
    // to 2 and 1, and past the edge the spacing goes on over edge heights.
    const auto green = [](int c, int r) { return 7 + 10 * c + 60 * r; };
    MapImage map(5, 3, 8, 4);
    map.fill(green);
    TerrainMesh mesh;
    build_terrain_mesh(mesh, map.image(), nullptr, 10);
    ASSERT_EQ(mesh.vertices.size(), 30u);
    EXPECT_FLOAT_EQ(mesh.vertices.front().position.x, -20);
    EXPECT_FLOAT_EQ(mesh.vertices.front().position.z, -10);
    EXPECT_FLOAT_EQ(mesh.vertices.back().position.x, 20);
    EXPECT_FLOAT_EQ(mesh.vertices.back().position.z, 20);
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c < 5; ++c) EXPECT_FLOAT_EQ(at(mesh, c, r).position.y, green(c, std::min(r, 2)) - 128);
    const TerrainVertex outside = terrain_sample(map.image(), nullptr, -1, 4, 10);
    EXPECT_FLOAT_EQ(outside.position.x, -30);
    EXPECT_FLOAT_EQ(outside.position.z, 30);
    EXPECT_FLOAT_EQ(outside.position.y, green(0, 2) - 128);
}

TEST(TerrainMesh, NormalsStandUpOnFlatGroundAndLeanAwayFromRisingGround) {
    MapImage map(16, 16);
    TerrainMesh mesh;
    map.fill([](int, int) { return 128; });
    build_terrain_mesh(mesh, map.image(), nullptr, 64);
    for (const TerrainVertex& vertex : mesh.vertices) {
        EXPECT_FLOAT_EQ(vertex.normal.x, 0);
        EXPECT_FLOAT_EQ(vertex.normal.y, 1);
        EXPECT_FLOAT_EQ(vertex.normal.z, 0);
    }

    // Rising 8 units a column, then a row: away from the clamped edges the
    // normal is square to the slope and leans back the way the ground falls.
    for (bool along_rows : {false, true}) {
        map.fill([&](int c, int r) { return 100 + 8 * (along_rows ? r : c); });
        build_terrain_mesh(mesh, map.image(), nullptr, 64);
        const Vector3 rise = along_rows ? Vector3{0, 8, 64} : Vector3{64, 8, 0};
        const Vector3 level = along_rows ? Vector3{1, 0, 0} : Vector3{0, 0, 1};
        for (int r = 1; r < 15; ++r) {
            for (int c = 1; c < 15; ++c) {
                const Vector3& normal = at(mesh, c, r).normal;
                EXPECT_NEAR(dot(normal, normal), 1, 1e-5);
                EXPECT_NEAR(dot(normal, rise), 0, 1e-4);
                EXPECT_NEAR(dot(normal, level), 0, 1e-6);
                EXPECT_GT(normal.y, 0);
                EXPECT_LT(along_rows ? normal.z : normal.x, 0);
            }
        }
    }
}

TEST(TerrainMesh, TextureMirrorsEveryOtherCellAndColoursComeFromTheColourMap) {
    MapImage heights(4, 3);
    heights.fill([](int, int) { return 140; });
    TerrainMesh mesh;
    build_terrain_mesh(mesh, heights.image(), nullptr, 64);
    ASSERT_EQ(mesh.vertices.size(), 24u);
    for (int r = 0; r <= 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const TerrainVertex& vertex = at(mesh, c, r);
            EXPECT_EQ(vertex.colour, 0xffffffffu);
            EXPECT_FLOAT_EQ(vertex.s, c % 2);
            // The row past the map repeats the last row's texture row.
            EXPECT_FLOAT_EQ(vertex.t, std::min(r, 2) % 2);
        }
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(mesh.vertices[r * 8 + 2 * c + 1].t, std::min(r + 1, 2) % 2);
        }
    }

    // A colour map smaller than the height map colours what it covers and
    // leaves the rest white, rather than reading past its buffer.
    MapImage colours(2, 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) colours.set(c, r, 10, static_cast<std::uint8_t>(20 + c), static_cast<std::uint8_t>(30 + r), 255);
    build_terrain_mesh(mesh, heights.image(), &colours.image(), 64);
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(at(mesh, c, r).colour, (c < 2 && r < 2) ? colours.pixel(c, r) : 0xffffffffu) << c << "," << r;
}

}  // namespace
