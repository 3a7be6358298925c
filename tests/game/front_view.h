#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The game's perspective (45 degrees, near 2, far 1600) with the camera on +z
// at the given distance, looking at the origin: right is +x and up is +y.
// Sets the camera, applies it and clears to the given grey.
void look_from_front(float distance, float grey);

// The window pixel, counted from the top left, at the centre of which a world
// point lands under the current matrices.
struct PixelPosition {
    int x, y;
};
PixelPosition pixel_of(float x, float y, float z);

// Every pixel of the window, row by row from the top, RGBA.
std::vector<std::array<std::uint8_t, 4>> read_window();
