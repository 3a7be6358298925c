#include "game/popup.h"

#include "app/camera.h"
#include "app/keys.h"
#include "game/game_assets.h"
#include "media/image.h"
#include "media/screen_image.h"
#include "media/sound.h"
#include "media/texture.h"

#include <GL/gl.h>

#include <cassert>
#include <cstddef>

namespace floebound {

namespace {

constexpr int button_spacing = 128;

// Pictures by command, unselected then selected.
constexpr const char* picture_paths[popup_command_count][2] = {
    {"data/menu/menuCloseU.png", "data/menu/menuCloseS.png"},
    {"data/menu/menuClearU.png", "data/menu/menuClearS.png"},
    {"data/menu/menuGoat1U.png", "data/menu/menuGoat1S.png"},
    {"data/menu/menuGoat2U.png", "data/menu/menuGoat2S.png"},
    {"data/menu/menuPengU.png", "data/menu/menuPengS.png"},
    {"data/menu/menuSkateU.png", "data/menu/menuSkateS.png"},
    {"data/menu/menuRestartU.png", "data/menu/menuRestartS.png"},
    {"data/menu/menuQuitYesU.png", "data/menu/menuQuitYesS.png"},
    {"data/menu/menuQuitNoU.png", "data/menu/menuQuitNoS.png"},
};

}  // namespace

void PopupPictures::load_unless_loaded() {
    if (images[0]) return;
    // A reload after a failed close picture replaces the whole table; the
    // earlier records go as they are replaced (their textures stay).
    // Files: all unselected pictures, then all selected ones. Textures:
    // command by command, unselected before selected.
    for (int selected = 0; selected < 2; ++selected) {
        for (int command = 0; command < popup_command_count; ++command)
            images[2 * command + selected] = load_image(picture_paths[command][selected]);
    }
    for (const ImageHandle& image : images) make_texture(image.get());
}

Popup::Popup(GameAssets& assets) : assets_(assets) { assets_.popup_pictures.load_unless_loaded(); }

void Popup::add_entry(PopupCommand command) { entries.push_back(command); }

PopupCommand Popup::selected_command() const {
    assert(selected >= 0 && static_cast<std::size_t>(selected) < entries.size());
    return entries[static_cast<std::size_t>(selected)];
}

void Popup::draw() {
    begin_hud(camera);
    const int count = static_cast<int>(entries.size());
    // Centred for 128-pixel pictures.
    int x = camera.screen_width / 2 - count * (button_spacing / 2);
    const int y = camera.screen_height / 2 - button_spacing / 2;
    for (int i = 0; i < count; ++i, x += button_spacing) {
        const int command = static_cast<int>(entries[static_cast<std::size_t>(i)]);
        if (command < 0 || command >= popup_command_count) continue;
        // A picture that failed to load, or got no texture, leaves its place empty.
        const Image* image = assets_.popup_pictures.images[2 * command + (i == selected ? 1 : 0)].get();
        if (!image || !image->texture) continue;
        draw_screen_image(static_cast<float>(x), static_cast<float>(y), image);
    }
    glDisable(GL_BLEND);
    end_hud(camera);
}

bool Popup::handle_key(int key, bool released) {
    switch (key) {
    case key_return:
    case key_space:
        // The press confirms: the release of the key that opened the popup
        // arrives here too and must not close it.
        if (!released) {
            active = false;
            assets_.sounds.play(SoundId::next);
        }
        return true;
    case key_escape:
        // The release: the quit popup itself opens on an escape release.
        if (released) {
            active = false;
            add_entry(PopupCommand::close);
            selected = static_cast<int>(entries.size()) - 1;
            assets_.sounds.play(SoundId::next);
        }
        return true;
    case key_right:
        if (released && selected + 1 < static_cast<int>(entries.size())) ++selected;
        return true;
    case key_left:
        if (released && selected > 0) --selected;
        return true;
    case key_up:
    case key_down:
        return true;
    default:
        return false;
    }
}

}  // namespace floebound
