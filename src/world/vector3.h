#pragma once

// A point or direction in world units: x across the field's columns, y up,
// z across its rows.
struct Vector3 {
    float x;
    float y;
    float z;
};

Vector3 operator-(const Vector3& a, const Vector3& b);

Vector3 cross(const Vector3& a, const Vector3& b);

// Scales v to unit length in place; the zero vector has no direction and is
// left as it is.
void normalize(Vector3& v);
