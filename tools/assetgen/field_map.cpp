#include "field_map.h"

#include <algorithm>
#include <cmath>

#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kMapSize = 16;
constexpr int kFieldFirst = 4;
constexpr int kFieldLast = 12;
constexpr unsigned kSeed = 4111;

// Steps from the flat square, counted like a king's moves: 0 on the field.
int distance_from_field(int column, int row) {
    const auto outside = [](int i) { return std::max({kFieldFirst - i, i - kFieldLast, 0}); };
    return std::max(outside(column), outside(row));
}

// A low snow bank rings the field so its edge reads clearly, then the ground
// rolls freely further out; heights stay gentle next to 64-unit spacing.
int height_at(int column, int row) {
    const int distance = distance_from_field(column, row);
    if (distance == 0) return 0;
    const float bank[] = {0.0f, 7.0f, 14.0f, 12.0f, 6.0f};
    const float roll[] = {0.0f, 3.0f, 14.0f, 26.0f, 34.0f};
    const float noise = fractal_noise({column * 0.27f, row * 0.27f, 0.5f}, 3, kSeed) * 2.0f;
    const float height = std::clamp(bank[distance] + roll[distance] * noise, -28.0f, 42.0f);
    const int rounded = static_cast<int>(std::lround(height));
    // Height 0 off the field would grow stray grid lines there.
    if (rounded == 0) return height < 0 ? -1 : 1;
    return rounded;
}

}  // namespace

Raster draw_field_height_map() {
    Raster map{kMapSize, kMapSize, {}};
    map.rgba.reserve(kMapSize * kMapSize * 4);
    for (int row = 0; row < kMapSize; ++row) {
        for (int column = 0; column < kMapSize; ++column) {
            const auto level = static_cast<std::uint8_t>(128 + height_at(column, row));
            map.rgba.insert(map.rgba.end(), {level, level, level, 255});
        }
    }
    return map;
}

}  // namespace floebound::tools
