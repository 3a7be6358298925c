#include "soft_renderer.h"

#include "app/angles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace floebound::tools {

namespace {

constexpr float kPi = static_cast<float>(pi);
constexpr float kSquare = 64.0f;
constexpr float kTargetHeight = 18.0f;
constexpr float kFocal = 2.3f;  // about a 47 degree field of view

using V3 = std::array<float, 3>;

V3 sub(V3 a, V3 b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
float dot3(V3 a, V3 b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
V3 cross3(V3 a, V3 b) { return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; }
V3 unit(V3 a) {
    const float n = std::sqrt(dot3(a, a));
    return {a[0] / n, a[1] / n, a[2] / n};
}

struct Camera {
    V3 eye, right, up, forward;
    float half_size;

    // Screen x, y (pixels, y down) and depth along the view.
    V3 project(V3 p) const {
        const V3 d = sub(p, eye);
        const float depth = dot3(d, forward);
        return {half_size + dot3(d, right) / depth * kFocal * half_size,
                half_size - dot3(d, up) / depth * kFocal * half_size, depth};
    }
};

Camera make_camera(PreviewView view, int size) {
    const float a = view.around_degrees * kPi / 180.0f, p = view.above_degrees * kPi / 180.0f;
    // The file's direction (cos a, sin a, 0) in drawing axes.
    const V3 target{0, kTargetHeight, 0};
    const V3 eye{target[0] - std::sin(a) * std::cos(p) * view.distance, target[1] + std::sin(p) * view.distance,
                 target[2] - std::cos(a) * std::cos(p) * view.distance};
    Camera camera;
    camera.eye = eye;
    camera.forward = unit(sub(target, eye));
    camera.right = unit(cross3(camera.forward, {0, 1, 0}));
    camera.up = cross3(camera.right, camera.forward);
    camera.half_size = size * 0.5f;
    return camera;
}

struct Target {
    Raster& sheet;
    int left, top, size;
    std::vector<float> depth;

    void put(int x, int y, const std::array<float, 3>& rgb) {
        std::uint8_t* p = &sheet.rgba[(static_cast<std::size_t>(top + y) * sheet.width + left + x) * 4];
        for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(std::clamp(rgb[i], 0.0f, 255.0f));
        p[3] = 255;
    }
};

// Sky above the horizon, and ice squares with grid lines below, out to a
// square and a half around the model's own.
void draw_backdrop(const Camera& camera, Target& target) {
    for (int y = 0; y < target.size; ++y) {
        for (int x = 0; x < target.size; ++x) {
            const float sx = (x + 0.5f - camera.half_size) / (kFocal * camera.half_size);
            const float sy = (camera.half_size - y - 0.5f) / (kFocal * camera.half_size);
            V3 ray{};
            for (int i = 0; i < 3; ++i) ray[i] = camera.forward[i] + camera.right[i] * sx + camera.up[i] * sy;
            std::array<float, 3> rgb{200.0f - y * 0.15f, 214.0f - y * 0.1f, 232.0f};
            float depth = std::numeric_limits<float>::max();
            if (ray[1] < 0) {
                const float t = -camera.eye[1] / ray[1];
                const float gx = camera.eye[0] + ray[0] * t, gz = camera.eye[2] + ray[2] * t;
                if (std::fabs(gx) < 2 * kSquare && std::fabs(gz) < 2 * kSquare) {
                    const float lx = std::fabs(std::remainder(gx - kSquare / 2, kSquare));
                    const float lz = std::fabs(std::remainder(gz - kSquare / 2, kSquare));
                    const bool line = lx < 0.7f || lz < 0.7f;
                    const bool own = std::fabs(gx) < kSquare / 2 && std::fabs(gz) < kSquare / 2;
                    rgb = line  ? std::array<float, 3>{90, 120, 150}
                          : own ? std::array<float, 3>{226, 240, 250}
                                : std::array<float, 3>{176, 206, 226};
                    depth = t;  // ray has unit forward component, so t is the view depth
                }
            }
            target.put(x, y, rgb);
            target.depth[static_cast<std::size_t>(y) * target.size + x] = depth;
        }
    }
}

std::array<float, 3> sample(const PreviewSkin& skin, float u, float v) {
    const float fx = u * skin.width - 0.5f, fy = v * skin.height - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    std::array<float, 3> out{};
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            // Wrapping, as the game's textures repeat.
            const int x = ((x0 + dx) % skin.width + skin.width) % skin.width;
            const int y = ((y0 + dy) % skin.height + skin.height) % skin.height;
            const float w = (dx ? tx : 1 - tx) * (dy ? ty : 1 - ty);
            for (int i = 0; i < 3; ++i) out[i] += w * skin.rgba[(static_cast<std::size_t>(y) * skin.width + x) * 4 + i];
        }
    }
    return out;
}

}  // namespace

void render_preview(const PreviewModel& model, const PreviewSkin& skin, int frame, PreviewView view, Raster& sheet,
                    int left, int top, int size) {
    const Camera camera = make_camera(view, size);
    Target target{sheet, left, top, size, std::vector<float>(static_cast<std::size_t>(size) * size)};
    draw_backdrop(camera, target);
    if (frame < 0 || frame >= static_cast<int>(model.frames.size())) frame = 0;
    const auto& vertices = model.frames[frame];

    for (const PreviewTriangle& t : model.triangles) {
        std::array<V3, 3> s{};
        for (int c = 0; c < 3; ++c) {
            const auto& p = vertices[t.vertex[c]];
            s[c] = camera.project({-p[1], p[2] + 24.0f, -p[0]});
        }
        if (s[0][2] <= 1 || s[1][2] <= 1 || s[2][2] <= 1) continue;  // behind the camera
        // Screen y runs down, so the game's clockwise front faces come out
        // with a positive area here.
        const float area = (s[1][0] - s[0][0]) * (s[2][1] - s[0][1]) - (s[1][1] - s[0][1]) * (s[2][0] - s[0][0]);
        if (area <= 0) continue;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({s[0][0], s[1][0], s[2][0]}))));
        const int x1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({s[0][0], s[1][0], s[2][0]}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({s[0][1], s[1][1], s[2][1]}))));
        const int y1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({s[0][1], s[1][1], s[2][1]}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                float w[3];
                for (int c = 0; c < 3; ++c) {
                    const V3& a = s[(c + 1) % 3];
                    const V3& b = s[(c + 2) % 3];
                    w[c] = ((b[0] - a[0]) * (py - a[1]) - (b[1] - a[1]) * (px - a[0])) / area;
                }
                if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
                // Perspective-correct: interpolate 1/depth and texel/depth.
                float inverse = 0, u = 0, v = 0;
                for (int c = 0; c < 3; ++c) {
                    inverse += w[c] / s[c][2];
                    u += w[c] * t.texel[c][0] / skin.width / s[c][2];
                    v += w[c] * t.texel[c][1] / skin.height / s[c][2];
                }
                const float depth = 1 / inverse;
                float& stored = target.depth[static_cast<std::size_t>(y) * size + x];
                if (depth >= stored) continue;
                stored = depth;
                target.put(x, y, sample(skin, u * depth, v * depth));
            }
        }
    }
}

}  // namespace floebound::tools
