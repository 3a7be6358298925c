#include "command_pictograms.h"

#include "app/angles.h"

#include <cmath>
#include <utility>
#include <vector>

namespace floebound::tools {

namespace {

constexpr double kRadiansPerDegree = pi / 180.0;

constexpr Rgba kSnow{244, 249, 255, 255};
constexpr Rgba kOutline{18, 32, 52, 255};
constexpr Rgba kShadow{8, 20, 38, 90};
constexpr Rgba kCrossRed{236, 86, 86, 255};
constexpr Rgba kTickGreen{96, 206, 110, 255};
constexpr Rgba kBackBlue{126, 206, 255, 255};
constexpr Rgba kFeatherBlack{28, 32, 46, 255};
constexpr Rgba kBeakOrange{247, 148, 29, 255};

// The corners of a rectangle centred on (x, y), `half_length` along the
// direction `degrees` and `half_width` across it.
std::vector<Point> rotated_rect(const PictogramBox& box, double x, double y, double half_length, double half_width,
                                double degrees) {
    const double c = std::cos(degrees * kRadiansPerDegree), s = std::sin(degrees * kRadiansPerDegree);
    std::vector<Point> corners;
    for (auto [along, across] : {std::pair{-1, -1}, std::pair{1, -1}, std::pair{1, 1}, std::pair{-1, 1}})
        corners.push_back(box.at(x + along * half_length * c - across * half_width * s,
                                 y + along * half_length * s + across * half_width * c));
    return corners;
}

// A thick stroke through the points with round joints, outlined so it stands
// out on both the calm and the highlighted button.
void draw_outlined_path(Canvas& canvas, const PictogramBox& box, const std::vector<Point>& local, double width,
                        Rgba colour) {
    for (const auto& [ink, extra] : {std::pair{kOutline, 0.14}, std::pair{colour, 0.0}})
        for (std::size_t i = 0; i + 1 < local.size(); ++i)
            canvas.draw_line(box.at(local[i].x, local[i].y), box.at(local[i + 1].x, local[i + 1].y),
                             box.length(width + extra), ink);
}

}  // namespace

void draw_arc_arrow(Canvas& canvas, const PictogramBox& box, Point centre, double radius, double width,
                    double from_degrees, double to_degrees, Rgba colour) {
    const double turn = to_degrees > from_degrees ? 1.0 : -1.0;
    const double end = to_degrees * kRadiansPerDegree;
    const Point radial{std::cos(end), std::sin(end)};
    const Point ahead{-radial.y * turn, radial.x * turn};
    const Point base{centre.x + radial.x * radius, centre.y + radial.y * radius};
    const double head_half = width * 1.25, head_length = width * 1.9;
    const auto head = [&](double grow) {
        return std::vector<Point>{
            box.at(base.x + radial.x * (head_half + grow) - ahead.x * grow,
                   base.y + radial.y * (head_half + grow) - ahead.y * grow),
            box.at(base.x + ahead.x * (head_length + 1.6 * grow), base.y + ahead.y * (head_length + 1.6 * grow)),
            box.at(base.x - radial.x * (head_half + grow) - ahead.x * grow,
                   base.y - radial.y * (head_half + grow) - ahead.y * grow)};
    };
    const Point middle = box.at(centre.x, centre.y);
    const double start = from_degrees * kRadiansPerDegree;
    canvas.draw_arc(middle, box.length(radius), box.length(width + 0.14), start, end, kOutline);
    canvas.fill_polygon(head(0.07), kOutline);
    canvas.draw_arc(middle, box.length(radius), box.length(width), start, end, colour);
    canvas.fill_polygon(head(0.0), colour);
}

void draw_goat_head(Canvas& canvas, const PictogramBox& outer) {
    const PictogramBox box{outer.at(0, 0.02), outer.length(0.76)};
    const Rgba horn{168, 146, 116, 255}, fur{242, 238, 228, 255}, fur_shade{214, 206, 192, 255},
        ear_inside{236, 168, 168, 255}, eye{236, 198, 72, 255};
    for (double side : {-1.0, 1.0})
        draw_outlined_path(canvas, box, {{side * 0.14, -0.36}, {side * 0.25, -0.62}, {side * 0.43, -0.71}}, 0.15,
                           horn);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_ellipse(box.at(side * 0.48, -0.16), box.length(0.27), box.length(0.13), kOutline);
        canvas.fill_ellipse(box.at(side * 0.48, -0.16), box.length(0.22), box.length(0.085), fur_shade);
        canvas.fill_ellipse(box.at(side * 0.5, -0.15), box.length(0.13), box.length(0.04), ear_inside);
    }
    canvas.fill_triangle(box.at(-0.17, 0.4), box.at(0.17, 0.4), box.at(0, 0.9), kOutline);
    canvas.fill_triangle(box.at(-0.11, 0.42), box.at(0.11, 0.42), box.at(0, 0.8), fur_shade);
    canvas.fill_ellipse(box.at(0, 0), box.length(0.37), box.length(0.52), kOutline);
    canvas.fill_ellipse(box.at(0, 0), box.length(0.31), box.length(0.46), fur);
    canvas.fill_ellipse(box.at(0, 0.28), box.length(0.23), box.length(0.17), fur_shade);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_circle(box.at(side * 0.15, -0.1), box.length(0.085), eye);
        canvas.fill_rect(box.at(side * 0.15 - 0.07, -0.12), box.at(side * 0.15 + 0.07, -0.08), kOutline);
        canvas.fill_circle(box.at(side * 0.07, 0.3), box.length(0.035), kOutline);
    }
}

