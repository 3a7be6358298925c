#include "app/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace floebound {

namespace {

constexpr int min_width = 640;
constexpr int min_height = 480;
constexpr std::size_t max_settings_bytes = 256;

// One "%d" conversion: leading white space, optional sign, digits. Unlike
// scanf it treats a number outside int range as unreadable instead of
// leaving the result undefined.
bool read_int(const char*& cursor, int& out) {
    const char* p = cursor;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
    out = static_cast<int>(value);
    cursor = end;
    return true;
}

}  // namespace

Camera::Camera()
    : eye{25, 50, 0},
      target{0, 0, 0},
      up{0, 1, 0},
      screen_width(min_width), screen_height(min_height),
      hud_depth(0),
      view_matrix{} {
    read_screen_size("screensize.txt", *this);
}

Camera camera;

void parse_screen_size(const char* text, Camera& cam) {
    const char* cursor = text;
    if (read_int(cursor, cam.screen_width)) read_int(cursor, cam.screen_height);
    if (cam.screen_width < min_width) cam.screen_width = min_width;
    if (cam.screen_height < min_height) cam.screen_height = min_height;
}

void read_screen_size(const char* path, Camera& cam) {
    std::FILE* file = std::fopen(path, "r");
    if (!file) return;
    char text[max_settings_bytes + 1];
    std::size_t length = std::fread(text, 1, max_settings_bytes, file);
    std::fclose(file);
    text[length] = '\0';
    parse_screen_size(text, cam);
}

void reread_screen_size(const char* path, Camera& cam) {
    cam.screen_width = min_width;
    cam.screen_height = min_height;
    read_screen_size(path, cam);
}

void apply_camera(Camera& cam) {
    glLoadIdentity();
    gluLookAt(cam.eye.x, cam.eye.y, cam.eye.z,
              cam.target.x, cam.target.y, cam.target.z,
              cam.up.x, cam.up.y, cam.up.z);
    glGetFloatv(GL_MODELVIEW_MATRIX, cam.view_matrix);
}

void begin_hud(Camera& cam) {
    if (cam.hud_depth++ != 0) return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, cam.screen_width, 0, cam.screen_height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, static_cast<float>(cam.screen_height), 0);
    glScalef(1, -1, 1);
    glDisable(GL_DEPTH_TEST);
}

void end_hud(Camera& cam) {
    if (cam.hud_depth <= 0) {
        std::printf("Assert failed: hud depth already ended.\n");
        return;
    }
    if (cam.hud_depth == 1) {
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    --cam.hud_depth;
}

}  // namespace floebound
