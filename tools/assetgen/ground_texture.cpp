#include "ground_texture.h"

#include <algorithm>
#include <cmath>

#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kTextureSize = 256;

// Value noise whose lattice wraps every `period` cells, so a picture that
// spans whole periods repeats without a seam.
float tiling_noise(float x, float y, int period, unsigned seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const auto corner = [&](int dx, int dy) {
        const int cx = ((x0 + dx) % period + period) % period, cy = ((y0 + dy) % period + period) % period;
        return 2.0f * random_at(cx, cy, 0, seed) - 1.0f;
    };
    const float fx = smoothstep(0.0f, 1.0f, x - x0), fy = smoothstep(0.0f, 1.0f, y - y0);
    const float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * fx;
    const float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * fx;
    return top + (bottom - top) * fy;
}

// Octaves from `period` lattice cells across the picture, each twice as fine.
float tiling_fractal(Vec2 p, int period, int octaves, unsigned seed) {
    float sum = 0, weight = 0.5f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * tiling_noise(p.u * period, p.v * period, period, seed + static_cast<unsigned>(i));
        period *= 2;
        weight *= 0.5f;
    }
    return sum;
}

// Each terrain cell shows the whole picture and the next one its mirror
// image, so large features would repeat as a kaleidoscope across the field:
// the broad shapes stay faint and the detail is fine.
Colour snow(Vec2 p) {
    const Colour packed = rgb(228, 236, 245), drift = rgb(243, 247, 251), hollow = rgb(208, 222, 238),
                 ice = rgb(214, 232, 243);
    const float drifts = tiling_fractal(p, 3, 2, 11);
    Colour c = mix(packed, drift, 0.6f * smoothstep(-0.2f, 0.4f, drifts));
    c = mix(c, hollow, 0.3f * smoothstep(-0.15f, -0.45f, drifts));
    // Wind-polished patches where the snow turns to ice.
    c = mix(c, ice, 0.35f * smoothstep(0.12f, 0.3f, tiling_fractal(p, 4, 3, 23)));
    // Small lumps and a grain of crystals.
    c = c * (1.0f + 0.035f * tiling_fractal(p, 16, 2, 31) + 0.03f * tiling_noise(p.u * 128, p.v * 128, 128, 37));
    // A few glints, too sparse to show a pattern when the texture repeats.
    const float glint = tiling_noise(p.u * 64, p.v * 64, 64, 53);
    if (glint > 0.85f) c = mix(c, rgb(255, 255, 255), 0.8f * smoothstep(0.85f, 0.95f, glint));
    return c;
}

}  // namespace

Raster draw_ground_texture() {
    Raster ground = blank_picture(kTextureSize, kTextureSize);
    paint_region(ground, {0, 0, 1, 1}, snow);
    return ground;
}

}  // namespace floebound::tools
