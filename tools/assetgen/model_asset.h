#pragma once

#include <cmath>

#include "md2_writer.h"
#include "raster.h"

namespace floebound::tools {

// One of the game's animated models with the skin painted for it. The mesh's
// skin name is the skin's path in the game folder, and the skin is written there.
struct ModelAsset {
    Md2Mesh mesh;
    Raster skin;
};

// The game stands every model on the ground 24 units below the model's
// origin, and the field's squares are 64 units wide.
inline constexpr float kGroundZ = -24.0f;

ModelAsset make_penguin();
ModelAsset make_cow();
ModelAsset make_shrub();
ModelAsset make_tuna();
ModelAsset make_bucket();
ModelAsset make_skateboard();

// Helpers for looping animations: `frame` of a loop `length` frames long.
inline float loop_angle(int frame, int length) {
    return 6.28318531f * static_cast<float>(frame) / static_cast<float>(length);
}

// A bell-shaped bump around `centre` on a loop, 1 at the centre and near 0
// beyond a few widths, wrapping around the loop's ends.
inline float loop_pulse(int frame, float centre, float width, int length) {
    float distance = std::fabs(static_cast<float>(frame) - centre);
    distance = std::fmin(distance, static_cast<float>(length) - distance);
    return std::exp(-(distance / width) * (distance / width));
}

}  // namespace floebound::tools
