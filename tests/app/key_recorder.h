#pragma once

#include "app/renderable.h"

#include <SDL/SDL.h>

#include <utility>
#include <vector>

// A scene object that records the keys it is given; active as long as the
// test says.
class KeyRecorder : public floebound::Renderable {
public:
    explicit KeyRecorder(bool active) : active_(active) {}
    void draw() override {}
    void update(int) override {}
    bool handle_key(int key, bool released) override {
        calls.emplace_back(key, released);
        return true;
    }
    bool is_active() const override { return active_; }

    std::vector<std::pair<int, bool>> calls;
    bool active_;
};

inline SDL_Event key_event(Uint8 type, int sym) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    return event;
}
