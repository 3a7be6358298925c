#include "hud_icons.h"

#include <cmath>

namespace {

constexpr Rgba kClear{0, 0, 0, 0};

// Token coordinates in pixels, converted to the canvas's unit square.
Point px(double x, double y) { return {x / kHudIconSize, y / kHudIconSize}; }
double len(double pixels) { return pixels / kHudIconSize; }

// A token is a narrow figure on a clear ground: the HUD blends icons by alpha
// 8 pixels apart, so each must let its neighbours show through. The penguin's
// back is steel blue so it reads over dark and light ground alike.
void draw_penguin(Canvas& canvas) {
    const Rgba back{96, 146, 220, 255}, belly{250, 252, 255, 255}, orange{255, 160, 40, 255};
    canvas.fill_ellipse(px(3.5, 28.6), len(3.3), len(1.4), orange);
    canvas.fill_ellipse(px(3.5, 19), len(3.5), len(9), back);
    canvas.fill_ellipse(px(3.5, 20.5), len(2.3), len(6.5), belly);
    canvas.fill_circle(px(3.5, 7.5), len(3.4), back);
    canvas.fill_circle(px(3.5, 8), len(1.6), belly);
    canvas.fill_triangle(px(2.3, 10), px(4.7, 10), px(3.5, 12.6), orange);
}

// A skateboard seen from above, nose up.
void draw_skateboard(Canvas& canvas) {
    const Rgba deck{255, 120, 50, 255}, grip{150, 60, 40, 255}, wheel{255, 240, 200, 255};
    for (double y : {8.5, 23.5})
        for (double x : {1.1, 5.9}) canvas.fill_circle(px(x, y), len(1.1), wheel);
    canvas.draw_line(px(3.5, 4), px(3.5, 28), len(5), deck);
    canvas.draw_line(px(3.5, 7), px(3.5, 25), len(2), grip);
}

// Horns swept back and ears out to the sides, so it does not pass for a hare.
void draw_goat(Canvas& canvas) {
    const Rgba horn{230, 190, 120, 255}, fur{240, 236, 224, 255}, eye{255, 210, 60, 255}, nose{150, 130, 120, 255};
    for (double side : {-1.0, 1.0}) {
        canvas.draw_line(px(3.5 + side * 1.2, 9.5), px(3.5 + side * 1.8, 5), len(1.5), horn);
        canvas.draw_line(px(3.5 + side * 1.8, 5), px(3.5 + side * 3.2, 6.5), len(1.3), horn);
        canvas.fill_ellipse(px(3.5 + side * 2.6, 12), len(1.1), len(0.8), fur);
    }
    canvas.fill_ellipse(px(3.5, 15.5), len(2.3), len(5.5), fur);
    canvas.fill_triangle(px(2.5, 20), px(4.5, 20), px(3.5, 25.5), fur);
    canvas.fill_circle(px(2.4, 13.3), len(0.75), eye);
    canvas.fill_circle(px(4.6, 13.3), len(0.75), eye);
    canvas.fill_ellipse(px(3.5, 19.3), len(1.3), len(0.8), nose);
}

// A used token keeps its shape in a faint grey, so the row still counts the
// whole supply.
Image dimmed(Image picture) {
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        std::uint8_t* p = &picture.rgba[i];
        const double grey = 0.4 * (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]);
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::lround(grey));
    }
    return picture;
}

Image token(void (*draw)(Canvas&)) {
    Canvas canvas(kHudIconSize, kHudIconSize);
    canvas.fill(kClear);
    draw(canvas);
    return canvas.image();
}

}  // namespace

std::vector<NamedPicture> draw_hud_icons() {
    const Image penguin = token(draw_penguin), skateboard = token(draw_skateboard), goat = token(draw_goat);
    return {{"hud/PengONs.png", penguin},       {"hud/PengOFFs.png", dimmed(penguin)},
            {"hud/SkatONs.png", skateboard},    {"hud/SkatOFFs.png", dimmed(skateboard)},
            {"hud/GoatONs.png", goat},          {"hud/GoatOFFs.png", dimmed(goat)}};
}
