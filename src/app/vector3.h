#pragma once

#include <cmath>

namespace floebound {

// A point or direction in world units: x across the field's columns, y up,
// z across its rows. Components also read by index (0 to 2), for code that
// runs over all three.
struct Vector3 {
    float x;
    float y;
    float z;

    float& operator[](int k) { return k == 0 ? x : k == 1 ? y : z; }
    float operator[](int k) const { return k == 0 ? x : k == 1 ? y : z; }
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float length(const Vector3& v) { return std::sqrt(dot(v, v)); }

// Scales v to unit length in place; the zero vector has no direction and is
// left as it is.
inline void normalize(Vector3& v) {
    const float size = length(v);
    if (size > 0) {
        v.x /= size;
        v.y /= size;
        v.z /= size;
    }
}

}  // namespace floebound
