#include "skin_paint.h"

#include "app/angles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace floebound::tools {

namespace {

constexpr float kRadiansPerDegree = static_cast<float>(pi) / 180.0f;
constexpr int kSamples = 3;
constexpr int kMarginTexels = 3;

std::uint32_t hash(int x, int y, int z, unsigned seed) {
    std::uint32_t h = seed * 0x9e3779b9u;
    for (int v : {x, y, z}) {
        h ^= static_cast<std::uint32_t>(v) + 0x7f4a7c15u + (h << 6) + (h >> 2);
        h *= 0x85ebca6bu;
        h ^= h >> 13;
    }
    return h;
}

float fade(float t) { return t * t * (3.0f - 2.0f * t); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

std::uint8_t to_byte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

float random_at(int x, int y, int z, unsigned seed) { return (hash(x, y, z, seed) >> 8) * (1.0f / 16777216.0f); }

namespace {

float lattice(int x, int y, int z, unsigned seed) { return 2.0f * random_at(x, y, z, seed) - 1.0f; }

}  // namespace

Colour mix(Colour a, Colour b, float t) {
    return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t), lerp(a.a, b.a, t)};
}

Colour operator*(Colour c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

float smoothstep(float edge0, float edge1, float x) {
    return fade(std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f));
}

float value_noise(Vec3 p, unsigned seed) {
    const int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y)),
              z = static_cast<int>(std::floor(p.z));
    const float fx = fade(p.x - x), fy = fade(p.y - y), fz = fade(p.z - z);
    const auto row = [&](int dy, int dz) {
        return lerp(lattice(x, y + dy, z + dz, seed), lattice(x + 1, y + dy, z + dz, seed), fx);
    };
    return lerp(lerp(row(0, 0), row(1, 0), fy), lerp(row(0, 1), row(1, 1), fy), fz);
}

float fractal_noise(Vec3 p, int octaves, unsigned seed) {
    float sum = 0, weight = 0.5f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * value_noise(p, seed + static_cast<unsigned>(i));
        p = p * 2.03f;
        weight *= 0.5f;
    }
    return sum;
}

Vec3 direction(float around_degrees, float above_degrees) {
    const float a = around_degrees * kRadiansPerDegree, e = above_degrees * kRadiansPerDegree;
    return {std::cos(a) * std::cos(e), std::sin(a) * std::cos(e), std::sin(e)};
}

float cap(Vec3 n, Vec3 centre, float radius_degrees, float soft_degrees) {
    const float angle = std::acos(std::clamp(dot(normalized(n), normalized(centre)), -1.0f, 1.0f)) / kRadiansPerDegree;
    return 1.0f - smoothstep(radius_degrees, radius_degrees + soft_degrees, angle);
}

Colour lit(Colour base, Vec3 normal) {
    const Vec3 light = normalized({0.55f, 0.35f, 0.9f});
    const float wrap = 0.5f + 0.5f * dot(normalized(normal), light);
    return base * (0.68f + 0.36f * wrap * wrap);
}

void paint_region(Raster& skin, UvRect rect, const std::function<Colour(Vec2)>& paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(rect.u0 * skin.width)) - kMarginTexels);
    const int y0 = std::max(0, static_cast<int>(std::floor(rect.v0 * skin.height)) - kMarginTexels);
    const int x1 = std::min(skin.width, static_cast<int>(std::ceil(rect.u1 * skin.width)) + kMarginTexels);
    const int y1 = std::min(skin.height, static_cast<int>(std::ceil(rect.v1 * skin.height)) + kMarginTexels);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            // Premultiplied sums, so transparent samples do not darken the edge.
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float u = (x + (sx + 0.5f) / kSamples) / skin.width;
                    const float v = (y + (sy + 0.5f) / kSamples) / skin.height;
                    const Vec2 local{std::clamp((u - rect.u0) / (rect.u1 - rect.u0), 0.0f, 1.0f),
                                     std::clamp((v - rect.v0) / (rect.v1 - rect.v0), 0.0f, 1.0f)};
                    const Colour c = paint(local);
                    const float alpha = std::clamp(c.a, 0.0f, 1.0f);
                    r += c.r * alpha;
                    g += c.g * alpha;
                    b += c.b * alpha;
                    a += alpha;
                }
            }
            std::uint8_t* p = &skin.rgba[(static_cast<std::size_t>(y) * skin.width + x) * 4];
            const float coverage = a / (kSamples * kSamples);
            p[0] = a > 0 ? to_byte(r / a) : 0;
            p[1] = a > 0 ? to_byte(g / a) : 0;
            p[2] = a > 0 ? to_byte(b / a) : 0;
            p[3] = to_byte(coverage);
        }
    }
}

Raster painted_skin(int size, Rgba background, std::initializer_list<SkinRegion> regions) {
    Canvas canvas(size, size);
    canvas.fill(background);
    Raster skin = canvas.image();
    for (const SkinRegion& region : regions) paint_region(skin, region.rect, region.paint);
    return skin;
}

}  // namespace floebound::tools
