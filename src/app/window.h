#pragma once

#include <string>

namespace floebound {

// Start-up shared by the game and the frame benchmark. The texture pool lives
// in media, which the shell does not depend on, so callers make it in between:
//   open_window(windowed, error); set_view_state(); init_texture_pool(); set_light();

struct WindowSize {
    int width, height;
};

// The window's size when not full screen: the configured size (the camera's,
// from the screensize file), or 1280 by 720 while that is 640 by 480, which
// stands for the desktop; never larger than a known desktop.
WindowSize windowed_size(WindowSize configured, WindowSize desktop);

// Full screen at the camera's size, where 640 by 480 stands for the desktop's
// size, falling back to 640 by 480 when the mode is refused; when windowed, a
// window of windowed_size instead. When the mode asked for cannot be had at
// all, the other one. The camera takes the size that was set. False, with
// the line to print, when SDL gives no OpenGL window in either mode.
[[nodiscard]] bool open_window(bool windowed, std::string& error);

// Between full screen and the window. The OpenGL context, and with it every
// texture and the light, survives; the camera's size and the view state follow
// the new mode. A refused mode leaves everything as it was.
void toggle_window_mode();

// Viewport, clear colour, depth test, shading and both matrices.
void set_view_state();

// The one directional light.
void set_light();

}  // namespace floebound
