#pragma once

#include <cmath>

namespace floebound::tools {

// Small value types for building models. Model space follows the MD2 habit:
// +X forward, +Y to the model's left, +Z up.

struct Vec2 {
    float u = 0, v = 0;
};

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) {
    const float n = length(a);
    return n > 0 ? a * (1.0f / n) : a;
}

// An affine map: the linear part (row-major) applied first, then the offset.
struct Transform {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 offset;

    Vec3 apply(Vec3 p) const { return apply_linear(p) + offset; }
    Vec3 apply_linear(Vec3 d) const {
        return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z, m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
                m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
    }
};

// outer * inner applies inner first.
Transform operator*(const Transform& outer, const Transform& inner);

Transform translate(Vec3 offset);
Transform scale(Vec3 factors);
// Right-handed turns about the model axes, in degrees.
Transform rotate_x(float degrees);
Transform rotate_y(float degrees);
Transform rotate_z(float degrees);
// `motion` applied about `pivot` instead of about the origin.
Transform about(Vec3 pivot, const Transform& motion);

}  // namespace floebound::tools
