#pragma once

#include <utility>

// The window of a terrain drawing test, square, with the texture pool made.
void open_terrain_window(int side);

// The game's projection and light with the eye 1000 above the origin, looking
// down: +x to the right of the window and +z down it.
void look_from_above();

// Window pixel (column, row from the top left) where a world point lands under
// the current matrices; fails the test when it is off screen.
std::pair<int, int> window_pixel(float x, float y, float z);
