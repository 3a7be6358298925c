#include "meshes/obj_groups.h"

#include "meshes/obj_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace floebound {

namespace {

struct KeyedTriangle {
    float key;
    ObjCorner corners[3];
};

// NaN positions would break the sort's ordering; such triangles go last.
float sort_key(const ObjCorner* triangle) {
    const float key = longest_squared_edge(triangle);
    return std::isnan(key) ? -std::numeric_limits<float>::infinity() : key;
}

void sort_widest_first(ObjCorner* first, int triangle_count) {
    std::vector<KeyedTriangle> triangles(triangle_count);
    for (int i = 0; i < triangle_count; ++i) {
        triangles[i].key = sort_key(first + 3 * i);
        std::copy(first + 3 * i, first + 3 * i + 3, triangles[i].corners);
    }
    std::sort(triangles.begin(), triangles.end(),
              [](const KeyedTriangle& a, const KeyedTriangle& b) { return a.key > b.key; });
    for (int i = 0; i < triangle_count; ++i) std::copy(triangles[i].corners, triangles[i].corners + 3, first + 3 * i);
}

void set_box(ObjGroup& group, const ObjCorner* corners) {
    if (group.end_corner == group.first_corner) {
        std::fill(group.box, group.box + 6, 0.0f);
        return;
    }
    const ObjCorner& start = corners[group.first_corner];
    group.box[0] = group.box[3] = start.x;
    group.box[1] = group.box[4] = start.y;
    group.box[2] = group.box[5] = start.z;
    for (int i = group.first_corner; i < group.end_corner; ++i) {
        const float position[3] = {corners[i].x, corners[i].y, corners[i].z};
        for (int axis = 0; axis < 3; ++axis) {
            group.box[axis] = std::min(group.box[axis], position[axis]);
            group.box[axis + 3] = std::max(group.box[axis + 3], position[axis]);
        }
    }
}

}  // namespace

float squared_distance(const ObjCorner& a, const ObjCorner& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return dx * dx + dy * dy + dz * dz;
}

float longest_squared_edge(const ObjCorner* triangle) {
    return std::max({squared_distance(triangle[0], triangle[1]), squared_distance(triangle[1], triangle[2]),
                     squared_distance(triangle[2], triangle[0])});
}

void finish_obj_group(ObjGroup& group, ObjCorner* corners) {
    const int triangle_count = (group.end_corner - group.first_corner) / 3;
    ObjCorner* first = corners + group.first_corner;
    sort_widest_first(first, triangle_count);
    int wide = 0;
    while (wide < triangle_count && longest_squared_edge(first + 3 * wide) > wide_squared_edge) ++wide;
    group.wide_corners = 3 * wide;
    set_box(group, corners);
    std::printf("Of %d verts, %d are wide.\n", triangle_count, wide);
}

}  // namespace floebound
