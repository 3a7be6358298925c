// The ground as written into the game folder: the height map the terrain is
// built from and the snow texture laid over every cell of it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "picture_files.h"

namespace {

int green(const Picture& map, int column, int row) { return map.at(column, row)[1]; }

double luminance(const std::uint8_t* p) { return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]; }

// Mean brightness difference between pixel line i and the next one, wrapping
// round: columns, or rows when `across_rows`. For square pictures.
double line_step(const Picture& picture, int i, bool across_rows) {
    const int n = picture.width, next = (i + 1) % n;
    double sum = 0;
    for (int j = 0; j < n; ++j) {
        const std::uint8_t* a = across_rows ? picture.at(j, i) : picture.at(i, j);
        const std::uint8_t* b = across_rows ? picture.at(j, next) : picture.at(next, j);
        sum += std::fabs(luminance(a) - luminance(b));
    }
    return sum / n;
}

}  // namespace

TEST(FieldHeightMap, IsFlatExactlyOnTheFieldAndGentlyRollingAroundIt) {
    const Picture map = read_png("data/field.png");
    ASSERT_EQ(map.colour_type, 6) << "8-bit RGBA";
    ASSERT_EQ(map.width, 16);
    ASSERT_EQ(map.height, 16);
    int hills = 0, dips = 0, steepest = 0;
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            SCOPED_TRACE("grid point " + std::to_string(column) + "," + std::to_string(row));
            EXPECT_EQ(map.at(column, row)[3], 255);
            const int g = green(map, column, row);
            // Points 4..12 are the corners of the 8 by 8 field's cells.
            const bool on_field = column >= 4 && column <= 12 && row >= 4 && row <= 12;
            if (on_field) {
                EXPECT_EQ(g, 128);
            } else {
                EXPECT_NE(g, 128) << "flat ground off the field would get grid lines";
                EXPECT_GE(g, 100);
                EXPECT_LE(g, 170);
            }
            hills += g > 128;
            dips += g < 128;
            if (column + 1 < 16) steepest = std::max(steepest, std::abs(g - green(map, column + 1, row)));
            if (row + 1 < 16) steepest = std::max(steepest, std::abs(g - green(map, column, row + 1)));
        }
    }
    EXPECT_GT(hills, 0);
    EXPECT_GT(dips, 0);
    EXPECT_LE(steepest, 32) << "a slope steeper than one in two between points 64 units apart";
}

TEST(GroundTexture, IsBrightQuietSnowThatRepeatsWithoutASeam) {
    const Picture ground = read_png("data/grass4.png");
    ASSERT_EQ(ground.colour_type, 6) << "8-bit RGBA";
    ASSERT_EQ(ground.width, ground.height);
    ASSERT_GE(ground.width, 64);
    EXPECT_EQ(ground.width & (ground.width - 1), 0) << "power of two";

    double sum = 0, sum_squares = 0;
    for (int y = 0; y < ground.height; ++y) {
        for (int x = 0; x < ground.width; ++x) {
            ASSERT_EQ(ground.at(x, y)[3], 255) << x << "," << y;
            const double l = luminance(ground.at(x, y));
            sum += l;
            sum_squares += l * l;
        }
    }
    const double count = ground.width * ground.height;
    const double mean = sum / count, spread = std::sqrt(sum_squares / count - mean * mean);
    // The game lights it, so it starts out near white; a little texture, no loud pattern.
    EXPECT_GT(mean, 200);
    EXPECT_GT(spread, 1.0);
    EXPECT_LT(spread, 20.0);

    // The last column runs on into the first, and the last row into the first,
    // as smoothly as neighbours inside do.
    for (bool across_rows : {false, true}) {
        double inside = 0;
        for (int i = 0; i + 1 < ground.width; ++i) inside += line_step(ground, i, across_rows);
        inside /= ground.width - 1;
        EXPECT_LT(line_step(ground, ground.width - 1, across_rows), 2 * inside) << (across_rows ? "rows" : "columns");
    }
}
