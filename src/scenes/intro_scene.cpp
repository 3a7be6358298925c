#include "scenes/intro_scene.h"

#include "app/keys.h"
#include "frontend/menu.h"

namespace floebound {

IntroScene::IntroScene(Menu& menu, std::function<void()> open_level_select)
    : menu_(menu), open_level_select_(std::move(open_level_select)) {}

void IntroScene::draw() { menu_.draw(); }

void IntroScene::update(int elapsed_ms) { menu_.update(elapsed_ms); }

void IntroScene::handle_key(int key, bool released) {
    if (key == key_l) {
        if (!released) open_level_select_();
        return;
    }
    menu_.handle_key(key, released);
}

bool IntroScene::is_done() const { return !menu_.is_active(); }

bool IntroScene::ends_game_on_press(int key) const { return key == key_escape; }

}  // namespace floebound
