#include "geometry.h"

#include "app/angles.h"

namespace floebound::tools {

namespace {

constexpr float kRadiansPerDegree = static_cast<float>(pi) / 180.0f;

// A rotation whose plane is spanned by axes a and b (a turns toward b).
Transform rotation_in_plane(int a, int b, float degrees) {
    const float c = std::cos(degrees * kRadiansPerDegree), s = std::sin(degrees * kRadiansPerDegree);
    Transform t;
    t.m[a][a] = c;
    t.m[a][b] = -s;
    t.m[b][a] = s;
    t.m[b][b] = c;
    return t;
}

}  // namespace

Transform operator*(const Transform& outer, const Transform& inner) {
    Transform t;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            t.m[r][c] = outer.m[r][0] * inner.m[0][c] + outer.m[r][1] * inner.m[1][c] + outer.m[r][2] * inner.m[2][c];
    t.offset = outer.apply(inner.offset);
    return t;
}

Transform translate(Vec3 offset) {
    Transform t;
    t.offset = offset;
    return t;
}

Transform scale(Vec3 factors) {
    Transform t;
    t.m[0][0] = factors.x;
    t.m[1][1] = factors.y;
    t.m[2][2] = factors.z;
    return t;
}

Transform rotate_x(float degrees) { return rotation_in_plane(1, 2, degrees); }
Transform rotate_y(float degrees) { return rotation_in_plane(2, 0, degrees); }
Transform rotate_z(float degrees) { return rotation_in_plane(0, 1, degrees); }

Transform about(Vec3 pivot, const Transform& motion) { return translate(pivot) * motion * translate(-pivot); }

}  // namespace floebound::tools
