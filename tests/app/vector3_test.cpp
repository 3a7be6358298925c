#include "app/vector3.h"

#include <gtest/gtest.h>

using namespace floebound;

namespace {

void expect_vector(const Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vector3, CrossIsRightHandedAndNormalizeLeavesZeroAlone) {
    expect_vector(cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
    expect_vector(cross({0, 1, 0}, {0, 0, 1}), 1, 0, 0);
    expect_vector(cross({0, 0, 1}, {1, 0, 0}), 0, 1, 0);
    expect_vector(cross({0, 1, 0}, {1, 0, 0}), 0, 0, -1);
    expect_vector(cross({2, -3, 5}, {2, -3, 5}), 0, 0, 0);

    Vector3 v{3, 0, -4};
    normalize(v);
    expect_vector(v, 0.6f, 0, -0.8f);
    Vector3 zero{0, 0, 0};
    normalize(zero);
    expect_vector(zero, 0, 0, 0);
}

}  // namespace
