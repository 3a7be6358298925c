#include "app/orbit.h"

#include "app/angles.h"
#include "app/camera.h"
#include "app/keys.h"

#include <cmath>
#include <cstdio>

namespace floebound {

namespace {

constexpr float turn_per_second = static_cast<float>(pi) / 3;
constexpr float zoom_per_second = 100;
constexpr float min_dist = 5;
constexpr float max_dist = 4000;

}  // namespace

void orbit_step(Orbit& orbit, int ms) {
    const float seconds = ms / 1000.0f;
    orbit.orbit_theta += orbit.theta_rate * seconds * turn_per_second;
    orbit.orbit_phi += orbit.phi_rate * seconds * turn_per_second;
    orbit.orbit_dist += orbit.dist_rate * seconds * zoom_per_second;
    if (orbit.orbit_dist < min_dist) orbit.orbit_dist = min_dist;
    if (orbit.orbit_dist > max_dist) orbit.orbit_dist = max_dist;

    const float ground = std::cos(orbit.orbit_theta) * orbit.orbit_dist;
    camera.eye.x = std::sin(orbit.orbit_phi) * ground;
    camera.eye.y = std::sin(orbit.orbit_theta) * orbit.orbit_dist;
    camera.eye.z = std::cos(orbit.orbit_phi) * ground;

    if (orbit.theta_rate || orbit.phi_rate || orbit.dist_rate) {
        std::printf("dist=%.2f, theta=%.2f, phi=%.2f; ",
                    orbit.orbit_dist, orbit.orbit_theta, orbit.orbit_phi);
        std::printf("camera from %.2f,%.2f,%.2f\n", camera.eye.x, camera.eye.y, camera.eye.z);
    }
}

bool orbit_key(Orbit& orbit, int key, bool released) {
    int* rate = nullptr;
    int direction = 0;
    switch (key) {
    case key_w: rate = &orbit.theta_rate; direction = +1; break;
    case key_s: rate = &orbit.theta_rate; direction = -1; break;
    case key_d: rate = &orbit.phi_rate; direction = +1; break;
    case key_a: rate = &orbit.phi_rate; direction = -1; break;
    case key_right_bracket: rate = &orbit.dist_rate; direction = +1; break;
    case key_left_bracket: rate = &orbit.dist_rate; direction = -1; break;
    default: return false;
    }
    *rate = released ? 0 : direction;
    return true;
}

}  // namespace floebound
