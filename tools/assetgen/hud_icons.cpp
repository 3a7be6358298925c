#include "hud_icons.h"

#include <algorithm>
#include <cmath>

namespace floebound::tools {

namespace {

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kOutline{10, 16, 30, 255};
// The figures stand within columns 1 to kHudTokenWidth - 2, leaving the
// token's outer columns to the outline.
constexpr double kMiddle = kHudTokenWidth / 2.0;

// Token coordinates in pixels, converted to the canvas's unit square.
Point px(double x, double y) { return {x / kHudIconSize, y / kHudIconSize}; }
double len(double pixels) { return pixels / kHudIconSize; }

// A token is a narrow figure on a clear ground: the HUD blends icons by alpha
// 8 pixels apart, so each must let its neighbours show through. Dark blue
// back, white belly: it reads on the pale sky and, outlined, on snow.
void draw_penguin(Canvas& canvas) {
    const Rgba back{44, 78, 150, 255}, belly{250, 252, 255, 255}, orange{255, 150, 30, 255};
    canvas.fill_ellipse(px(kMiddle, 28.3), len(2.9), len(1.4), orange);
    canvas.fill_ellipse(px(kMiddle, 18.5), len(3), len(9), back);
    canvas.fill_ellipse(px(kMiddle, 20), len(2), len(6.5), belly);
    canvas.fill_circle(px(kMiddle, 6.5), len(3), back);
    canvas.fill_circle(px(kMiddle, 7), len(1.4), belly);
    canvas.fill_triangle(px(kMiddle - 1.1, 9), px(kMiddle + 1.1, 9), px(kMiddle, 11.6), orange);
}

// A skateboard seen from above, nose up.
void draw_skateboard(Canvas& canvas) {
    const Rgba deck{255, 120, 40, 255}, grip{120, 40, 30, 255}, wheel{255, 240, 200, 255};
    for (double y : {8.5, 22.5})
        for (double side : {-1.0, 1.0}) canvas.fill_circle(px(kMiddle + side * 2.1, y), len(0.9), wheel);
    canvas.draw_line(px(kMiddle, 4), px(kMiddle, 27), len(4.2), deck);
    canvas.draw_line(px(kMiddle, 7), px(kMiddle, 24), len(1.8), grip);
}

// Horns swept back and ears out to the sides, so it does not pass for a hare.
void draw_goat(Canvas& canvas) {
    const Rgba horn{200, 150, 80, 255}, fur{244, 240, 230, 255}, eye{70, 46, 20, 255}, nose{236, 150, 150, 255};
    for (double side : {-1.0, 1.0}) {
        canvas.draw_line(px(kMiddle + side * 1, 9.5), px(kMiddle + side * 1.5, 5), len(1.4), horn);
        canvas.draw_line(px(kMiddle + side * 1.5, 5), px(kMiddle + side * 2.4, 6.3), len(1.2), horn);
        canvas.fill_ellipse(px(kMiddle + side * 2.2, 12), len(0.8), len(0.8), fur);
    }
    canvas.fill_ellipse(px(kMiddle, 15.5), len(2.1), len(5.5), fur);
    canvas.fill_triangle(px(kMiddle - 1, 20), px(kMiddle + 1, 20), px(kMiddle, 25.5), fur);
    canvas.fill_circle(px(kMiddle - 1, 13.3), len(0.7), eye);
    canvas.fill_circle(px(kMiddle + 1, 13.3), len(0.7), eye);
    canvas.fill_ellipse(px(kMiddle, 19.3), len(1.2), len(0.8), nose);
}

// A dark rim a pixel wide round the figure, so it stands out on pale sky and
// on snow alike: every pixel is laid over the outline colour, solidly next to
// any pixel the figure covers at least half, so thin horns and soft edges
// get a whole rim too.
Raster outlined(const Raster& figure) {
    Raster picture = blank_picture(figure.width, figure.height);
    for (int y = 0; y < figure.height; ++y)
        for (int x = 0; x < figure.width; ++x) {
            std::uint8_t around = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < figure.width && ny < figure.height)
                        around = std::max(around, figure.pixel(nx, ny).a);
                }
            blend_over(picture, x, y, kOutline, std::min(1.0, 2.0 * around / 255.0));
            blend_over(picture, x, y, figure.pixel(x, y));
        }
    return picture;
}

// A used token keeps its shape in a faint grey, so the row still counts the
// whole supply.
Raster dimmed(Raster picture) {
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        std::uint8_t* p = &picture.rgba[i];
        const double grey = 0.4 * (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]);
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::lround(grey));
    }
    return picture;
}

Raster token(void (*draw)(Canvas&)) {
    Canvas canvas(kHudIconSize, kHudIconSize);
    canvas.fill(kClear);
    draw(canvas);
    return outlined(canvas.image());
}

}  // namespace

std::vector<NamedPicture> draw_hud_icons() {
    const Raster penguin = token(draw_penguin), skateboard = token(draw_skateboard), goat = token(draw_goat);
    return {{"hud/PengONs.png", penguin},       {"hud/PengOFFs.png", dimmed(penguin)},
            {"hud/SkatONs.png", skateboard},    {"hud/SkatOFFs.png", dimmed(skateboard)},
            {"hud/GoatONs.png", goat},          {"hud/GoatOFFs.png", dimmed(goat)}};
}

}  // namespace floebound::tools
