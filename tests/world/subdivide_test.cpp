#include "meshes/obj_model.h"
#include "world/subdivide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace floebound;

namespace {

ObjCorner corner(float x, float y, float z, float s = 0, float t = 0) { return {s, t, 0, 0, 1, x, y, z}; }

struct Result {
    std::vector<ObjCorner> corners;
    std::string console;
};

Result subdivide(const std::vector<ObjCorner>& input, float limit) {
    Result result{input, ""};
    testing::internal::CaptureStdout();
    subdivide_mesh(result.corners, limit);
    result.console = testing::internal::GetCapturedStdout();
    return result;
}

void expect_at(const ObjCorner& c, float x, float y, float z) {
    EXPECT_FLOAT_EQ(c.x, x);
    EXPECT_FLOAT_EQ(c.y, y);
    EXPECT_FLOAT_EQ(c.z, z);
}

TEST(Subdivide, AThreeFourFiveTriangleSplitsItsHypotenuseOnce) {
    // Edge 0 (A-B) is the hypotenuse; the limit 4.9 gives a threshold of 24.
    const std::vector<ObjCorner> input = {corner(3, 0, 0, 1, 0), corner(0, 4, 0, 0, 1), corner(0, 0, 0, 0, 0)};
    Result result = subdivide(input, 4.9f);
    EXPECT_EQ(result.console, "In: 3 verts (1 poly)\nOut: 6 verts (2 poly)\n");
    ASSERT_EQ(result.corners.size(), 6u);
    const ObjCorner* c = result.corners.data();
    // (A, M, C) in place and (M, B, C) appended.
    expect_at(c[0], 3, 0, 0);
    expect_at(c[1], 1.5f, 2, 0);
    expect_at(c[2], 0, 0, 0);
    expect_at(c[3], 1.5f, 2, 0);
    expect_at(c[4], 0, 4, 0);
    expect_at(c[5], 0, 0, 0);
    EXPECT_FLOAT_EQ(c[1].s, 0.5f);
    EXPECT_FLOAT_EQ(c[1].t, 0.5f);
    EXPECT_FLOAT_EQ(c[3].s, 0.5f);
    EXPECT_FLOAT_EQ(c[1].nz, 1);  // normals stay as they were
}

TEST(Subdivide, EqualEdgesSplitTheLastEdge) {
    // Every squared edge is 2. Split on edge 2 (C-A), the first pass leaves
    // (M, B, C) in place and appends (A, B, M); later passes split edges of
    // their own but never move corners 3 and 5 again.
    const std::vector<ObjCorner> input = {corner(1, 0, 0), corner(0, 1, 0), corner(0, 0, 1)};
    Result result = subdivide(input, 1);
    EXPECT_EQ(result.console, "In: 3 verts (1 poly)\nOut: 18 verts (6 poly)\n");
    ASSERT_EQ(result.corners.size(), 18u);
    // Each pass takes room for exactly the triangles it adds, not a doubling.
    EXPECT_EQ(result.corners.capacity(), 18u);
    expect_at(result.corners[0], 0.5f, 0, 0.5f);
    expect_at(result.corners[3], 1, 0, 0);
    expect_at(result.corners[5], 0.5f, 0, 0.5f);
    for (std::size_t i = 0; i < result.corners.size(); i += 3) {
        const ObjCorner* t = result.corners.data() + i;
        EXPECT_LE(std::max({squared_distance(t[0], t[1]), squared_distance(t[1], t[2]), squared_distance(t[2], t[0])}), 1)
            << i;
    }
}

TEST(Subdivide, ShortEdgesAndRefusedLimitsLeaveTheArrayAlone) {
    const std::vector<ObjCorner> input = {corner(0, 0, 0), corner(3, 0, 0), corner(0, 4, 0),
                                          corner(9, 9, 9), corner(9, 9, 9), corner(9, 9, 9)};
    Result unchanged = subdivide(input, 5);
    EXPECT_EQ(unchanged.console, "In: 6 verts (2 poly)\nOut: 6 verts (2 poly)\n");
    ASSERT_EQ(unchanged.corners.size(), 6u);
    EXPECT_EQ(std::memcmp(unchanged.corners.data(), input.data(), sizeof(ObjCorner) * 6), 0);

    // A threshold of 0 would split forever.
    for (const float limit : {0.0f, -3.0f, 0.99f, std::nanf("")}) {
        Result refused = subdivide(input, limit);
        EXPECT_EQ(refused.console.rfind("Refusing to subdivide to ", 0), 0u) << limit;
        EXPECT_EQ(refused.console.find('\n'), refused.console.size() - 1);
        ASSERT_EQ(refused.corners.size(), 6u);
        EXPECT_EQ(std::memcmp(refused.corners.data(), input.data(), sizeof(ObjCorner) * 6), 0);
    }

    const Result empty = subdivide({}, 5);
    EXPECT_EQ(empty.console, "");
    EXPECT_TRUE(empty.corners.empty());
}

TEST(Subdivide, GrowthIsBoundedAndStopsAtTheLastFullPass) {
    // Edges of infinite length never come within the limit.
    const float huge = 3e38f;
    Result result = subdivide({corner(-huge, 0, 0), corner(huge, 0, 0), corner(0, 1, 0)}, 1);
    EXPECT_EQ(result.console.rfind("In: 3 verts (1 poly)\n", 0), 0u);
    EXPECT_EQ(result.console.substr(result.console.find('\n') + 1), "Crashed...out of memory during a subdiv.\n");
    EXPECT_EQ(result.corners.size() % 3, 0u);
    EXPECT_LE(result.corners.size(), 3u << 20);
    EXPECT_GT(result.corners.size(), 3u);
    // What came back is whole: its last corner is there to read.
    EXPECT_EQ(result.corners.back().s, 0);
}

}  // namespace
