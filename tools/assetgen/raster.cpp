#include "raster.h"

#include <algorithm>
#include <cmath>

namespace floebound::tools {

namespace {

// 4x4 sub-pixel samples per pixel: smooth enough edges even at 16 px.
constexpr int kSubsamples = 4;

std::uint8_t to_byte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

constexpr double kTwoPi = 6.283185307179586;

double edge(Point a, Point b, Point p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

bool inside_convex(const std::vector<Point>& corners, Point p) {
    bool any_positive = false, any_negative = false;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const double e = edge(corners[i], corners[(i + 1) % corners.size()], p);
        any_positive |= e > 0;
        any_negative |= e < 0;
    }
    return !(any_positive && any_negative);
}

double distance_to_segment(Point a, Point b, Point p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length_squared = dx * dx + dy * dy;
    const double t =
        length_squared > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Rgba Raster::pixel(int x, int y) const {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

Raster blank_picture(int width, int height) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 0)};
}

Canvas::Canvas(int width, int height) : image_(blank_picture(width, height)) {}

void Canvas::fill(Rgba color) {
    for (std::size_t i = 0; i < image_.rgba.size(); i += 4) {
        image_.rgba[i] = color.r;
        image_.rgba[i + 1] = color.g;
        image_.rgba[i + 2] = color.b;
        image_.rgba[i + 3] = color.a;
    }
}

void Canvas::fill_rect(Point top_left, Point bottom_right, Rgba color) {
    fill_shape(
        top_left, bottom_right,
        [&](Point p) { return p.x >= top_left.x && p.x < bottom_right.x && p.y >= top_left.y && p.y < bottom_right.y; },
        color);
}

void Canvas::fill_ellipse(Point centre, double radius_x, double radius_y, Rgba color) {
    fill_shape(
        {centre.x - radius_x, centre.y - radius_y}, {centre.x + radius_x, centre.y + radius_y},
        [&](Point p) {
            const double dx = (p.x - centre.x) / radius_x;
            const double dy = (p.y - centre.y) / radius_y;
            return dx * dx + dy * dy <= 1.0;
        },
        color);
}

void Canvas::fill_triangle(Point a, Point b, Point c, Rgba color) {
    const Point top_left{std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y})};
    const Point bottom_right{std::max({a.x, b.x, c.x}), std::max({a.y, b.y, c.y})};
    fill_shape(
        top_left, bottom_right,
        [&](Point p) {
            const double e0 = edge(a, b, p), e1 = edge(b, c, p), e2 = edge(c, a, p);
            return (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
        },
        color);
}

void Canvas::fill_polygon(const std::vector<Point>& corners, Rgba color) {
    if (corners.size() < 3) return;
    Point top_left = corners.front(), bottom_right = corners.front();
    for (Point p : corners) {
        top_left = {std::min(top_left.x, p.x), std::min(top_left.y, p.y)};
        bottom_right = {std::max(bottom_right.x, p.x), std::max(bottom_right.y, p.y)};
    }
    fill_shape(top_left, bottom_right, [&](Point p) { return inside_convex(corners, p); }, color);
}

void Canvas::draw_line(Point a, Point b, double width, Rgba color) {
    // Lengths are in picture widths, so a stroke keeps its thickness in any direction.
    const double aspect = static_cast<double>(image_.height) / image_.width;
    const double half = width / 2;
    const Point a_scaled{a.x, a.y * aspect}, b_scaled{b.x, b.y * aspect};
    fill_shape(
        {std::min(a.x, b.x) - half, std::min(a.y, b.y) - half / aspect},
        {std::max(a.x, b.x) + half, std::max(a.y, b.y) + half / aspect},
        [&](Point p) { return distance_to_segment(a_scaled, b_scaled, {p.x, p.y * aspect}) <= half; }, color);
}

void Canvas::draw_arc(Point centre, double radius, double width, double from_angle, double to_angle, Rgba color) {
    const double aspect = static_cast<double>(image_.height) / image_.width;
    const double reach = radius + width / 2;
    const double sweep = std::fabs(to_angle - from_angle);
    const double direction = to_angle >= from_angle ? 1.0 : -1.0;
    fill_shape(
        {centre.x - reach, centre.y - reach / aspect}, {centre.x + reach, centre.y + reach / aspect},
        [&](Point p) {
            const double dx = p.x - centre.x, dy = (p.y - centre.y) * aspect;
            if (std::fabs(std::hypot(dx, dy) - radius) > width / 2) return false;
            const double along = std::fmod(direction * (std::atan2(dy, dx) - from_angle), kTwoPi);
            return (along < 0 ? along + kTwoPi : along) <= sweep;
        },
        color);
}

template <typename Inside>
void Canvas::fill_shape(Point top_left, Point bottom_right, Inside inside, Rgba color) {
    const int x0 = std::max(0, static_cast<int>(std::floor(top_left.x * image_.width)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top_left.y * image_.height)));
    const int x1 = std::min(image_.width, static_cast<int>(std::ceil(bottom_right.x * image_.width)));
    const int y1 = std::min(image_.height, static_cast<int>(std::ceil(bottom_right.y * image_.height)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSubsamples; ++sy) {
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    const Point sample{(x + (sx + 0.5) / kSubsamples) / image_.width,
                                       (y + (sy + 0.5) / kSubsamples) / image_.height};
                    if (inside(sample)) ++covered;
                }
            }
            if (covered) blend_over(image_, x, y, color, static_cast<double>(covered) / (kSubsamples * kSubsamples));
        }
    }
}

void blend_over(Raster& image, int x, int y, Rgba color, double coverage) {
    std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    const double src_a = coverage * color.a / 255.0;
    const double dst_a = p[3] / 255.0;
    const double out_a = src_a + dst_a * (1.0 - src_a);
    if (out_a <= 0.0) return;
    const std::uint8_t src[3] = {color.r, color.g, color.b};
    for (int i = 0; i < 3; ++i) p[i] = to_byte((src[i] * src_a + p[i] * dst_a * (1.0 - src_a)) / out_a);
    p[3] = to_byte(out_a * 255.0);
}

}  // namespace floebound::tools
