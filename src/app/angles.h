#pragma once

namespace floebound {

// The one pi of the game; float users round it once, where they need it.
constexpr double pi = 3.14159265358979323846;

}  // namespace floebound
