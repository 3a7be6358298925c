// The model-building toolkit: primitives are closed, outward-facing solids
// of the right size whose skin coordinates land where the painters expect;
// puppets carry parts along their joints; baking hands the file clockwise
// triangles.

#include "mesh_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "puppet.h"

using namespace floebound::tools;

namespace {

constexpr float kPi = 3.14159265f;

// Positive for triangles counter-clockwise seen from outside.
float signed_volume(const Mesh& mesh) {
    double volume = 0;
    for (const Triangle& t : mesh.triangles) {
        const Vec3 a = mesh.vertices[t.corners[0].vertex], b = mesh.vertices[t.corners[1].vertex],
                   c = mesh.vertices[t.corners[2].vertex];
        volume += dot(a, cross(b, c)) / 6.0;
    }
    return static_cast<float>(volume);
}

// Closed and consistently wound: every edge is walked once each way.
bool is_closed(const Mesh& mesh) {
    std::map<std::pair<int, int>, int> edges;
    for (const Triangle& t : mesh.triangles)
        for (int c = 0; c < 3; ++c) ++edges[{t.corners[c].vertex, t.corners[(c + 1) % 3].vertex}];
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (count != 1 || back == edges.end() || back->second != 1) return false;
    }
    return !edges.empty();
}

bool uvs_inside(const Mesh& mesh, UvRect r) {
    for (const Triangle& t : mesh.triangles)
        for (const Corner& c : t.corners)
            if (c.uv.u < r.u0 - 1e-5f || c.uv.u > r.u1 + 1e-5f || c.uv.v < r.v0 - 1e-5f || c.uv.v > r.v1 + 1e-5f)
                return false;
    return true;
}

constexpr UvRect kRegion{0.25f, 0.5f, 0.75f, 0.625f};
const UvMap kWhole = uv_rect({0, 0, 1, 1});

Vec3 centroid(const std::vector<Vec3>& points, std::size_t first, std::size_t count) {
    Vec3 sum;
    for (std::size_t i = first; i < first + count; ++i) sum = sum + points[i];
    return sum * (1.0f / static_cast<float>(count));
}

}  // namespace

TEST(MeshBuilder, PrimitivesAreClosedOutwardSolidsOfTheirSize) {
    const UvMap region = uv_rect(kRegion);
    struct Case {
        const char* name;
        Mesh mesh;
        float volume, tolerance;
    };
    const Case cases[] = {
        {"sphere", ellipsoid({10, 10, 10}, 24, 16, region), 4.0f / 3 * kPi * 1000, 0.05f},
        {"ellipsoid", ellipsoid({3, 5, 7}, 24, 16, region), 4.0f / 3 * kPi * 105, 0.05f},
        {"box", box({1, 2, 3}, region), 48, 0.001f},
        {"frustum", tube(4, 2, 6, 32, region), kPi * 2 * (16 + 8 + 4), 0.02f},
        {"cone", tube(3, 0, 9, 32, region), kPi * 9 * 9 / 3, 0.02f},
        {"upside-down cone", tube(0, 3, 9, 32, region), kPi * 9 * 9 / 3, 0.02f},
        {"torus", torus(5, 1, 24, 12, 360, region), 2 * kPi * kPi * 5, 0.07f},
        {"slab", slab({{0, 0}, {4, 0}, {4, 2}, {0, 2}}, 3, region), 24, 0.001f},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(is_closed(c.mesh)) << c.name;
        EXPECT_NEAR(signed_volume(c.mesh), c.volume, c.volume * c.tolerance) << c.name;
        EXPECT_TRUE(uvs_inside(c.mesh, kRegion)) << c.name;

        const Mesh inside_out = flipped(c.mesh);
        EXPECT_TRUE(is_closed(inside_out)) << c.name;
        EXPECT_NEAR(signed_volume(inside_out), -signed_volume(c.mesh), 1e-3f) << c.name;
    }
    // Squareness swells an ellipsoid toward the box around it.
    const float round = signed_volume(ellipsoid({3, 5, 7}, 24, 16, region));
    const float boxy = signed_volume(ellipsoid({3, 5, 7}, 24, 16, region, 0.5f));
    EXPECT_GT(boxy, round * 1.2f);
    EXPECT_LT(boxy, 8 * 105);
}

TEST(MeshBuilder, OpenShapesFaceTheWayTheySay) {
    const Mesh lid = disk(4, 12, uv_rect(kRegion));
    EXPECT_TRUE(uvs_inside(lid, kRegion));
    for (const Triangle& t : lid.triangles) {
        const Vec3 a = lid.vertices[t.corners[0].vertex];
        const Vec3 n = cross(lid.vertices[t.corners[1].vertex] - a, lid.vertices[t.corners[2].vertex] - a);
        EXPECT_GT(n.z, 0) << "a disk looks up";
    }
    // A half ring stays on the +Y side and keeps its tube outward.
    const Mesh handle = torus(5, 1, 8, 6, 180, kWhole);
    for (const Vec3& v : handle.vertices) EXPECT_GE(v.y, -1e-4f);
    for (const Triangle& t : handle.triangles) {
        const Vec3 a = handle.vertices[t.corners[0].vertex], b = handle.vertices[t.corners[1].vertex],
                   c = handle.vertices[t.corners[2].vertex];
        const Vec3 middle = (a + b + c) * (1.0f / 3);
        const Vec3 ring_point = normalized({middle.x, middle.y, 0}) * 5;
        EXPECT_GT(dot(cross(b - a, c - a), middle - ring_point), 0);
    }
}

