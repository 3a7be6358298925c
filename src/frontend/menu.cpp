#include "frontend/menu.h"

#include "app/camera.h"
#include "app/keys.h"
#include "media/image.h"
#include "media/screen_image.h"
#include "media/sound.h"
#include "media/texture.h"
#include "world/terrain.h"

#include <cstdio>

#include <GL/gl.h>

namespace floebound {

namespace {

constexpr const char* intro_paths[4] = {
    "data/intro/kelpworks.png",
    "data/intro/titlecard.png",
    "data/intro/instructions.png",
    "data/FBDCredits.png",
};

constexpr int start_cursor = 7;

void load_intro_images(IntroPictures& pictures) {
    ImageHandle* images = pictures.images;
    // A Menu made after a failed splash loads the set again; the earlier
    // attempt's records go then (their textures stay).
    for (int i = 0; i < 4; ++i) images[i].reset();
    images[0] = load_image(intro_paths[0]);
    if (images[0]) {
        // The splash alone is needed for the first frame; the others follow
        // with the same console lines in the same order.
        make_texture(images[0].get());
        pictures.others_pending = true;
        return;
    }
    for (int i = 1; i < 4; ++i) images[i] = load_image(intro_paths[i]);
    for (int i = 0; i < 4; ++i) make_texture(images[i].get());
}

const Image* picture_for(const IntroPictures& pictures, IntroScreen screen) {
    switch (screen) {
    case IntroScreen::splash: return pictures.images[0].get();
    case IntroScreen::title: return pictures.images[1].get();
    case IntroScreen::instructions: return pictures.images[2].get();
    case IntroScreen::credits: return pictures.images[3].get();
    default: return nullptr;
    }
}

}  // namespace

ScreenCorner intro_picture_corner(int screen_width, int screen_height, const Image* splash, const Image& picture) {
    const Image& sized_by = splash ? *splash : picture;
    return {(screen_width - sized_by.width) / 2, (screen_height - sized_by.height) / 2};
}

Menu::Menu(const SoundBank& sounds, IntroPictures& pictures)
    : terrain(std::make_unique<Terrain>("data/field.png")), sounds_(sounds), pictures_(pictures) {
    terrain->set_cursor(start_cursor, start_cursor);
    if (!pictures_.images[0]) load_intro_images(pictures_);
}

Menu::~Menu() = default;

void Menu::draw() {
    if (screen != IntroScreen::splash) load_other_pictures();
    if (terrain) terrain->draw();
    begin_hud(camera);
    glDisable(GL_LIGHTING);
    if (const Image* picture = picture_for(pictures_, screen)) {
        const ScreenCorner corner =
            intro_picture_corner(camera.screen_width, camera.screen_height, pictures_.images[0].get(), *picture);
        draw_screen_image(static_cast<float>(corner.x), static_cast<float>(corner.y), picture);
    }
    glEnable(GL_LIGHTING);
    end_hud(camera);
}

void Menu::load_other_pictures() {
    if (!pictures_.others_pending) return;
    pictures_.others_pending = false;
    for (int i = 1; i < 4; ++i) pictures_.images[i] = load_image(intro_paths[i]);
    for (int i = 1; i < 4; ++i) make_texture(pictures_.images[i].get());
}

void Menu::update(int elapsed_ms) { orbit_step(orbit, elapsed_ms); }

bool Menu::handle_key(int key, bool released) {
    if (orbit_key(orbit, key, released)) return true;
    switch (key) {
    case key_return:
    case key_space:
        if (!released) step();
        return true;
    case key_h:
        if (!released) std::printf("Hint: press space to start playing\n");
        return true;
    case key_up:
    case key_down:
    case key_right:
    case key_left:
        return true;
    default:
        return false;
    }
}

void Menu::start_play() {
    active = false;
    sounds_.play_music(SoundId::puzzle_theme);
}

void Menu::step() {
    sounds_.play(SoundId::select);
    switch (screen) {
    case IntroScreen::splash: screen = IntroScreen::title; break;
    case IntroScreen::title: screen = IntroScreen::credits; break;
    case IntroScreen::credits: screen = IntroScreen::instructions; break;
    case IntroScreen::instructions: start_play(); break;
    default: break;
    }
}

}  // namespace floebound
