#include "particle_sheet.h"

#include <cmath>

#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSheetSize = 256;
constexpr int kCellsPerRow = 4;

// Every sprite stays inside this radius of its cell's centre, so the texels
// along a cell's border stay clear and filtering never bleeds a neighbour in.
constexpr float kReach = 0.44f;

struct Polar {
    float radius, angle;
};

Polar polar(Vec2 p) { return {std::hypot(p.u - 0.5f, p.v - 0.5f), std::atan2(p.v - 0.5f, p.u - 0.5f)}; }

Colour white(float alpha) { return {1, 1, 1, alpha}; }

Colour soft_dot(Vec2 p) {
    const float r = polar(p).radius / kReach;
    return white(std::pow(1 - smoothstep(0.0f, 1.0f, r), 1.5f));
}

Colour sparkle(Vec2 p) {
    const Polar q = polar(p);
    const float r = q.radius / kReach;
    const float rays = std::pow(std::fabs(std::cos(2 * q.angle)), 40.0f) * (1 - smoothstep(0.0f, 1.0f, r));
    return white(std::fmax(rays, 1 - smoothstep(0.0f, 0.3f, r)));
}

Colour ring(Vec2 p) {
    const float r = polar(p).radius / kReach;
    return white(1 - smoothstep(0.0f, 0.22f, std::fabs(r - 0.7f)));
}

// The game spins every particle to a random angle, so the flame is a round
// tongue of fire rather than a drop pointing up: a hot white core, a yellow
// glow, and a ragged edge that reads as flickering once many overlap.
Colour flame(Vec2 p) {
    const Polar q = polar(p);
    const float ragged = 0.1f * value_noise({std::cos(q.angle) * 1.8f, std::sin(q.angle) * 1.8f, 0.5f}, 91);
    const float r = q.radius / (kReach * (0.92f + ragged));
    const Colour core{1.0f, 1.0f, 0.96f, 1.0f}, glow{1.0f, 0.88f, 0.56f, 1.0f};
    Colour c = mix(core, glow, smoothstep(0.15f, 0.75f, r));
    c.a = std::pow(1 - smoothstep(0.12f, 1.0f, r), 1.2f);
    return c;
}

// A cauliflower of soft lumps, slightly shaded underneath.
Colour puff(Vec2 p) {
    const float lumps[5][3] = {{0.5f, 0.52f, 0.28f},
                               {0.33f, 0.58f, 0.18f},
                               {0.67f, 0.58f, 0.18f},
                               {0.41f, 0.37f, 0.19f},
                               {0.61f, 0.39f, 0.17f}};
    float density = 0;
    for (const auto& lump : lumps) {
        const float d = std::hypot(p.u - lump[0], p.v - lump[1]) / lump[2];
        density += std::fmax(0.0f, 1 - d * d);
    }
    density *= 1 + 0.25f * fractal_noise({p.u * 9, p.v * 9, 0}, 2, 97);
    const float fade = 1 - smoothstep(kReach - 0.06f, kReach, polar(p).radius);
    Colour c = mix(white(1), Colour{0.86f, 0.88f, 0.92f, 1}, smoothstep(0.45f, 0.7f, p.v));
    c.a = smoothstep(0.0f, 1.3f, density) * fade;
    return c;
}

UvRect cell(int index) {
    const float size = 1.0f / kCellsPerRow;
    const int column = index % kCellsPerRow, row = index / kCellsPerRow;
    return {column * size, row * size, (column + 1) * size, (row + 1) * size};
}

}  // namespace

Raster draw_particle_sheet() {
    Raster sheet = blank_picture(kSheetSize, kSheetSize);
    paint_region(sheet, cell(0), soft_dot);
    paint_region(sheet, cell(1), sparkle);
    paint_region(sheet, cell(2), ring);
    paint_region(sheet, cell(8), flame);
    paint_region(sheet, cell(15), puff);
    return sheet;
}

}  // namespace floebound::tools
