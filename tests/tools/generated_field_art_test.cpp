// The pictures laid on the field's squares and the HUD's supply tokens as
// written into the game folder.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "picture_files.h"

namespace {

constexpr double kPi = 3.14159265358979;

double luminance(const std::uint8_t* p) { return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]; }

// Light the picture adds where it is blended in.
double light(const Picture& picture) {
    double sum = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) sum += luminance(picture.at(x, y)) * picture.at(x, y)[3] / 255.0;
    return sum;
}

// How far the picture leans to yellow (positive) or to blue (negative), on
// average over what it covers: the colour axis left to a red-green-blind eye.
double yellow_over_blue(const Picture& picture) {
    double sum = 0, coverage = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.at(x, y);
            sum += ((p[0] + p[1]) / 2.0 - p[2]) * p[3];
            coverage += p[3];
        }
    return coverage > 0 ? sum / coverage : 0;
}

Picture read_square(const std::string& name) {
    Picture picture = read_png("data/" + name + ".png");
    EXPECT_EQ(picture.colour_type, 6) << name << ": 8-bit RGBA";
    EXPECT_EQ(picture.width, picture.height) << name;
    EXPECT_GE(picture.width, 64) << name;
    EXPECT_EQ(picture.width & (picture.width - 1), 0) << name << ": power of two";
    return picture;
}

// The square as the player sees it from above. The field lays the picture
// over the square with texture coordinate (b, 1 - a) where a runs along +x
// and b along +z; looking down, with +x to the right, +z points down the
// screen. Returns the top view with the same size as the picture, luminance
// times coverage.
std::vector<double> seen_from_above(const Picture& picture) {
    const int n = picture.width;
    std::vector<double> view(static_cast<std::size_t>(n) * n);
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < n; ++column) {
            const double a = (column + 0.5) / n, b = (row + 0.5) / n;
            const int s = static_cast<int>(b * n), t = static_cast<int>((1 - a) * n);
            const std::uint8_t* p = picture.at(s, t);
            view[static_cast<std::size_t>(row) * n + column] = luminance(p) * p[3] / 255.0;
        }
    return view;
}

// How far `later` differs from `earlier` turned by `degrees` clockwise on the
// screen, over the ring where the arrows run.
double ring_difference(const std::vector<double>& earlier, const std::vector<double>& later, int n, double degrees) {
    const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180), half = n / 2.0;
    double sum = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double dx = x + 0.5 - half, dy = y + 0.5 - half;
            const double radius = std::hypot(dx, dy) / half;
            if (radius < 0.66 || radius > 0.9) continue;
            // Screen y points down, so a clockwise turn takes angle θ to θ + degrees;
            // the earlier frame's pixel that lands here came from θ - degrees.
            const int ex = static_cast<int>(std::floor(half + c * dx + s * dy));
            const int ey = static_cast<int>(std::floor(half - s * dx + c * dy));
            const double was = earlier[static_cast<std::size_t>(ey) * n + ex];
            sum += std::fabs(later[static_cast<std::size_t>(y) * n + x] - was);
        }
    return sum;
}

// The best match of `later` against `earlier` turned by up to 55 degrees one
// way: the arrows repeat every 120 degrees, and the eye follows the smaller
// movement.
double best_turn(const std::vector<double>& earlier, const std::vector<double>& later, int n, double sense) {
    double best = 1e300;
    for (int degrees = 5; degrees <= 55; degrees += 5)
        best = std::min(best, ring_difference(earlier, later, n, sense * degrees));
    return best;
}

}  // namespace

TEST(FieldMarkers, SuppliedSquaresLightUpAndUsedUpOnesAreGrey) {
    for (const char* kind : {"fbdPengN", "fbdPengS"}) {
        SCOPED_TRACE(kind);
        const Picture on = read_square(std::string(kind) + "On"), off = read_square(std::string(kind) + "Off");
        ASSERT_EQ(on.width, off.width);
        EXPECT_GT(light(on), 1.25 * light(off));
        int coloured = 0;
        for (int y = 0; y < off.height; ++y)
            for (int x = 0; x < off.width; ++x) {
                const std::uint8_t* p = off.at(x, y);
                coloured += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 12 && p[3] > 0;
            }
        EXPECT_EQ(coloured, 0) << "no colour left on the used-up square";
        EXPECT_EQ(on.at(0, 0)[3], 0) << "clear around the marker";
        EXPECT_EQ(on.at(on.width / 2, on.height / 2)[3], 255) << "solid where it is drawn";
    }
    const Picture penguin = read_square("fbdPengNOn"), skateboard = read_square("fbdPengSOn");
    EXPECT_NE(penguin.rgba, skateboard.rgba);

    // The marked square forbids goats: a goat in a red ring, struck through
    // one way only, so it cannot pass for a bull's eye's rings.
    const Picture sign = read_square("fbdTarget");
    const int n = sign.width;
    EXPECT_EQ(sign.at(0, 0)[3], 0);
    const auto at = [&](double x, double y) {
        return sign.at(static_cast<int>((0.5 + x / 2) * n), static_cast<int>((0.5 + y / 2) * n));
    };
    const auto red = [](const std::uint8_t* p) { return p[0] > 180 && p[1] < 90 && p[2] < 90 && p[3] == 255; };
    for (auto [x, y] : {std::pair{0.82, 0.0}, {-0.82, 0.0}, {0.0, 0.82}, {0.0, -0.82}})
        EXPECT_TRUE(red(at(x, y))) << "the ring at " << x << "," << y;
    EXPECT_TRUE(red(at(0.35, 0.35)) && red(at(-0.35, -0.35))) << "the stroke";
    EXPECT_FALSE(red(at(0.35, -0.35)) || red(at(-0.35, 0.35))) << "struck through once, not ringed";
    int drawn_inside = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            drawn_inside += std::hypot(x - n / 2.0, y - n / 2.0) < 0.3 * n && luminance(sign.at(x, y)) < 60;
    EXPECT_GT(drawn_inside, n * n / 200) << "the goat's dark outline inside the sign";
}

