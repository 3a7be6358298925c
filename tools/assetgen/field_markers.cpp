#include "field_markers.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "command_pictograms.h"
#include "poster_layout.h"

namespace floebound::tools {

namespace {

constexpr int kSize = 128;
constexpr Rgba kOutline{18, 32, 52, 255};
constexpr Rgba kFootOrange{247, 148, 29, 255};

const PanelLook kPenguinPlate{rgb(92, 168, 236), rgb(40, 96, 174), rgb(255, 216, 84), 5.0f};
const PanelLook kSkateboardPlate{rgb(84, 196, 170), rgb(30, 116, 110), rgb(255, 216, 84), 5.0f};

const PictogramBox kWhole{{0.5, 0.5}, 0.5};

Raster plate(const PanelLook& look) {
    Raster picture = blank_picture(kSize, kSize);
    draw_panel(picture, {8, 8, kSize - 8, kSize - 8}, 22, look);
    return picture;
}

// A penguin's three-toed print, heel at (x, y), toes pointing up the picture.
void draw_footprint(Canvas& canvas, double x, double y) {
    for (const auto& [ink, width] : {std::pair{kOutline, 0.2}, std::pair{kFootOrange, 0.12}}) {
        for (double toe : {-0.32, 0.0, 0.32})
            canvas.draw_line(kWhole.at(x, y), kWhole.at(x + toe, y - 0.36 + std::fabs(toe) * 0.3),
                             kWhole.length(width), ink);
        canvas.fill_circle(kWhole.at(x, y + 0.02), kWhole.length(0.07 + width / 2), ink);
    }
}

Raster penguin_square() {
    Canvas canvas(plate(kPenguinPlate));
    draw_footprint(canvas, -0.26, 0.46);
    draw_footprint(canvas, 0.26, -0.02);
    return canvas.image();
}

// A skateboard from above, lying across the square.
Raster skateboard_square() {
    Canvas canvas(plate(kSkateboardPlate));
    const Rgba deck{236, 112, 58, 255}, grip{60, 52, 60, 255}, wheel{250, 236, 196, 255};
    const Point nose{0.42, -0.42}, tail{-0.42, 0.42};
    for (double end : {-1.0, 1.0})
        for (double side : {-1.0, 1.0}) {
            // Wheels stand out past the deck's edges, near each end.
            const double along = end * 0.3, across = side * 0.33;
            const Point at{along * 0.707 + across * 0.707, -along * 0.707 + across * 0.707};
            canvas.fill_circle(kWhole.at(at.x, at.y), kWhole.length(0.13), kOutline);
            canvas.fill_circle(kWhole.at(at.x, at.y), kWhole.length(0.09), wheel);
        }
    canvas.draw_line(kWhole.at(nose.x, nose.y), kWhole.at(tail.x, tail.y), kWhole.length(0.5), kOutline);
    canvas.draw_line(kWhole.at(nose.x, nose.y), kWhole.at(tail.x, tail.y), kWhole.length(0.42), deck);
    canvas.draw_line(kWhole.at(nose.x * 0.8, nose.y * 0.8), kWhole.at(tail.x * 0.8, tail.y * 0.8),
                     kWhole.length(0.3), grip);
    return canvas.image();
}

// The marked square forbids goats, so it carries the "no goats" sign.
Raster no_goat_square() {
    Canvas canvas(kSize, kSize);
    draw_no_goat_sign(canvas, kWhole);
    return canvas.image();
}

// What is left once the supply is used up: the same drawing, grey and faded.
Raster greyed(Raster picture) {
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        std::uint8_t* p = &picture.rgba[i];
        const double grey = 24 + 0.5 * (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]);
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::lround(grey));
        p[3] = static_cast<std::uint8_t>(std::lround(p[3] * 0.8));
    }
    return picture;
}

// A goat square's disc, darker toward the goat, and its arrows: orange for
// clockwise, blue for counter-clockwise, as on the menu's goat buttons.
struct GoatLook {
    Rgba disc, centre, arrow;
};
const GoatLook kClockwiseLook{{245, 140, 30, 235}, {190, 94, 20, 235}, {255, 222, 140, 255}};
const GoatLook kCounterClockwiseLook{{56, 126, 232, 235}, {30, 74, 170, 235}, {176, 228, 255, 255}};

// One frame of a goat square; `turn` is +1 for clockwise on the picture and
// -1 for counter-clockwise, and the arrows are mirror images of each other.
Raster goat_square(int turn, int frame) {
    const GoatLook& look = turn > 0 ? kClockwiseLook : kCounterClockwiseLook;
    Canvas canvas(kSize, kSize);
    canvas.fill_circle(kWhole.at(0, 0), kWhole.length(0.97), kOutline);
    canvas.fill_circle(kWhole.at(0, 0), kWhole.length(0.92), look.disc);
    canvas.fill_circle(kWhole.at(0, 0), kWhole.length(0.6), look.centre);
    for (int arrow = 0; arrow < 3; ++arrow) {
        const double from = -90 + frame * kGoatFrameStepDegrees + arrow * 120.0, to = from + 72;
        if (turn > 0)
            draw_arc_arrow(canvas, kWhole, {0, 0}, 0.76, 0.13, from, to, look.arrow);
        else
            draw_arc_arrow(canvas, kWhole, {0, 0}, 0.76, 0.13, 180 - from, 180 - to, look.arrow);
    }
    draw_goat_head(canvas, {kWhole.at(0, 0), kWhole.length(0.78)});
    return canvas.image();
}

}  // namespace

std::vector<NamedPicture> draw_field_markers() {
    const Raster penguin = penguin_square(), skateboard = skateboard_square();
    return {{"fbdPengNOn.png", penguin},
            {"fbdPengNOff.png", greyed(penguin)},
            {"fbdPengSOn.png", skateboard},
            {"fbdPengSOff.png", greyed(skateboard)},
            {"fbdTarget.png", no_goat_square()}};
}

std::vector<NamedPicture> draw_goat_squares() {
    std::vector<NamedPicture> frames;
    for (int frame = 0; frame < 3; ++frame) {
        const std::string number = std::to_string(frame + 1);
        frames.push_back({"CWGoat" + number + ".png", goat_square(1, frame)});
        frames.push_back({"CCWGoat" + number + ".png", goat_square(-1, frame)});
    }
    return frames;
}

}  // namespace floebound::tools
