#include "app/sdl_start.h"

#include <SDL/SDL.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace floebound {

namespace {

constexpr Uint32 retry_pause_ms = 200;

// SDL 1.2 probes the X display with a connection of its own and closes it
// before it opens the real one. A server that resets when its last client
// leaves (one started for the game alone, or Xvfb without -noreset) then
// refuses the real one. While this connection stands the server has a client
// and does not reset.
class DisplayHold {
public:
    DisplayHold() : display_(XOpenDisplay(nullptr)) {}
    ~DisplayHold() {
        if (display_) XCloseDisplay(display_);
    }
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;

private:
    Display* display_;
};

// The text-console drivers (libcaca, aalib) and the dummy one draw no OpenGL.
bool driver_has_opengl(const char* name) { return std::strcmp(name, "x11") == 0; }

// Why SDL's video cannot draw the game, in SDL's words; empty when it can.
std::string video_problem() {
    // Left to choose, SDL falls back from X11 to a text-console driver, which
    // takes the terminal over and has no OpenGL. A driver named in
    // SDL_VIDEODRIVER is still tried, and refused below.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    // Once more, a moment later, for a server that was still resetting after
    // another client left when the hold was made.
    bool started = false;
    for (int attempt = 0; attempt < 2 && !started; ++attempt) {
        if (attempt > 0) SDL_Delay(retry_pause_ms);
        const DisplayHold hold;
        started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    if (!started) {
        const char* display = std::getenv("DISPLAY");
        return std::string(SDL_GetError()) +
               (display && *display ? std::string(" (DISPLAY is ") + display + ")" : " (DISPLAY is not set)");
    }
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    if (!driver_has_opengl(name)) return std::string("the video driver \"") + name + "\" has no OpenGL";
    return "";
}

}  // namespace

bool start_sdl(std::string& error) {
    const std::string problem = SDL_Init(0) == 0 ? video_problem() : SDL_GetError();
    if (!problem.empty()) {
        error = "cannot open an OpenGL window: " + problem;
        SDL_Quit();
        return false;
    }
    static_cast<void>(SDL_InitSubSystem(SDL_INIT_AUDIO));     // Mix_OpenAudio tries again and says so
    static_cast<void>(SDL_InitSubSystem(SDL_INIT_JOYSTICK));  // without one, no joystick events come
    return true;
}

}  // namespace floebound
