#include "poster_layout.h"

#include <algorithm>
#include <cmath>

namespace floebound::tools {

namespace {

constexpr Rgba kShadow{4, 10, 22, 200};

}  // namespace

float distance_to_panel(float x, float y, PixelRect panel, float radius) {
    const float half_w = (panel.right - panel.left) / 2.0f, half_h = (panel.bottom - panel.top) / 2.0f;
    const float qx = std::fabs(x - (panel.left + half_w)) - (half_w - radius);
    const float qy = std::fabs(y - (panel.top + half_h)) - (half_h - radius);
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
}

const PanelLook kGlassPanel{{0.10f, 0.19f, 0.33f, 0.80f}, {0.04f, 0.09f, 0.18f, 0.86f}, rgb(255, 216, 84), 3.0f};
const PanelLook kSolidPanel{rgb(34, 60, 100), rgb(14, 30, 58), rgb(255, 216, 84), 3.0f};

void draw_panel(Raster& picture, PixelRect panel, int corner_radius, const PanelLook& look) {
    const float w = static_cast<float>(picture.width), h = static_cast<float>(picture.height);
    const UvRect area{(panel.left - 2) / w, (panel.top - 2) / h, (panel.right + 2) / w, (panel.bottom + 2) / h};
    paint_region(picture, area, [&](Vec2 local) {
        const float x = (area.u0 + local.u * (area.u1 - area.u0)) * w;
        const float y = (area.v0 + local.v * (area.v1 - area.v0)) * h;
        const float d = distance_to_panel(x, y, panel, static_cast<float>(corner_radius));
        if (d > 0) return Colour{0, 0, 0, 0};
        const float down = std::clamp((y - panel.top) / (panel.bottom - panel.top), 0.0f, 1.0f);
        Colour glass = mix(look.top, look.bottom, down);
        // The rim is opaque so the panel's edge reads on snow and on sky alike.
        const float rim = smoothstep(-look.rim_width - 0.8f, -look.rim_width + 0.2f, d);
        Colour out = mix(glass, look.rim, rim);
        out.a = glass.a + (1 - glass.a) * rim;
        return out;
    });
}

int draw_lettering(Raster& picture, const std::string& text, const TextStyle& style, int centre_x, int top) {
    TextStyle shadow = style;
    shadow.colour = kShadow;
    const int offset = std::max(1, style.point_size / 14);
    draw_text_centred(picture, text, shadow, centre_x + offset, top + offset);
    draw_text_centred(picture, text, style, centre_x, top);
    return top + measure_text(text, style).height;
}

int draw_lettering_from(Raster& picture, const std::string& text, const TextStyle& style, int left, int top) {
    return draw_lettering(picture, text, style, left + measure_text(text, style).width / 2, top);
}

void paste(Raster& picture, const Raster& art, int left, int top) {
    for (int y = 0; y < art.height; ++y)
        for (int x = 0; x < art.width; ++x) {
            const int px = left + x, py = top + y;
            if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
            blend_over(picture, px, py, art.pixel(x, y));
        }
}

}  // namespace floebound::tools
