#include "app/window.h"

#include "app/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

namespace {

constexpr Uint32 video_flags = SDL_FULLSCREEN | SDL_OPENGL | SDL_HWSURFACE;

}  // namespace

void open_window() {
    // 640 by 480, given or defaulted, stands for "the desktop's size".
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (camera.screen_width == 640 && camera.screen_height == 480) {
        camera.screen_width = desktop->current_w;
        camera.screen_height = desktop->current_h;
    }
    if (!SDL_SetVideoMode(camera.screen_width, camera.screen_height, 0, video_flags)) {
        camera.screen_width = 640;
        camera.screen_height = 480;
        SDL_SetVideoMode(camera.screen_width, camera.screen_height, 0, video_flags);
    }
    SDL_WM_SetCaption("Floebound by Kelpworks", nullptr);
    if (SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFile("data/icon.bmp", "rb"), 1))
        SDL_WM_SetIcon(icon, nullptr);
}

void set_view_state() {
    glViewport(0, 0, camera.screen_width, camera.screen_height);
    glClearColor(0.7f, 0.9f, 1.0f, 0.0f);
    glClearDepth(1.0);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(camera.screen_width) / camera.screen_height, 2.0, 1600.0);
    glMatrixMode(GL_MODELVIEW);
}

void set_light() {
    // Given while the modelview is the identity, so the light keeps a fixed
    // direction relative to the viewer.
    const GLfloat ambient[] = {0, 0, 0, 1};
    const GLfloat diffuse[] = {1, 1, 1, 1};
    const GLfloat specular[] = {1, 1, 1, 1};
    const GLfloat direction[] = {2, 5, 5, 0};
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
}
