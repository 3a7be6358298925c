#pragma once

#include <array>
#include <cstdint>

// A real OpenGL window for drawing tests (SDL 1.2, windowed, on the X display
// the test runs under). Fails the test loudly when there is no display.
void open_gl_window(int width, int height);

// The colour at a window pixel, counted from the top-left corner as the HUD
// counts, read back from the back buffer.
std::array<std::uint8_t, 4> pixel_at(int x, int y);

int gl_window_width();
int gl_window_height();
