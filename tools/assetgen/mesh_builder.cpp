#include "mesh_builder.h"

#include "app/angles.h"

#include <algorithm>
#include <utility>

namespace floebound::tools {

namespace {

constexpr float kPi = static_cast<float>(pi);

int add_vertex(Mesh& mesh, Vec3 position) {
    mesh.vertices.push_back(position);
    return static_cast<int>(mesh.vertices.size()) - 1;
}

void add_triangle(Mesh& mesh, const UvMap& uv, Corner a, Corner b, Corner c) {
    mesh.triangles.push_back({{{a.vertex, uv(a.uv)}, {b.vertex, uv(b.uv)}, {c.vertex, uv(c.uv)}}});
}

// Four corners counter-clockwise from outside: top left, bottom left, bottom
// right, top right, as they appear on the surface.
void add_quad(Mesh& mesh, const UvMap& uv, Corner top_left, Corner bottom_left, Corner bottom_right, Corner top_right) {
    add_triangle(mesh, uv, top_left, bottom_left, bottom_right);
    add_triangle(mesh, uv, top_left, bottom_right, top_right);
}

// Keeps the sign, raises the size: the superellipse profile of ellipsoid().
float signed_power(float value, float exponent) {
    const float magnitude = std::pow(std::fabs(value), exponent);
    return value < 0 ? -magnitude : magnitude;
}

float around(int i, int slices) { return static_cast<float>(i) / static_cast<float>(slices); }

}  // namespace

UvMap uv_rect(UvRect rect) {
    return [rect](Vec2 p) -> Vec2 {
        return {rect.u0 + p.u * (rect.u1 - rect.u0), rect.v0 + p.v * (rect.v1 - rect.v0)};
    };
}

void add(Mesh& into, const Mesh& part, const Transform& place) {
    const int base = static_cast<int>(into.vertices.size());
    for (Vec3 v : part.vertices) into.vertices.push_back(place.apply(v));
    for (Triangle t : part.triangles) {
        for (Corner& c : t.corners) c.vertex += base;
        into.triangles.push_back(t);
    }
}

Mesh flipped(Mesh mesh) {
    for (Triangle& t : mesh.triangles) std::swap(t.corners[1], t.corners[2]);
    return mesh;
}

Mesh deformed(Mesh mesh, const std::function<Vec3(Vec3)>& bend) {
    for (Vec3& v : mesh.vertices) v = bend(v);
    return mesh;
}

Vec3 lat_long_direction(Vec2 uv) {
    const float longitude = 2.0f * kPi * uv.u + kPi;
    const float latitude = kPi * (0.5f - uv.v);
    return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
}

Mesh ellipsoid(Vec3 radii, int slices, int stacks, const UvMap& uv, float squareness) {
    Mesh mesh;
    const auto position = [&](Vec2 p) {
        const float longitude = 2.0f * kPi * p.u + kPi;
        const float latitude = kPi * (0.5f - p.v);
        const float ring = signed_power(std::cos(latitude), squareness);
        return Vec3{radii.x * ring * signed_power(std::cos(longitude), squareness),
                    radii.y * ring * signed_power(std::sin(longitude), squareness),
                    radii.z * signed_power(std::sin(latitude), squareness)};
    };
    const int top = add_vertex(mesh, {0, 0, radii.z});
    // Rings from the top down; each ring's vertex i sits at longitude i.
    std::vector<int> rings;
    for (int j = 1; j < stacks; ++j)
        for (int i = 0; i < slices; ++i)
            rings.push_back(add_vertex(mesh, position({around(i, slices), around(j, stacks)})));
    const int bottom = add_vertex(mesh, {0, 0, -radii.z});

    const auto corner = [&](int i, int j) -> Corner {
        return {rings[(j - 1) * slices + i % slices], {around(i, slices), around(j, stacks)}};
    };
    for (int i = 0; i < slices; ++i) {
        const float middle = (i + 0.5f) / slices;
        add_triangle(mesh, uv, {top, {middle, 0}}, corner(i, 1), corner(i + 1, 1));
        for (int j = 1; j + 1 < stacks; ++j)
            add_quad(mesh, uv, corner(i, j), corner(i, j + 1), corner(i + 1, j + 1), corner(i + 1, j));
        add_triangle(mesh, uv, corner(i, stacks - 1), {bottom, {middle, 1}}, corner(i + 1, stacks - 1));
    }
    return mesh;
}

Mesh tube(float bottom_radius, float top_radius, float height, int slices, const UvMap& uv, TubeEnds ends) {
    Mesh mesh;
    // A rim of radius 0 is a single apex vertex.
    const auto rim = [&](float radius, float z) {
        std::vector<int> ring;
        if (radius == 0) {
            ring.assign(slices, add_vertex(mesh, {0, 0, z}));
            return ring;
        }
        for (int i = 0; i < slices; ++i) {
            const Vec3 d = lat_long_direction({around(i, slices), 0.5f});
            ring.push_back(add_vertex(mesh, {d.x * radius, d.y * radius, z}));
        }
        return ring;
    };
    const std::vector<int> top = rim(top_radius, height);
    const std::vector<int> bottom = rim(bottom_radius, 0);
    const auto on = [&](const std::vector<int>& ring, int i, float v) -> Corner {
        return {ring[i % slices], {around(i, slices), v}};
    };
    for (int i = 0; i < slices; ++i) {
        const float middle = (i + 0.5f) / slices;
        if (top_radius == 0) {
            add_triangle(mesh, uv, {top[0], {middle, 0}}, on(bottom, i, 1), on(bottom, i + 1, 1));
        } else if (bottom_radius == 0) {
            add_triangle(mesh, uv, on(top, i, 0), {bottom[0], {middle, 1}}, on(top, i + 1, 0));
        } else {
            add_quad(mesh, uv, on(top, i, 0), on(bottom, i, 1), on(bottom, i + 1, 1), on(top, i + 1, 0));
        }
    }
    if (ends.top_cap && top_radius > 0) {
        const int centre = add_vertex(mesh, {0, 0, height});
        for (int i = 0; i < slices; ++i)
            add_triangle(mesh, uv, {centre, {(i + 0.5f) / slices, 0}}, on(top, i, 0), on(top, i + 1, 0));
    }
    if (ends.bottom_cap && bottom_radius > 0) {
        const int centre = add_vertex(mesh, {0, 0, 0});
        for (int i = 0; i < slices; ++i)
            add_triangle(mesh, uv, {centre, {(i + 0.5f) / slices, 1}}, on(bottom, i + 1, 1), on(bottom, i, 1));
    }
    return mesh;
}

Mesh disk(float radius, int slices, const UvMap& uv) {
    Mesh mesh;
    // Seen from above with +X up, +Y lies to the left.
    const auto skin_at = [](Vec3 p) -> Vec2 { return {0.5f - 0.5f * p.y, 0.5f - 0.5f * p.x}; };
    const int centre = add_vertex(mesh, {0, 0, 0});
    std::vector<Corner> rim;
    for (int i = 0; i < slices; ++i) {
        const Vec3 d = lat_long_direction({around(i, slices), 0.5f});
        rim.push_back({add_vertex(mesh, d * radius), skin_at(d)});
    }
    for (int i = 0; i < slices; ++i) add_triangle(mesh, uv, {centre, {0.5f, 0.5f}}, rim[i], rim[(i + 1) % slices]);
    return mesh;
}

Mesh slab(const std::vector<Vec2>& outline, float height, const UvMap& uv) {
    Mesh mesh;
    float low_x = outline.front().u, high_x = low_x, low_y = outline.front().v, high_y = low_y;
    Vec2 middle{0, 0};
    for (Vec2 p : outline) {
        low_x = std::min(low_x, p.u);
        high_x = std::max(high_x, p.u);
        low_y = std::min(low_y, p.v);
        high_y = std::max(high_y, p.v);
        middle = {middle.u + p.u / outline.size(), middle.v + p.v / outline.size()};
    }
    // Outline points are (x, y); seen from above with +X up, +Y lies to the left.
    const auto skin_at = [&](Vec2 p) -> Vec2 {
        return {(high_y - p.v) / (high_y - low_y), (high_x - p.u) / (high_x - low_x)};
    };
    const int n = static_cast<int>(outline.size());
    const auto ring = [&](float z) {
        std::vector<Corner> corners;
        for (Vec2 p : outline) corners.push_back({add_vertex(mesh, {p.u, p.v, z}), skin_at(p)});
        return corners;
    };
    const std::vector<Corner> top = ring(height), bottom = ring(0);
    const Corner top_centre{add_vertex(mesh, {middle.u, middle.v, height}), skin_at(middle)};
    const Corner bottom_centre{add_vertex(mesh, {middle.u, middle.v, 0}), skin_at(middle)};
    for (int i = 0; i < n; ++i) {
        const int next = (i + 1) % n;
        add_triangle(mesh, uv, top_centre, top[i], top[next]);
        add_triangle(mesh, uv, bottom_centre, bottom[next], bottom[i]);
        add_quad(mesh, uv, top[i], bottom[i], bottom[next], top[next]);
    }
    return mesh;
}

Mesh box(Vec3 half_size, const UvMap& uv) {
    Mesh mesh;
    // Corner k has +x when bit 0 is set, +y for bit 1, +z for bit 2.
    int corner[8];
    for (int k = 0; k < 8; ++k)
        corner[k] = add_vertex(mesh, {k & 1 ? half_size.x : -half_size.x, k & 2 ? half_size.y : -half_size.y,
                                      k & 4 ? half_size.z : -half_size.z});
    const auto face = [&](int top_left, int bottom_left, int bottom_right, int top_right) {
        add_quad(mesh, uv, {corner[top_left], {0, 0}}, {corner[bottom_left], {0, 1}}, {corner[bottom_right], {1, 1}},
                 {corner[top_right], {1, 0}});
    };
    face(5, 1, 3, 7);  // +X: +Y on the right
    face(6, 2, 0, 4);  // -X
    face(7, 3, 2, 6);  // +Y
    face(4, 0, 1, 5);  // -Y
    face(7, 6, 4, 5);  // top, +X up
    face(1, 0, 2, 3);  // bottom
    return mesh;
}

Mesh torus(float ring_radius, float tube_radius, int segments, int sides, float arc_degrees, const UvMap& uv) {
    Mesh mesh;
    const bool closed = arc_degrees >= 360.0f;
    const int columns = closed ? segments : segments + 1;
    const float arc = arc_degrees * kPi / 180.0f;
    std::vector<int> grid;
    for (int i = 0; i < columns; ++i) {
        const float a = arc * around(i, segments);
        for (int j = 0; j < sides; ++j) {
            const float b = 2.0f * kPi * around(j, sides);
            const float reach = ring_radius + tube_radius * std::cos(b);
            grid.push_back(add_vertex(mesh, {reach * std::cos(a), reach * std::sin(a), tube_radius * std::sin(b)}));
        }
    }
    const auto at = [&](int i, int j) -> Corner {
        return {grid[(i % columns) * sides + j % sides], {around(i, segments), around(j, sides)}};
    };
    // Along the ring then around the tube turns counter-clockwise seen from outside.
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < sides; ++j) add_quad(mesh, uv, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    return mesh;
}

}  // namespace floebound::tools
