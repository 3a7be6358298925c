#include "world/subdivide.h"

#include "meshes/obj_model.h"

#include <cstdio>
#include <cstdlib>

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

}  // namespace

ObjCorner* subdivide_mesh(ObjCorner* corners, int& corner_count, float limit) {
    if (!corners) return corners;
    if (!(limit >= 1)) {
        std::printf("Refusing to subdivide to %g units: the limit must be at least 1\n", limit);
        return corners;
    }
    std::printf("In: %d verts (%d poly)\n", corner_count, corner_count / 3);
    // The threshold is whole; one that does not fit an int is held at 2^31.
    const float squared_limit = limit * limit;
    const float int_range = 2147483648.0f;
    const float threshold = squared_limit >= int_range ? int_range : static_cast<float>(static_cast<int>(squared_limit));
    for (;;) {
        const int start = corner_count;
        long long to_split = 0;
        for (int i = 0; i + 2 < start; i += 3) to_split += too_long(edges_of(corners + i), threshold);
        if (to_split == 0) break;
        const long long grown = start + 3 * to_split;
        auto* resized =
            grown > max_corners ? nullptr : static_cast<ObjCorner*>(std::realloc(corners, grown * sizeof(ObjCorner)));
        if (!resized) {
            std::printf("Crashed...out of memory during a subdiv.\n");
            return corners;
        }
        corners = resized;
        int next = start;
        for (int i = 0; i + 2 < start; i += 3) {
            const Edges edges = edges_of(corners + i);
            if (!too_long(edges, threshold)) continue;
            split(corners + i, corners + next, longest_edge(edges));
            next += 3;
        }
        corner_count = next;
    }
    std::printf("Out: %d verts (%d poly)\n", corner_count, corner_count / 3);
    return corners;
}

}  // namespace floebound
