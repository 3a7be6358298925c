#pragma once

#include "app/keys.h"
#include "app/renderable.h"
#include "app/scene.h"

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

// A screen on top that records its keys: like the intro, escape pressed ends
// the game; like play, a quit asked for ends it after a key release.
class RecordingScene : public floebound::Scene {
public:
    explicit RecordingScene(bool is_intro) : is_intro_(is_intro) {}
    void draw() override {}
    void update(int) override {}
    void handle_key(int key, bool released) override { calls.emplace_back(key, released); }
    bool is_done() const override { return false; }
    bool ends_game_on_press(int key) const override { return is_intro_ && key == floebound::key_escape; }
    bool ends_game() const override { return quit_asked; }

    std::vector<std::pair<int, bool>> calls;
    bool quit_asked = false;

private:
    bool is_intro_;
};

inline SDL_Event key_event(Uint8 type, int sym) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    return event;
}
