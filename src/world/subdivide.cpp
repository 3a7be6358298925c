#include "world/subdivide.h"

#include "meshes/obj_model.h"

#include <cstdio>
#include <new>

namespace floebound {

namespace {

// Far more than any model needs; also what stops positions that halving can
// never bring within the limit (huge or infinite ones) from eating all memory.
constexpr long long max_corners = 3 << 20;

struct Edges {
    float squared[3];  // edge k joins corners k and (k + 1) mod 3
};

Edges edges_of(const ObjCorner* triangle) {
    return {{squared_distance(triangle[0], triangle[1]), squared_distance(triangle[1], triangle[2]),
             squared_distance(triangle[2], triangle[0])}};
}

bool too_long(const Edges& edges, float threshold) {
    return edges.squared[0] > threshold || edges.squared[1] > threshold || edges.squared[2] > threshold;
}

// Ties go to the later edge.
int longest_edge(const Edges& edges) {
    const float* e = edges.squared;
    if (e[0] > e[1] && e[0] > e[2]) return 0;
    return e[1] > e[2] ? 1 : 2;
}

// Triangle (A, B, C) split at M on A-B becomes (A, M, C) in place and
// (M, B, C) at `appended`, both wound as before.
void split(ObjCorner* triangle, ObjCorner* appended, int a) {
    const int b = (a + 1) % 3;
    for (int k = 0; k < 3; ++k) appended[k] = triangle[k];
    ObjCorner& mid = triangle[b];
    const ObjCorner& from = triangle[a];
    mid.x = (from.x + mid.x) / 2;
    mid.y = (from.y + mid.y) / 2;
    mid.z = (from.z + mid.z) / 2;
    mid.s = (from.s + mid.s) / 2;
    mid.t = (from.t + mid.t) / 2;
    appended[a] = mid;
}

// Exactly `size` corners, taken in one allocation so that a pass never holds
// more than it needs; false, leaving the corners alone, when that is past the
// cap or memory runs out.
bool grow(std::vector<ObjCorner>& corners, long long size) {
    if (size > max_corners) return false;
    try {
        corners.reserve(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    corners.resize(static_cast<std::size_t>(size));
    return true;
}

}  // namespace

void subdivide_mesh(std::vector<ObjCorner>& corners, float limit) {
    if (corners.empty()) return;
    if (!(limit >= 1)) {
        std::printf("Refusing to subdivide to %g units: the limit must be at least 1\n", limit);
        return;
    }
    const auto count_in = static_cast<int>(corners.size());
    std::printf("In: %d verts (%d poly)\n", count_in, count_in / 3);
    // The threshold is whole; one that does not fit an int is held at 2^31.
    const float squared_limit = limit * limit;
    const float int_range = 2147483648.0f;
    const float threshold = squared_limit >= int_range ? int_range : static_cast<float>(static_cast<int>(squared_limit));
    for (;;) {
        const auto start = static_cast<int>(corners.size());
        long long to_split = 0;
        for (int i = 0; i + 2 < start; i += 3) to_split += too_long(edges_of(corners.data() + i), threshold);
        if (to_split == 0) break;
        if (!grow(corners, start + 3 * to_split)) {
            std::printf("Crashed...out of memory during a subdiv.\n");
            return;
        }
        ObjCorner* triangles = corners.data();
        int next = start;
        for (int i = 0; i + 2 < start; i += 3) {
            const Edges edges = edges_of(triangles + i);
            if (!too_long(edges, threshold)) continue;
            split(triangles + i, triangles + next, longest_edge(edges));
            next += 3;
        }
    }
    const auto count_out = static_cast<int>(corners.size());
    std::printf("Out: %d verts (%d poly)\n", count_out, count_out / 3);
}

}  // namespace floebound
