#include "intro_art.h"

#include <cmath>
#include <vector>

#include "command_pictograms.h"

namespace floebound::tools {

namespace {

constexpr Rgba kOutline{18, 32, 52, 255};
const PictogramBox kWhole{{0.5, 0.5}, 0.5};

void draw_polyline(Canvas& canvas, const std::vector<Point>& local, double width, Rgba colour) {
    for (std::size_t i = 0; i + 1 < local.size(); ++i)
        canvas.draw_line(kWhole.at(local[i].x, local[i].y), kWhole.at(local[i + 1].x, local[i + 1].y),
                         kWhole.length(width), colour);
}

// A strand rising from (x, bottom) to `top`, swaying sideways as it goes.
std::vector<Point> kelp_strand(double x, double bottom, double top, double sway, double phase) {
    std::vector<Point> points;
    for (int i = 0; i <= 24; ++i) {
        const double t = i / 24.0;
        points.push_back({x + sway * t * std::sin(phase + t * 7.0), bottom + (top - bottom) * t});
    }
    return points;
}

// A wave crest line across the badge at height y.
std::vector<Point> wave(double y, double phase) {
    std::vector<Point> points;
    for (int i = 0; i <= 40; ++i) {
        const double x = -1.0 + i / 20.0;
        points.push_back({x, y + 0.05 * std::sin(phase + x * 9.0)});
    }
    return points;
}

}  // namespace

Raster draw_kelp_emblem(int size) {
    Canvas canvas(size, size);
    const Rgba sea_top{40, 110, 160, 255}, sea_deep{16, 52, 92, 255}, foam{214, 240, 252, 255},
        kelp{92, 190, 96, 255}, kelp_light{170, 230, 140, 255}, rim{255, 216, 84, 255};
    canvas.fill_circle(kWhole.at(0, 0), kWhole.length(0.9), sea_top);
    canvas.fill_ellipse(kWhole.at(0, 0.3), kWhole.length(0.78), kWhole.length(0.5), sea_deep);
    const struct {
        double x, top, sway, phase;
    } strands[] = {{-0.32, -0.5, 0.18, 0.0}, {0.0, -0.72, 0.22, 1.7}, {0.32, -0.42, 0.16, 3.1}};
    for (const auto& strand : strands) {
        const std::vector<Point> stem = kelp_strand(strand.x, 0.8, strand.top, strand.sway, strand.phase);
        draw_polyline(canvas, stem, 0.13, kOutline);
        draw_polyline(canvas, stem, 0.08, kelp);
        // Leaves off alternate sides of the stem.
        for (int i = 6; i < 24; i += 5) {
            const double side = (i / 5) % 2 ? 1.0 : -1.0;
            const Point at = stem[static_cast<std::size_t>(i)];
            draw_polyline(canvas, {at, {at.x + side * 0.14, at.y - 0.1}}, 0.09, kOutline);
            draw_polyline(canvas, {at, {at.x + side * 0.14, at.y - 0.1}}, 0.05, kelp_light);
        }
    }
    draw_polyline(canvas, wave(0.55, 0.0), 0.09, foam);
    draw_polyline(canvas, wave(0.72, 1.8), 0.07, foam);
    // Trim what the strokes left outside the badge; the rim hides the cut.
    Raster badge = canvas.image();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / size - 0.5, dy = (y + 0.5) / size - 0.5;
            if (std::hypot(dx, dy) > 0.49) badge.rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] = 0;
        }
    Canvas framed(std::move(badge));
    framed.draw_arc(kWhole.at(0, 0), kWhole.length(0.9), kWhole.length(0.1), 0, 6.2832, rim);
    framed.draw_arc(kWhole.at(0, 0), kWhole.length(0.96), kWhole.length(0.04), 0, 6.2832, kOutline);
    return framed.image();
}

Raster draw_cow(int size) {
    Canvas canvas(size, size);
    const Rgba hide{250, 248, 242, 255}, patch{34, 32, 38, 255}, pink{244, 170, 176, 255}, horn{232, 220, 188, 255},
        hoof{70, 60, 56, 255};
    // Legs first, so the body overlaps their tops.
    for (double x : {-0.48, -0.22, 0.3, 0.52}) {
        canvas.fill_rect(kWhole.at(x - 0.09, 0.1), kWhole.at(x + 0.09, 0.72), kOutline);
        canvas.fill_rect(kWhole.at(x - 0.06, 0.1), kWhole.at(x + 0.06, 0.62), hide);
        canvas.fill_rect(kWhole.at(x - 0.06, 0.62), kWhole.at(x + 0.06, 0.69), hoof);
    }
    canvas.draw_line(kWhole.at(0.74, -0.12), kWhole.at(0.9, 0.34), kWhole.length(0.08), kOutline);
    canvas.fill_circle(kWhole.at(0.9, 0.38), kWhole.length(0.07), patch);
    canvas.fill_ellipse(kWhole.at(0.04, 0.0), kWhole.length(0.76), kWhole.length(0.4), kOutline);
    canvas.fill_ellipse(kWhole.at(0.04, 0.0), kWhole.length(0.71), kWhole.length(0.35), hide);
    canvas.fill_ellipse(kWhole.at(0.3, -0.08), kWhole.length(0.2), kWhole.length(0.17), patch);
    canvas.fill_ellipse(kWhole.at(-0.14, 0.12), kWhole.length(0.16), kWhole.length(0.13), patch);
    canvas.fill_ellipse(kWhole.at(0.56, 0.1), kWhole.length(0.1), kWhole.length(0.14), patch);
    canvas.fill_ellipse(kWhole.at(0.12, 0.32), kWhole.length(0.13), kWhole.length(0.07), pink);
    // The head, raised and turned to look out of the picture.
    for (double side : {-1.0, 1.0}) {
        canvas.draw_line(kWhole.at(-0.66 + side * 0.12, -0.5), kWhole.at(-0.66 + side * 0.26, -0.66),
                         kWhole.length(0.11), kOutline);
        canvas.draw_line(kWhole.at(-0.66 + side * 0.12, -0.5), kWhole.at(-0.66 + side * 0.26, -0.66),
                         kWhole.length(0.06), horn);
        canvas.fill_ellipse(kWhole.at(-0.66 + side * 0.27, -0.36), kWhole.length(0.14), kWhole.length(0.07),
                            kOutline);
        canvas.fill_ellipse(kWhole.at(-0.66 + side * 0.27, -0.36), kWhole.length(0.1), kWhole.length(0.045), pink);
    }
    canvas.fill_ellipse(kWhole.at(-0.66, -0.28), kWhole.length(0.23), kWhole.length(0.3), kOutline);
    canvas.fill_ellipse(kWhole.at(-0.66, -0.28), kWhole.length(0.19), kWhole.length(0.26), hide);
    canvas.fill_ellipse(kWhole.at(-0.72, -0.4), kWhole.length(0.09), kWhole.length(0.1), patch);
    canvas.fill_ellipse(kWhole.at(-0.66, -0.1), kWhole.length(0.19), kWhole.length(0.13), kOutline);
    canvas.fill_ellipse(kWhole.at(-0.66, -0.1), kWhole.length(0.16), kWhole.length(0.1), pink);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_circle(kWhole.at(-0.66 + side * 0.07, -0.1), kWhole.length(0.025), kOutline);
        canvas.fill_circle(kWhole.at(-0.66 + side * 0.09, -0.32), kWhole.length(0.05), {255, 255, 255, 255});
        canvas.fill_circle(kWhole.at(-0.66 + side * 0.09, -0.31), kWhole.length(0.028), kOutline);
    }
    return canvas.image();
}

}  // namespace floebound::tools
