#include "square_pictograms.h"

#include "app/angles.h"

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace floebound::tools {

namespace {

constexpr Rgba kOutline{18, 32, 52, 255};
constexpr Rgba kSnow{236, 244, 252, 255};
constexpr Rgba kFootOrange{247, 148, 29, 255};
constexpr Rgba kFeatherBlack{28, 32, 46, 255};

// A square tile, outlined, from -half to half.
void draw_tile(Canvas& canvas, const PictogramBox& box, double half, Rgba fill) {
    canvas.fill_rect(box.at(-half - 0.07, -half - 0.07), box.at(half + 0.07, half + 0.07), kOutline);
    canvas.fill_rect(box.at(-half, -half), box.at(half, half), fill);
}

// A convex outline round a centre: radius(angle) gives its reach each way.
template <typename Radius>
std::vector<Point> round_shape(const PictogramBox& box, Point centre, Radius radius, double grow = 0) {
    std::vector<Point> corners;
    constexpr int steps = 48;
    for (int i = 0; i < steps; ++i) {
        const double angle = 2 * pi * i / steps;
        const Point reach = radius(angle);
        corners.push_back(box.at(centre.x + std::cos(angle) * (reach.x + grow), centre.y + std::sin(angle) * (reach.y + grow)));
    }
    return corners;
}

void draw_footprint(Canvas& canvas, const PictogramBox& box, double x, double y) {
    for (const auto& [ink, width] : {std::pair{kOutline, 0.17}, std::pair{kFootOrange, 0.1}}) {
        for (double toe : {-0.26, 0.0, 0.26})
            canvas.draw_line(box.at(x, y), box.at(x + toe, y - 0.3 + std::fabs(toe) * 0.3), box.length(width), ink);
        canvas.fill_circle(box.at(x, y + 0.02), box.length(0.06 + width / 2), ink);
    }
}

// A flame standing on (x, y): round below, drawn up to a point.
std::vector<Point> flame(const PictogramBox& box, double x, double y, double size, double grow) {
    const double radius = size * 0.5;
    const Point centre{x, y - radius};
    std::vector<Point> corners{box.at(x, y - size * 1.7 - grow * 1.6)};
    constexpr int steps = 20;
    for (int i = 0; i <= steps; ++i) {
        // From the right flank round the bottom to the left one.
        const double angle = -0.35 + (pi + 0.7) * i / steps;
        corners.push_back(box.at(centre.x + std::cos(angle) * (radius + grow), centre.y + std::sin(angle) * (radius + grow)));
    }
    return corners;
}

}  // namespace

void draw_empty_square_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_tile(canvas, box, 0.66, kSnow);
    // A glint or two on the fresh snow.
    const Rgba glint{150, 196, 236, 255};
    for (auto [x, y, size] : {std::tuple{-0.3, -0.28, 0.16}, std::tuple{0.28, 0.22, 0.12}, std::tuple{0.3, -0.34, 0.08}}) {
        canvas.draw_line(box.at(x - size, y), box.at(x + size, y), box.length(0.05), glint);
        canvas.draw_line(box.at(x, y - size), box.at(x, y + size), box.length(0.05), glint);
    }
}

void draw_penguin_square_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_tile(canvas, box, 0.66, {72, 146, 224, 255});
    draw_footprint(canvas, box, -0.22, 0.44);
    draw_footprint(canvas, box, 0.22, 0.0);
}

void draw_tree_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba bark{124, 84, 52, 255}, leaves{70, 166, 82, 255}, light_leaves{122, 204, 112, 255};
    canvas.fill_rect(box.at(-0.16, 0.1), box.at(0.16, 0.86), kOutline);
    canvas.fill_rect(box.at(-0.1, 0.1), box.at(0.1, 0.8), bark);
    const std::pair<Point, double> crowns[] = {{{-0.36, 0.0}, 0.38}, {{0.36, 0.0}, 0.38}, {{0.0, -0.32}, 0.48}};
    for (const auto& [at, radius] : crowns) canvas.fill_circle(box.at(at.x, at.y), box.length(radius + 0.07), kOutline);
    for (const auto& [at, radius] : crowns) canvas.fill_circle(box.at(at.x, at.y), box.length(radius), leaves);
    canvas.fill_circle(box.at(-0.12, -0.46), box.length(0.16), light_leaves);
}

void draw_marked_square_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_no_goat_sign(canvas, {box.at(0, 0), box.length(0.92)});
}

