#include "icon_art.h"

namespace floebound::tools {

namespace {

constexpr Rgba kIceBlue{150, 212, 238, 255};
constexpr Rgba kFloeWhite{230, 245, 252, 255};
constexpr Rgba kFeatherBlack{26, 28, 36, 255};
constexpr Rgba kFaceWhite{250, 251, 253, 255};
constexpr Rgba kBeakOrange{247, 148, 29, 255};
constexpr Rgba kCheekPink{246, 160, 170, 110};

}  // namespace

Raster draw_penguin_icon(int size) {
    Canvas canvas(size, size);
    canvas.fill(kIceBlue);
    canvas.fill_ellipse({0.5, 1.02}, 0.62, 0.17, kFloeWhite);

    canvas.fill_circle({0.5, 0.52}, 0.40, kFeatherBlack);
    // Two eye patches over a rounded chin make the classic heart-shaped mask.
    canvas.fill_circle({0.37, 0.50}, 0.17, kFaceWhite);
    canvas.fill_circle({0.63, 0.50}, 0.17, kFaceWhite);
    canvas.fill_ellipse({0.5, 0.66}, 0.27, 0.22, kFaceWhite);

    canvas.fill_circle({0.39, 0.49}, 0.065, kFeatherBlack);
    canvas.fill_circle({0.61, 0.49}, 0.065, kFeatherBlack);
    canvas.fill_circle({0.41, 0.47}, 0.02, kFaceWhite);
    canvas.fill_circle({0.63, 0.47}, 0.02, kFaceWhite);
    canvas.fill_circle({0.30, 0.63}, 0.045, kCheekPink);
    canvas.fill_circle({0.70, 0.63}, 0.045, kCheekPink);

    canvas.fill_ellipse({0.5, 0.59}, 0.10, 0.04, kBeakOrange);
    canvas.fill_triangle({0.40, 0.59}, {0.60, 0.59}, {0.5, 0.74}, kBeakOrange);
    return canvas.image();
}

}  // namespace floebound::tools
