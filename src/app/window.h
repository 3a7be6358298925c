#pragma once

// Start-up shared by the game and the frame benchmark. The texture pool lives
// in media, which the shell does not depend on, so callers make it in between:
//   open_window(); set_view_state(); init_texture_pool(); set_light();

// The full-screen window at the camera's size, where 640 by 480 stands for the
// desktop's size; falls back to 640 by 480 when the mode is refused.
void open_window();

// Viewport, clear colour, depth test, shading and both matrices.
void set_view_state();

// The one directional light.
void set_light();