TEST(MeshBuilder, SurfaceCoordinatesMeanTheSameDirectionToMeshesAndPainters) {
    // Painters place eyes and patches with lat_long_direction; the meshes
    // must put the same (u, v) at that direction.
    const Mesh sphere = ellipsoid({1, 1, 1}, 12, 8, kWhole);
    for (const Triangle& t : sphere.triangles) {
        for (const Corner& c : t.corners) {
            const Vec3 p = sphere.vertices[c.vertex], d = lat_long_direction(c.uv);
            EXPECT_NEAR(length(p - d), 0, 1e-4f) << "u " << c.uv.u << " v " << c.uv.v;
        }
    }
    const Mesh column = tube(2, 2, 5, 10, kWhole, {false, false});
    for (const Triangle& t : column.triangles) {
        for (const Corner& c : t.corners) {
            const Vec3 p = column.vertices[c.vertex], d = lat_long_direction({c.uv.u, 0.5f});
            EXPECT_NEAR(length(Vec3{p.x / 2, p.y / 2, 0} - d), 0, 1e-4f);
            EXPECT_NEAR(p.z, 5 * (1 - c.uv.v), 1e-4f) << "v runs from the top rim down";
        }
    }
    // The middle of the skin faces forward, three quarters faces left.
    EXPECT_NEAR(length(lat_long_direction({0.5f, 0.5f}) - Vec3{1, 0, 0}), 0, 1e-5f);
    EXPECT_NEAR(length(lat_long_direction({0.75f, 0.5f}) - Vec3{0, 1, 0}), 0, 1e-5f);
    EXPECT_NEAR(length(lat_long_direction({0.3f, 0.0f}) - Vec3{0, 0, 1}), 0, 1e-5f);
}

TEST(Puppet, PartsFollowTheirJointAndEveryJointAbove) {
    Puppet puppet;
    const int shoulder = puppet.add_joint(Puppet::kNoParent, {0, 0, 0});
    const int elbow = puppet.add_joint(shoulder, {10, 0, 0});
    const Mesh cube = box({1, 1, 1}, kWhole);
    puppet.add_part(shoulder, cube, translate({5, 0, 0}));
    puppet.add_part(elbow, cube, translate({15, 0, 0}));
    const std::size_t per_part = cube.vertices.size();

    const std::vector<Vec3> rest = puppet.posed_vertices(puppet.rest());
    ASSERT_EQ(rest.size(), 2 * per_part);
    EXPECT_NEAR(length(centroid(rest, per_part, per_part) - Vec3{15, 0, 0}), 0, 1e-4f);

    // Bending the elbow alone swings the forearm about the elbow.
    Pose bent = puppet.rest();
    bent[elbow] = rotate_z(90);
    const std::vector<Vec3> elbow_only = puppet.posed_vertices(bent);
    EXPECT_NEAR(length(centroid(elbow_only, 0, per_part) - Vec3{5, 0, 0}), 0, 1e-4f);
    EXPECT_NEAR(length(centroid(elbow_only, per_part, per_part) - Vec3{10, 5, 0}), 0, 1e-4f);

    // Turning the shoulder as well carries the bent forearm with it.
    bent[shoulder] = rotate_z(90);
    const std::vector<Vec3> both = puppet.posed_vertices(bent);
    EXPECT_NEAR(length(centroid(both, 0, per_part) - Vec3{0, 5, 0}), 0, 1e-4f);
    EXPECT_NEAR(length(centroid(both, per_part, per_part) - Vec3{-5, 10, 0}), 0, 1e-4f);
}

TEST(Puppet, BakingGivesTheFileClockwiseTrianglesAndTexels) {
    Puppet puppet;
    const int joint = puppet.add_joint(Puppet::kNoParent, {0, 0, 0});
    puppet.add_part(joint, ellipsoid({4, 4, 4}, 8, 6, uv_rect({0.5f, 0.25f, 1.0f, 0.5f})));
    Pose raised = puppet.rest();
    raised[joint] = translate({0, 0, 3});
    const Md2Mesh md2 = bake_md2(puppet, {{"rest", puppet.rest()}, {"raised", raised}}, 128, 64, "skin.png");

    ASSERT_EQ(md2.frames.size(), 2u);
    EXPECT_EQ(md2.frames[1].name, "raised");
    EXPECT_EQ(md2.skin_width, 128);
    EXPECT_EQ(md2.skin_height, 64);
    ASSERT_EQ(md2.triangles.size(), puppet.mesh().triangles.size());

    // Clockwise from outside: the signed volume turns negative.
    double volume = 0;
    for (const Md2Triangle& t : md2.triangles) {
        const Vec3 a = md2.frames[0].vertices[t.vertex[0]], b = md2.frames[0].vertices[t.vertex[1]],
                   c = md2.frames[0].vertices[t.vertex[2]];
        volume += dot(a, cross(b, c)) / 6.0;
    }
    EXPECT_LT(volume, -100);
    for (const Md2Triangle& t : md2.triangles) {
        for (const Md2Texel& texel : t.texel) {
            EXPECT_GE(texel.s, 64);
            EXPECT_LE(texel.s, 128);
            EXPECT_GE(texel.t, 16);
            EXPECT_LE(texel.t, 32);
        }
    }
    for (std::size_t v = 0; v < md2.frames[0].vertices.size(); ++v)
        EXPECT_NEAR(md2.frames[1].vertices[v].z - md2.frames[0].vertices[v].z, 3, 1e-5f);
}
