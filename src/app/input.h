#pragma once

#include <vector>

union SDL_Event;

namespace floebound {

class Renderable;
class Scene;

// One handle_key call decided by the joystick rules; these always go to the level.
struct KeyCall {
    int key;
    bool released;
};

// A stick axis counts as pushed beyond this either way.
constexpr int axis_threshold = 16384;

// Axis 0 steers left/right, axis 1 up/down. At most one call per change: pushing
// past the threshold sends the release form and returning to the centre the
// press form, so the level moves its cursor when the stick comes back.
std::vector<KeyCall> axis_key_calls(int axis, int previous, int value);

// Hat bits 1 up, 2 right, 4 down, 8 left: presses for newly set bits, then
// releases for newly cleared ones, each in the order up, left, down, right.
std::vector<KeyCall> hat_key_calls(int previous_bits, int bits);

// What the input translation remembers between events.
struct InputState {
    int previous_axis[2] = {0, 0};
    int previous_hat = 0;
    bool show_fps = false;
    bool quit = false;
    bool hidden = false;  // iconified or unmapped: nothing to draw for
};

// Translates one SDL event into handle_key calls: keys and joystick buttons go
// to the top scene; stick and hat always go to the level. Pressing F11
// switches between full screen and a window. Sets quit on a press the top
// scene ends the game with (escape in the intro), when it asks to end after
// a key release (the level's quit popup), and on the window system's quit.
// Notes when the window is hidden (iconified or unmapped) and shown again.
void dispatch_event(const SDL_Event& event, InputState& state, Scene& top, Renderable& level);

}  // namespace floebound
