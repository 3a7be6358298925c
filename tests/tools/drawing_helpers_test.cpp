// The lettering and shape helpers the generated pictures are drawn with.

#include <gtest/gtest.h>

#include <cmath>

#include "poster_layout.h"
#include "raster.h"
#include "text_render.h"

using namespace floebound::tools;

namespace {

int painted_pixels(const Raster& image) {
    int painted = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) painted += image.pixel(x, y).a != 0;
    return painted;
}

}  // namespace

TEST(TextRender, LettersLandInTheirColourInsideTheMeasuredBoxAndFitWhenAsked) {
    const TextStyle style{20, {250, 40, 40, 255}, true};
    const TextSize size = measure_text("Goat CCW", style);
    EXPECT_GT(size.width, measure_text("Goat", style).width);
    EXPECT_GT(size.height, 10);

    Raster image = blank_picture(200, 60);
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

    // Hanging off the picture's edge is cut off, not an error, and what
    // falls inside is still drawn.
    Raster corner = blank_picture(16, 16);
    draw_text(corner, "Goat", style, -20, -8);
    EXPECT_GT(painted_pixels(corner), 0);

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

TEST(Blending, OverKeepsStraightAlphaAndWeighsByCoverage) {
    Raster image = blank_picture(3, 1);
    image.rgba = {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255};
    blend_over(image, 0, 0, {255, 0, 0, 255}, 0.5);
    blend_over(image, 1, 0, {255, 0, 0, 128});
    blend_over(image, 2, 0, {255, 0, 0, 0});
    const Rgba half_covered = image.pixel(0, 0), onto_clear = image.pixel(1, 0), unchanged = image.pixel(2, 0);
    EXPECT_NEAR(half_covered.r, 128, 1);
    EXPECT_NEAR(half_covered.b, 128, 1);
    EXPECT_EQ(half_covered.a, 255);
    // Over nothing, the colour stays whole and only the alpha says how much.
    EXPECT_EQ(onto_clear.r, 255);
    EXPECT_EQ(onto_clear.b, 0);
    EXPECT_EQ(onto_clear.a, 128);
    EXPECT_EQ(unchanged.b, 255);
    EXPECT_EQ(unchanged.r, 0);
}

TEST(Blending, PasteCutsOffWhatFallsOutsideThePicture) {
    Canvas art(4, 4);
    art.fill({10, 200, 30, 255});
    Raster picture = blank_picture(6, 6);
    paste(picture, art.image(), 4, -2);
    EXPECT_EQ(painted_pixels(picture), 2 * 2);
    EXPECT_EQ(picture.pixel(5, 1).g, 200);
    EXPECT_EQ(picture.pixel(5, 1).a, 255);
    EXPECT_EQ(picture.pixel(3, 1).a, 0);
    EXPECT_EQ(picture.pixel(5, 2).a, 0);
}

TEST(PanelOutline, DistanceIsNegativeInsideZeroOnTheEdgeAndRoundAtTheCorners) {
    const PixelRect panel{10, 20, 110, 80};
    EXPECT_FLOAT_EQ(distance_to_panel(60, 50, panel, 8), -30);
    EXPECT_FLOAT_EQ(distance_to_panel(10, 50, panel, 8), 0);
    EXPECT_FLOAT_EQ(distance_to_panel(60, 85, panel, 8), 5);
    // The square corner itself lies outside the rounded one.
    const float corner = distance_to_panel(10, 20, panel, 8);
    EXPECT_NEAR(corner, 8 * std::sqrt(2.0f) - 8, 1e-4f);
}
