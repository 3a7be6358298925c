#pragma once

namespace floebound {

// A camera path around the world origin, steered by held keys. The intro and
// the level each keep their own.
struct Orbit {
    float orbit_theta;  // elevation above the ground plane, radians
    float orbit_phi;    // azimuth around the vertical axis, radians
    float orbit_dist;   // distance of the eye from the origin, 5 to 4000
    int theta_rate;     // -1, 0 or +1 while a key is held
    int phi_rate;
    int dist_rate;
};

// Advances the orbit by ms and places the global camera's eye on it.
void orbit_step(Orbit& orbit, int ms);

// The camera keys w, s, a, d, [ and ]: a press sets a rate, a release clears it.
// True when key is one of them.
bool orbit_key(Orbit& orbit, int key, bool released);

}  // namespace floebound
