#include "front_view.h"

#include "app/camera.h"
#include "gl_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

using namespace floebound;

void look_from_front(float distance, float grey) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, static_cast<double>(gl_window_width()) / gl_window_height(), 2, 1600);
    glMatrixMode(GL_MODELVIEW);
    camera.eye.x = 0;
    camera.eye.y = 0;
    camera.eye.z = distance;
    apply_camera(camera);
    glClearColor(grey, grey, grey, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

PixelPosition pixel_of(float x, float y, float z) {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble window_x = 0;
    GLdouble window_y = 0;
    GLdouble window_z = 0;
    gluProject(x, y, z, modelview, projection, viewport, &window_x, &window_y, &window_z);
    // Window coordinates count rows from the bottom.
    return {static_cast<int>(std::floor(window_x)), gl_window_height() - 1 - static_cast<int>(std::floor(window_y))};
}

std::vector<std::array<std::uint8_t, 4>> read_window() {
    const int width = gl_window_width();
    const int height = gl_window_height();
    std::vector<std::array<std::uint8_t, 4>> bottom_up(static_cast<std::size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    std::vector<std::array<std::uint8_t, 4>> pixels(bottom_up.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = bottom_up[static_cast<std::size_t>(height - 1 - y) * width + x];
    return pixels;
}
