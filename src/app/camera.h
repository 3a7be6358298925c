#pragma once

#include "app/vector3.h"

namespace floebound {

// What every drawing module needs to know about the view.
struct Camera {
    // Reads the window size from "screensize.txt" in the working directory.
    Camera();

    Vector3 eye;
    Vector3 target;
    Vector3 up;
    int screen_width, screen_height;
    int hud_depth;  // begin_hud calls not yet matched by end_hud
    // The modelview matrix (column order) as apply_camera left it: elements
    // 0, 4, 8 are the camera's right vector, 1, 5, 9 its up vector.
    float view_matrix[16];
};

// The one camera; constructed, and its size read, before main runs.
extern Camera camera;

// Window size from the text of a screensize file ("%d %d"): a value that cannot
// be read keeps what the camera holds, then sizes below 640 by 480 are raised.
void parse_screen_size(const char* text, Camera& cam);
// The same from a file; a file that does not open changes nothing.
void read_screen_size(const char* path, Camera& cam);
// The size a camera starts with, then read from the file at path.
void reread_screen_size(const char* path, Camera& cam);

void apply_camera(Camera& cam);

// 2-D drawing in window pixels, origin top left, y downward; nestable.
void begin_hud(Camera& cam);
void end_hud(Camera& cam);

}  // namespace floebound
