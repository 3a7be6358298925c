#include "app/input.h"

#include "app/keys.h"
#include "app/renderable.h"
#include "app/scene.h"
#include "app/window.h"

#include <SDL/SDL.h>

#include <cstdio>

namespace floebound {

namespace {

enum class Stick { negative, centred, positive };

Stick stick_of(int value) {
    if (value < -axis_threshold) return Stick::negative;
    if (value > axis_threshold) return Stick::positive;
    return Stick::centred;
}

struct HatBit {
    int bit;
    int key;
};
constexpr HatBit hat_bits[] = {
    {SDL_HAT_UP, key_up}, {SDL_HAT_LEFT, key_left}, {SDL_HAT_DOWN, key_down}, {SDL_HAT_RIGHT, key_right}};

void send(Renderable& target, const std::vector<KeyCall>& calls) {
    for (const KeyCall& call : calls) target.handle_key(call.key, call.released);
}

}  // namespace

std::vector<KeyCall> axis_key_calls(int axis, int previous, int value) {
    const int negative_key = axis == 0 ? key_left : key_up;
    const int positive_key = axis == 0 ? key_right : key_down;
    const Stick before = stick_of(previous);
    const Stick now = stick_of(value);
    if (now == Stick::negative && before != Stick::negative) return {{negative_key, true}};
    if (now == Stick::positive && before != Stick::positive) return {{positive_key, true}};
    if (now == Stick::centred && before == Stick::negative) return {{negative_key, false}};
    if (now == Stick::centred && before == Stick::positive) return {{positive_key, false}};
    return {};
}

std::vector<KeyCall> hat_key_calls(int previous_bits, int bits) {
    std::vector<KeyCall> calls;
    for (const HatBit& hat : hat_bits)
        if ((bits & hat.bit) && !(previous_bits & hat.bit)) calls.push_back({hat.key, false});
    for (const HatBit& hat : hat_bits)
        if (!(bits & hat.bit) && (previous_bits & hat.bit)) calls.push_back({hat.key, true});
    return calls;
}

void dispatch_event(const SDL_Event& event, InputState& state, Scene& top, Renderable& level) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        const int key = event.key.keysym.sym;
        top.handle_key(key, false);
        if (top.ends_game_on_press(key)) state.quit = true;
        if (key == key_f11) toggle_window_mode();
        break;
    }
    case SDL_KEYUP: {
        const int key = event.key.keysym.sym;
        top.handle_key(key, true);
        if (top.ends_game()) state.quit = true;
        if (key == key_f12) state.show_fps = !state.show_fps;
        break;
    }
    case SDL_JOYAXISMOTION: {
        const int axis = event.jaxis.axis;
        if (axis != 0 && axis != 1) break;
        send(level, axis_key_calls(axis, state.previous_axis[axis], event.jaxis.value));
        state.previous_axis[axis] = event.jaxis.value;
        break;
    }
    case SDL_JOYBALLMOTION:
        std::printf("jball motion which %d, ball %d, xrel %d, yrel %d\n",
                    event.jball.which, event.jball.ball, event.jball.xrel, event.jball.yrel);
        break;
    case SDL_JOYHATMOTION:
        send(level, hat_key_calls(state.previous_hat, event.jhat.value));
        state.previous_hat = event.jhat.value;
        break;
    case SDL_JOYBUTTONDOWN:
        top.handle_key(key_space, false);
        break;
    case SDL_JOYBUTTONUP:
        top.handle_key(key_space, true);
        break;
    case SDL_QUIT:
        state.quit = true;
        break;
    case SDL_ACTIVEEVENT:
        if (event.active.state & SDL_APPACTIVE) state.hidden = event.active.gain == 0;
        break;
    default:
        break;
    }
}

}  // namespace floebound