void draw_no_goat_sign(Canvas& canvas, const PictogramBox& box) {
    const Rgba red{214, 40, 44, 255}, white{250, 250, 252, 255};
    canvas.fill_circle(box.at(0, 0), box.length(0.97), kOutline);
    canvas.fill_circle(box.at(0, 0), box.length(0.92), red);
    canvas.fill_circle(box.at(0, 0), box.length(0.7), white);
    draw_goat_head(canvas, {box.at(0, 0.02), box.length(0.66)});
    canvas.draw_line(box.at(-0.52, -0.52), box.at(0.52, 0.52), box.length(0.17), red);
}

void draw_close_pictogram(Canvas& canvas, const PictogramBox& box) {
    for (const auto& [ink, width] : {std::pair{kOutline, 0.46}, std::pair{kCrossRed, 0.32}}) {
        canvas.draw_line(box.at(-0.62, -0.62), box.at(0.62, 0.62), box.length(width), ink);
        canvas.draw_line(box.at(0.62, -0.62), box.at(-0.62, 0.62), box.length(width), ink);
    }
}

void draw_clear_pictogram(Canvas& canvas, const PictogramBox& box) {
    // The emptied square, dashed, and the eraser that emptied it.
    const Rgba dash{220, 234, 248, 200};
    const double left = -0.8, top = -0.62, side = 1.42, dash_length = 0.24, thickness = 0.1;
    for (int i = 0; i < 4; ++i) {
        const double from = i * (side - dash_length) / 3, to = from + dash_length;
        canvas.fill_rect(box.at(left + from, top), box.at(left + to, top + thickness), dash);
        canvas.fill_rect(box.at(left + from, top + side - thickness), box.at(left + to, top + side), dash);
        canvas.fill_rect(box.at(left, top + from), box.at(left + thickness, top + to), dash);
        canvas.fill_rect(box.at(left + side - thickness, top + from), box.at(left + side, top + to), dash);
    }
    const double angle = -38.0;
    const double c = std::cos(angle * kRadiansPerDegree), s = std::sin(angle * kRadiansPerDegree);
    const Rgba rubber{242, 136, 150, 255}, sleeve{84, 132, 222, 255}, sleeve_light{150, 188, 246, 255};
    const Point middle{0.2, -0.04};
    canvas.fill_polygon(rotated_rect(box, middle.x, middle.y, 0.8, 0.36, angle), kOutline);
    canvas.fill_polygon(rotated_rect(box, middle.x - 0.35 * c, middle.y - 0.35 * s, 0.38, 0.29, angle), rubber);
    canvas.fill_polygon(rotated_rect(box, middle.x + 0.35 * c, middle.y + 0.35 * s, 0.38, 0.29, angle), sleeve);
    canvas.fill_polygon(
        rotated_rect(box, middle.x + 0.35 * c + 0.15 * s, middle.y + 0.35 * s - 0.15 * c, 0.32, 0.05, angle),
        sleeve_light);
    for (auto [x, y] : {std::pair{-0.58, 0.52}, std::pair{-0.4, 0.64}, std::pair{-0.3, 0.46}})
        canvas.fill_circle(box.at(x, y), box.length(0.05), rubber);
}

void draw_goat_cw_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_arc_arrow(canvas, box, {0, 0}, 0.86, 0.14, -64, 226, kClockwiseOrange);
    draw_goat_head(canvas, box);
}

void draw_goat_ccw_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_arc_arrow(canvas, box, {0, 0}, 0.86, 0.14, 244, -46, kCounterClockwiseBlue);
    draw_goat_head(canvas, box);
}

