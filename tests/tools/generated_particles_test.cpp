// The particle sprite sheet as written into the game folder: 4 by 4 cells,
// the flame in cell 8 and the cow's puff in cell 15, white so the particle
// colours tint them, clear along every cell border so no sprite bleeds into
// its neighbour when the game filters the texture.

#include <gtest/gtest.h>

#include <cmath>

#include "picture_files.h"

namespace {

constexpr int kCells = 4;

struct Cell {
    const Picture& sheet;
    int index;

    int size() const { return sheet.width / kCells; }
    const std::uint8_t* at(int x, int y) const {
        return sheet.at(index % kCells * size() + x, index / kCells * size() + y);
    }
};

}  // namespace

TEST(ParticleSheet, IsASquareOfSixteenCellsEachClearAlongItsBorder) {
    const Picture sheet = read_png("data/particle.png");
    ASSERT_EQ(sheet.colour_type, 6) << "8-bit RGBA";
    EXPECT_EQ(sheet.width, sheet.height);
    EXPECT_EQ(sheet.width & (sheet.width - 1), 0) << "power of two";
    ASSERT_GE(sheet.width, 64);
    for (int index = 0; index < kCells * kCells; ++index) {
        const Cell cell{sheet, index};
        int opaque_border = 0;
        for (int i = 0; i < cell.size(); ++i)
            for (int band = 0; band < 2; ++band)
                opaque_border += cell.at(i, band)[3] + cell.at(i, cell.size() - 1 - band)[3] + cell.at(band, i)[3] +
                                     cell.at(cell.size() - 1 - band, i)[3] >
                                 0;
        EXPECT_EQ(opaque_border, 0) << "cell " << index;
    }
}

TEST(ParticleSheet, FlameAndPuffAreSoftWhiteSprites) {
    const Picture sheet = read_png("data/particle.png");
    for (int index : {8, 15}) {
        SCOPED_TRACE("cell " + std::to_string(index));
        const Cell cell{sheet, index};
        const int n = cell.size();
        int visible = 0, strong = 0, tinted = 0, soft = 0;
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const std::uint8_t* c = cell.at(x, y);
                visible += c[3] > 25;
                strong += c[3] > 200;
                soft += c[3] > 25 && c[3] < 200;
                // Near white wherever it shows, so the particle colour decides the hue.
                tinted += c[3] > 128 && (c[0] < 200 || c[1] < 200 || c[2] < 120);
            }
        }
        EXPECT_GT(visible, n * n / 8) << "a sprite fills a good part of its cell";
        EXPECT_GT(strong, 0) << "with a solid middle";
        EXPECT_GT(soft, n) << "and a soft edge";
        EXPECT_EQ(tinted, 0);
        EXPECT_GT(cell.at(n / 2, n / 2)[3], cell.at(n / 2 + n * 3 / 8, n / 2)[3]) << "fading outward";
    }
}
