#include "app/window.h"

#include "app/camera.h"
#include "app/driver_modules.h"
#include "app/game_folder.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <string>

namespace floebound {

namespace {

constexpr Uint32 full_screen_flags = SDL_FULLSCREEN | SDL_OPENGL | SDL_HWSURFACE;
constexpr Uint32 windowed_flags = SDL_OPENGL | SDL_HWSURFACE;
constexpr WindowSize desktop_stand_in = {640, 480};
constexpr WindowSize fallback_full_screen = {640, 480};
constexpr WindowSize default_window = {1280, 720};

// Both sizes are settled when the window opens; F11 only moves between them.
struct WindowModes {
    bool open = false;
    bool windowed = false;
    WindowSize full_screen{};
    WindowSize window{};
};

// SDL 1.2 has one window per process, so the modes it moves between are the process's too.
WindowModes modes;

bool is_desktop_stand_in(WindowSize size) {
    return size.width == desktop_stand_in.width && size.height == desktop_stand_in.height;
}

// On X11 a new mode for an existing OpenGL window resizes and re-flags that
// window and keeps its context.
bool has_opengl(const SDL_Surface* screen) { return screen && (screen->flags & SDL_OPENGL); }

bool set_mode(WindowSize size, bool windowed) {
    return has_opengl(SDL_SetVideoMode(size.width, size.height, 0, windowed ? windowed_flags : full_screen_flags));
}

void give_camera(WindowSize size) {
    camera.screen_width = size.width;
    camera.screen_height = size.height;
}

}  // namespace

WindowSize windowed_size(WindowSize configured, WindowSize desktop) {
    WindowSize size = is_desktop_stand_in(configured) ? default_window : configured;
    // A desktop SDL could not measure reads as 0 and limits nothing.
    if (desktop.width > 0 && size.width > desktop.width) size.width = desktop.width;
    if (desktop.height > 0 && size.height > desktop.height) size.height = desktop.height;
    return size;
}

bool open_window(bool windowed, std::string& error) {
    // Asked before any mode is set, so it still describes the desktop.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) {
        error = std::string("cannot open an OpenGL window: ") + SDL_GetError();
        return false;
    }
    const WindowSize desktop = {info->current_w, info->current_h};
    const WindowSize configured = {camera.screen_width, camera.screen_height};
    modes.window = windowed_size(configured, desktop);
    modes.full_screen = is_desktop_stand_in(configured) ? desktop : configured;
    // Full screen falls back to the small size; the other mode is the last resort.
    const auto open_full_screen = [] {
        if (set_mode(modes.full_screen, false)) return true;
        modes.full_screen = fallback_full_screen;
        return set_mode(modes.full_screen, false);
    };
    if (windowed && set_mode(modes.window, true)) {
        modes.windowed = true;
    } else if (open_full_screen()) {
        modes.windowed = false;
    } else if (!windowed && set_mode(modes.window, true)) {
        modes.windowed = true;
    } else {
        const std::string reason = SDL_GetError();
        error = "cannot open an OpenGL window: " + (reason.empty() ? std::string("no mode has OpenGL") : reason);
        return false;
    }
    keep_driver_modules_loaded();
    give_camera(modes.windowed ? modes.window : modes.full_screen);
    modes.open = true;
    SDL_WM_SetCaption("Floebound by Kelpworks", nullptr);
    // The window system gets its own copy of the picture.
    if (SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFile(game_file("data/icon.bmp").c_str(), "rb"), 1)) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
    return true;
}

void toggle_window_mode() {
    if (!modes.open) return;
    const bool windowed = !modes.windowed;
    const WindowSize wanted = windowed ? modes.window : modes.full_screen;
    if (!set_mode(wanted, windowed)) {
        // A refused mode leaves no screen behind; the one that worked comes back.
        set_mode(windowed ? modes.full_screen : modes.window, modes.windowed);
        return;
    }
    modes.windowed = windowed;
    give_camera(wanted);
    set_view_state();
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

}  // namespace floebound
