#include "above_view.h"

#include "gl_window.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace floebound;

void open_terrain_window(int side) {
    open_gl_window(side, side);
    if (gl_window_width() == side) init_texture_pool();
}

void look_from_above() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 2.0, 1600.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat black[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1}, direction[] = {2, 5, 5, 0};
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    gluLookAt(0, 1000, 0, 0, 0, 0, 0, 0, -1);
}

std::pair<int, int> window_pixel(float x, float y, float z) {
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
    GLdouble wx = 0, wy = 0, wz = 0;
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    const int width = gl_window_width(), height = gl_window_height();
    const int column = static_cast<int>(std::floor(wx));
    const int row = height - 1 - static_cast<int>(std::floor(wy));
    EXPECT_TRUE(column >= 2 && column < width - 2 && row >= 2 && row < height - 2) << x << "," << z << " is off screen";
    return {column, row};
}