void draw_cow_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba hide{250, 248, 244, 255}, patch{40, 36, 40, 255}, muzzle{240, 170, 176, 255}, horn{236, 222, 190, 255};
    for (double side : {-1.0, 1.0}) {
        canvas.draw_line(box.at(side * 0.3, -0.5), box.at(side * 0.56, -0.82), box.length(0.2), kOutline);
        canvas.draw_line(box.at(side * 0.3, -0.5), box.at(side * 0.56, -0.82), box.length(0.12), horn);
        canvas.fill_ellipse(box.at(side * 0.72, -0.3), box.length(0.28), box.length(0.14), kOutline);
        canvas.fill_ellipse(box.at(side * 0.72, -0.3), box.length(0.22), box.length(0.09), patch);
    }
    canvas.fill_ellipse(box.at(0, -0.06), box.length(0.58), box.length(0.7), kOutline);
    canvas.fill_ellipse(box.at(0, -0.06), box.length(0.52), box.length(0.64), hide);
    canvas.fill_ellipse(box.at(-0.24, -0.34), box.length(0.22), box.length(0.26), patch);
    canvas.fill_ellipse(box.at(0, 0.36), box.length(0.44), box.length(0.28), kOutline);
    canvas.fill_ellipse(box.at(0, 0.36), box.length(0.39), box.length(0.23), muzzle);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_circle(box.at(side * 0.15, 0.38), box.length(0.06), kOutline);
        canvas.fill_circle(box.at(side * 0.22, -0.14), box.length(0.08), kOutline);
    }
}

void draw_skateboard_square_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_tile(canvas, box, 0.66, {52, 166, 146, 255});
    draw_skateboard_pictogram(canvas, {box.at(0, 0.02), box.length(0.62)});
}

void draw_bucket_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba tin{150, 168, 190, 255}, tin_light{206, 218, 232, 255}, inside{70, 84, 104, 255};
    canvas.draw_arc(box.at(0, -0.32), box.length(0.5), box.length(0.12), pi, 2 * pi, kOutline);
    canvas.draw_arc(box.at(0, -0.32), box.length(0.5), box.length(0.05), pi, 2 * pi, tin_light);
    canvas.fill_polygon({box.at(-0.64, -0.36), box.at(0.64, -0.36), box.at(0.48, 0.82), box.at(-0.48, 0.82)}, kOutline);
    canvas.fill_polygon({box.at(-0.56, -0.3), box.at(0.56, -0.3), box.at(0.42, 0.75), box.at(-0.42, 0.75)}, tin);
    canvas.fill_polygon({box.at(-0.36, -0.22), box.at(-0.2, -0.22), box.at(-0.16, 0.66), box.at(-0.28, 0.66)},
                        tin_light);
    canvas.fill_ellipse(box.at(0, -0.34), box.length(0.62), box.length(0.14), kOutline);
    canvas.fill_ellipse(box.at(0, -0.34), box.length(0.54), box.length(0.08), inside);
}

void draw_fire_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba red{228, 60, 36, 255}, orange{250, 140, 30, 255}, yellow{255, 224, 96, 255};
    canvas.fill_ellipse(box.at(0, 0.78), box.length(0.7), box.length(0.1), {8, 20, 38, 90});
    const std::tuple<double, double, double> flames[] = {{-0.34, 0.76, 0.34}, {0.34, 0.76, 0.34}, {0.0, 0.8, 0.5}};
    for (const auto& [x, y, size] : flames) canvas.fill_polygon(flame(box, x, y, size, 0.07), kOutline);
    for (const auto& [x, y, size] : flames) canvas.fill_polygon(flame(box, x, y, size, 0.0), red);
    canvas.fill_polygon(flame(box, 0.0, 0.76, 0.38, 0.0), orange);
    canvas.fill_polygon(flame(box, 0.0, 0.72, 0.22, 0.0), yellow);
}

void draw_tunafish_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba back{64, 98, 150, 255}, belly{204, 216, 230, 255}, fin{236, 200, 64, 255};
    canvas.fill_polygon({box.at(0.5, 0.0), box.at(0.94, -0.42), box.at(0.94, 0.42)}, kOutline);
    canvas.fill_polygon({box.at(0.56, 0.0), box.at(0.87, -0.32), box.at(0.87, 0.32)}, back);
    canvas.fill_polygon({box.at(-0.1, -0.3), box.at(0.14, -0.62), box.at(0.26, -0.28)}, kOutline);
    canvas.fill_polygon({box.at(-0.02, -0.3), box.at(0.14, -0.52), box.at(0.2, -0.3)}, fin);
    canvas.fill_polygon(round_shape(box, {-0.1, 0}, [](double) { return Point{0.66, 0.34}; }, 0.07), kOutline);
    canvas.fill_polygon(round_shape(box, {-0.1, 0}, [](double) { return Point{0.66, 0.34}; }), back);
    canvas.fill_polygon(round_shape(box, {-0.1, 0.12}, [](double) { return Point{0.56, 0.18}; }), belly);
    canvas.fill_circle(box.at(-0.5, -0.06), box.length(0.09), {250, 251, 253, 255});
    canvas.fill_circle(box.at(-0.52, -0.06), box.length(0.05), kFeatherBlack);
}

}  // namespace floebound::tools