void draw_penguin_pictogram(Canvas& canvas, const PictogramBox& box) {
    // Speed lines above and a shadow below: it is on its way down.
    for (double x : {-0.42, 0.0, 0.42})
        canvas.draw_line(box.at(x, -0.98 + std::fabs(x) * 0.3), box.at(x, -0.68 + std::fabs(x) * 0.3),
                         box.length(0.09), {236, 246, 255, 190});
    canvas.fill_ellipse(box.at(0, 0.9), box.length(0.4), box.length(0.08), kShadow);
    for (double side : {-1.0, 1.0})
        draw_outlined_path(canvas, box, {{side * 0.26, 0.0}, {side * 0.64, -0.36}}, 0.16, kFeatherBlack);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_ellipse(box.at(side * 0.16, 0.66), box.length(0.17), box.length(0.09), kOutline);
        canvas.fill_ellipse(box.at(side * 0.16, 0.66), box.length(0.13), box.length(0.06), kBeakOrange);
    }
    canvas.fill_ellipse(box.at(0, 0.12), box.length(0.4), box.length(0.58), {238, 244, 255, 255});
    canvas.fill_ellipse(box.at(0, 0.12), box.length(0.36), box.length(0.54), kFeatherBlack);
    canvas.fill_ellipse(box.at(0, 0.26), box.length(0.25), box.length(0.38), {250, 251, 253, 255});
    for (double side : {-1.0, 1.0}) {
        canvas.fill_circle(box.at(side * 0.12, -0.2), box.length(0.085), {250, 251, 253, 255});
        canvas.fill_circle(box.at(side * 0.1, -0.2), box.length(0.045), kFeatherBlack);
    }
    canvas.fill_triangle(box.at(-0.09, -0.1), box.at(0.09, -0.1), box.at(0, 0.04), kBeakOrange);
}

void draw_skateboard_pictogram(Canvas& canvas, const PictogramBox& box) {
    const Rgba deck{232, 112, 58, 255}, grip{60, 52, 60, 255}, truck{176, 182, 194, 255}, wheel{250, 236, 196, 255};
    for (double side : {-1.0, 1.0}) {
        canvas.fill_polygon({box.at(side * 0.45 - 0.15, 0.1), box.at(side * 0.45 + 0.15, 0.1),
                             box.at(side * 0.45 + 0.08, 0.3), box.at(side * 0.45 - 0.08, 0.3)},
                            kOutline);
        canvas.fill_polygon({box.at(side * 0.45 - 0.11, 0.1), box.at(side * 0.45 + 0.11, 0.1),
                             box.at(side * 0.45 + 0.05, 0.26), box.at(side * 0.45 - 0.05, 0.26)},
                            truck);
    }
    draw_outlined_path(canvas, box, {{-0.92, -0.2}, {-0.66, 0.02}, {0.66, 0.02}, {0.92, -0.2}}, 0.16, deck);
    canvas.draw_line(box.at(-0.62, -0.04), box.at(0.62, -0.04), box.length(0.05), grip);
    for (double side : {-1.0, 1.0}) {
        canvas.fill_circle(box.at(side * 0.45, 0.38), box.length(0.2), kOutline);
        canvas.fill_circle(box.at(side * 0.45, 0.38), box.length(0.15), wheel);
        canvas.fill_circle(box.at(side * 0.45, 0.38), box.length(0.05), truck);
    }
}

void draw_restart_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_arc_arrow(canvas, box, {0, 0.02}, 0.6, 0.24, -50, 235, kSnow);
}

void draw_quit_yes_pictogram(Canvas& canvas, const PictogramBox& box) {
    draw_outlined_path(canvas, box, {{-0.62, 0.02}, {-0.18, 0.46}, {0.64, -0.5}}, 0.3, kTickGreen);
}

void draw_quit_no_pictogram(Canvas& canvas, const PictogramBox& box) {
    // Back the way we came: along the top, round the bend, and home.
    const Point centre{0.12, 0.06};
    const double radius = 0.42, width = 0.22, top = centre.y - radius, bottom = centre.y + radius, tip = -0.82;
    for (const auto& [ink, extra] : {std::pair{kOutline, 0.14}, std::pair{kBackBlue, 0.0}}) {
        const double stroke = box.length(width + extra);
        canvas.draw_arc(box.at(centre.x, centre.y), box.length(radius), stroke, -90 * kRadiansPerDegree,
                        90 * kRadiansPerDegree, ink);
        canvas.draw_line(box.at(centre.x, bottom), box.at(-0.6, bottom), stroke, ink);
        canvas.draw_line(box.at(centre.x, top), box.at(-0.3, top), stroke, ink);
        const double grow = extra * 0.65;
        canvas.fill_polygon({box.at(-0.32 + grow / 3, top - 0.29 - grow), box.at(tip - grow, top),
                             box.at(-0.32 + grow / 3, top + 0.29 + grow)},
                            ink);
    }
}

}  // namespace floebound::tools