TEST(GoatSquares, ArrowsKeepTurningTheGoatsWayAsSeenFromAbove) {
    std::vector<Picture> cw, ccw;
    for (int frame = 1; frame <= 3; ++frame) {
        cw.push_back(read_square("CWGoat" + std::to_string(frame)));
        ccw.push_back(read_square("CCWGoat" + std::to_string(frame)));
    }
    const int n = cw[0].width;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        ASSERT_EQ(cw[i].width, n);
        ASSERT_EQ(ccw[i].width, n);
        EXPECT_NE(cw[i].rgba, cw[(i + 1) % 3].rgba);
        EXPECT_NE(ccw[i].rgba, ccw[(i + 1) % 3].rgba);
        // Counter-clockwise frames are the clockwise ones in a mirror, in
        // another colour: their light arrows and goat match.
        const auto light_part = [](const std::uint8_t* p) { return p[3] > 200 && luminance(p) > 170; };
        int mirror_mismatch = 0, light_pixels = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                light_pixels += light_part(cw[i].at(x, y));
                mirror_mismatch += light_part(cw[i].at(x, y)) != light_part(ccw[i].at(n - 1 - x, y));
            }
        EXPECT_GT(light_pixels, n * n / 10);
        EXPECT_LT(mirror_mismatch, light_pixels / 50);
        // Told apart at a glance by colour too, also by an eye that cannot
        // tell red from green: it still sees yellow against blue.
        EXPECT_GT(yellow_over_blue(cw[i]) - yellow_over_blue(ccw[i]), 60);
    }
    // Frames play 1, 2, 3, 1, ...: every step, the wrap included, turns the
    // arrows clockwise on a clockwise square.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        const int next = (i + 1) % 3;
        const auto cw_now = seen_from_above(cw[i]), cw_next = seen_from_above(cw[next]);
        EXPECT_LT(2 * best_turn(cw_now, cw_next, n, 1), best_turn(cw_now, cw_next, n, -1)) << "clockwise";
        const auto ccw_now = seen_from_above(ccw[i]), ccw_next = seen_from_above(ccw[next]);
        EXPECT_LT(2 * best_turn(ccw_now, ccw_next, n, -1), best_turn(ccw_now, ccw_next, n, 1)) << "counter-clockwise";
    }
}

// The HUD blends these by alpha and sets them 8 pixels apart, each later one
// further left and over the earlier ones.
TEST(HudIcons, BrightOutlinedTokensThatDoNotRunIntoTheirNeighbours) {
    for (const char* kind : {"Peng", "Skat", "Goat"}) {
        SCOPED_TRACE(kind);
        const Picture on = read_png(std::string("data/hud/") + kind + "ONs.png");
        const Picture off = read_png(std::string("data/hud/") + kind + "OFFs.png");
        for (const Picture* icon : {&on, &off}) {
            ASSERT_EQ(icon->colour_type, 6);
            ASSERT_EQ(icon->width, 32);
            ASSERT_EQ(icon->height, 32);
            int covering_beyond_token = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 8; x < 32; ++x) covering_beyond_token += icon->at(x, y)[3] != 0;
            EXPECT_EQ(covering_beyond_token, 0) << "the neighbour 8 pixels on must show through";
            // Pale sky or snow lies round the token: a light figure needs a
            // dark rim wherever it would meet the clear ground.
            int unrimmed = 0, rim = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const std::uint8_t* p = icon->at(x, y);
                    rim += p[3] == 255 && luminance(p) < 40;
                    if (p[3] < 200 || luminance(p) < 100) continue;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int nx = x + dx, ny = y + dy;
                            unrimmed += nx < 0 || ny < 0 || nx >= 32 || ny >= 32 || icon->at(nx, ny)[3] < 200;
                        }
                }
            EXPECT_EQ(unrimmed, 0);
            EXPECT_GT(rim, 40);
        }
        EXPECT_GT(light(on), 1.8 * light(off)) << "an available token outshines a used one";
        EXPECT_GT(light(off), 0.0) << "a used token still shows";
        EXPECT_GT(light(on), 32 * 32 * 255 / 20.0) << "a bright figure";
    }
}
