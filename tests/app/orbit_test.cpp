#include "app/camera.h"
#include "app/keys.h"
#include "app/orbit.h"

#include <gtest/gtest.h>

#include <string>

using namespace floebound;

namespace {

Orbit intro_orbit() { return Orbit{0.65f, 4.74f, 800, 0, 0, 0}; }

std::string step_and_capture(Orbit& orbit, int ms) {
    ::testing::internal::CaptureStdout();
    orbit_step(orbit, ms);
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(Orbit, PlacesTheEyeOnTheOrbitWithoutPrintingWhenStill) {
    Orbit orbit = intro_orbit();
    camera.eye.x = camera.eye.y = camera.eye.z = 0;
    EXPECT_EQ(step_and_capture(orbit, 18), "");
    EXPECT_NEAR(camera.eye.x, -637.0f, 1.0f);
    EXPECT_NEAR(camera.eye.y, 484.0f, 1.0f);
    EXPECT_NEAR(camera.eye.z, 18.0f, 1.0f);
    EXPECT_FLOAT_EQ(orbit.orbit_dist, 800);
}

TEST(Orbit, HeldKeysTurnAndZoomAtFixedRatesAndPrintEachStep) {
    Orbit orbit = intro_orbit();
    EXPECT_TRUE(orbit_key(orbit, key_d, false));
    const std::string printed = step_and_capture(orbit, 1000);
    EXPECT_NEAR(orbit.orbit_phi, 4.74f + 3.14159265f / 3, 1e-4);
    char expected[160];
    std::snprintf(expected, sizeof expected, "dist=%.2f, theta=%.2f, phi=%.2f; camera from %.2f,%.2f,%.2f\n",
                  orbit.orbit_dist, orbit.orbit_theta, orbit.orbit_phi, camera.eye.x, camera.eye.y, camera.eye.z);
    EXPECT_EQ(printed, expected);

    EXPECT_TRUE(orbit_key(orbit, key_d, true));
    EXPECT_TRUE(orbit_key(orbit, key_w, false));
    step_and_capture(orbit, 500);
    EXPECT_NEAR(orbit.orbit_theta, 0.65f + 3.14159265f / 6, 1e-4);
    EXPECT_TRUE(orbit_key(orbit, key_s, false));
    step_and_capture(orbit, 500);
    EXPECT_NEAR(orbit.orbit_theta, 0.65f, 1e-4);
}

TEST(Orbit, DistanceMovesAHundredUnitsPerSecondWithinItsLimits) {
    Orbit orbit = intro_orbit();
    orbit_key(orbit, key_right_bracket, false);
    step_and_capture(orbit, 1000);
    step_and_capture(orbit, 1000);
    EXPECT_FLOAT_EQ(orbit.orbit_dist, 1000);
    for (int i = 0; i < 40; ++i) step_and_capture(orbit, 1000);
    EXPECT_FLOAT_EQ(orbit.orbit_dist, 4000);

    orbit_key(orbit, key_left_bracket, false);
    for (int i = 0; i < 45; ++i) step_and_capture(orbit, 1000);
    EXPECT_FLOAT_EQ(orbit.orbit_dist, 5);
}

TEST(Orbit, ReleasingEitherKeyOfAPairStopsThatMotion) {
    Orbit orbit = intro_orbit();
    orbit_key(orbit, key_a, false);
    EXPECT_EQ(orbit.phi_rate, -1);
    orbit_key(orbit, key_d, false);
    EXPECT_EQ(orbit.phi_rate, 1);
    orbit_key(orbit, key_a, true);  // d is still held, but the motion stops
    EXPECT_EQ(orbit.phi_rate, 0);

    EXPECT_FALSE(orbit_key(orbit, key_space, false));
    EXPECT_FALSE(orbit_key(orbit, 'q', true));
    EXPECT_EQ(orbit.theta_rate, 0);
    EXPECT_EQ(orbit.dist_rate, 0);
}
