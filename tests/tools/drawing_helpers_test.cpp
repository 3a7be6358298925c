// The lettering and shape helpers the generated pictures are drawn with.

#include <gtest/gtest.h>

#include <cmath>

#include "text_render.h"

namespace {

Image blank(int width, int height) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 0)};
}

}  // namespace

TEST(TextRender, LettersLandInTheirColourInsideTheMeasuredBoxAndFitWhenAsked) {
    const TextStyle style{20, {250, 40, 40, 255}, true};
    const TextSize size = measure_text("Goat CCW", style);
    EXPECT_GT(size.width, measure_text("Goat", style).width);
    EXPECT_GT(size.height, 10);

    Image image = blank(200, 60);
    const int left = 10, top = 12;
    draw_text(image, "Goat CCW", style, left, top);
    int inside = 0, outside = 0, off_colour = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.pixel(x, y);
            if (p.a == 0) continue;
            const bool in_box = x >= left && x < left + size.width && y >= top && y < top + size.height;
            (in_box ? inside : outside)++;
            off_colour += p.r != 250 || p.g != 40 || p.b != 40;
        }
    }
    EXPECT_GT(inside, size.width * size.height / 8);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(off_colour, 0) << "coverage goes into alpha only";

    // Hanging off the picture's edge is cut off, not an error.
    Image corner = blank(16, 16);
    draw_text(corner, "Goat", style, -20, -8);

    const TextStyle fitted = fit_text("Skateboard", {40, {255, 255, 255, 255}, true}, 60);
    EXPECT_LT(fitted.point_size, 40);
    EXPECT_LE(measure_text("Skateboard", fitted).width, 60);
    EXPECT_EQ(fit_text("Stay", style, 200).point_size, style.point_size) << "short text keeps its size";
}

TEST(Canvas, ArcsTurnTheWayTheirAnglesRun) {
    const double quarter = std::acos(0.0);
    const Rgba ink{255, 255, 255, 255};
    // y points down, so from +x toward +y is the lower right quarter on screen.
    for (auto [from, to] : {std::pair{0.0, quarter}, std::pair{quarter, 0.0}}) {
        Canvas canvas(64, 64);
        canvas.draw_arc({0.5, 0.5}, 0.3, 0.1, from, to, ink);
        const double d = 0.3 * std::sqrt(0.5);
        EXPECT_EQ(canvas.image().pixel(static_cast<int>((0.5 + d) * 64), static_cast<int>((0.5 + d) * 64)).a, 255);
        EXPECT_EQ(canvas.image().pixel(static_cast<int>((0.5 + d) * 64), static_cast<int>((0.5 - d) * 64)).a, 0);
        EXPECT_EQ(canvas.image().pixel(static_cast<int>((0.5 - d) * 64), static_cast<int>((0.5 + d) * 64)).a, 0);
    }
}
