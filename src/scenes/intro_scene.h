#pragma once

#include "app/scene.h"

#include <functional>

namespace floebound {

class Menu;

// The intro as a screen: the Menu's pictures and keys, escape ending the
// game, and l opening the level select.
class IntroScene : public Scene {
public:
    IntroScene(Menu& menu, std::function<void()> open_level_select);

    void draw() override;
    void update(int elapsed_ms) override;
    void handle_key(int key, bool released) override;
    bool is_done() const override;
    bool ends_game_on_press(int key) const override;

private:
    Menu& menu_;
    std::function<void()> open_level_select_;
};

}  // namespace floebound
