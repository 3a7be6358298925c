#pragma once

#include "app/orbit.h"
#include "app/renderable.h"
#include "media/image.h"

#include <memory>

namespace floebound {

class SoundBank;
class Terrain;

// The screens of the intro; 3 is not used and has no picture.
enum class IntroScreen : int {
    splash = 0,
    title = 1,
    instructions = 2,
    credits = 4,
};

// Splash, title card, instructions and credits, shared by every Menu given
// them: the first Menu loads them, a later one only while the splash is
// missing. Released with the object; their textures stay with the pool.
struct IntroPictures {
    ImageHandle images[4];
    bool others_pending = false;  // the splash is loaded, the other three not yet
};

struct ScreenCorner {
    int x, y;
};

// Where a picture's top-left corner goes on a screen of the given size: every
// picture sits where the splash picture would be centred, so the intro does
// not jump between pictures of different sizes. Without a splash picture each
// one is centred by its own size.
ScreenCorner intro_picture_corner(int screen_width, int screen_height, const Image* splash, const Image& picture);

// The intro shown before play: the four pictures in turn over a view of the
// ground that the camera keys can turn. Space or return steps on; after the
// instructions it turns inactive and the puzzle music starts.
class Menu : public Renderable {
public:
    Menu(const SoundBank& sounds, IntroPictures& pictures);
    ~Menu() override;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    void draw() override;
    void update(int elapsed_ms) override;
    bool handle_key(int key, bool released) override;
    bool is_active() const override { return active; }
    // The splash is loaded with the first Menu, the other pictures here: the
    // game calls it once the splash is on screen, and drawing any other
    // screen does at the latest. Later calls do nothing.
    void load_other_pictures();
    // Ends the intro as leaving its last screen does, the puzzle music on;
    // for a level chosen from the level select.
    void start_play();

    IntroScreen screen = IntroScreen::splash;
    bool active = true;
    std::unique_ptr<Terrain> terrain;
    Orbit orbit{0.65f, 4.74f, 800, 0, 0, 0};

private:
    void step();

    const SoundBank& sounds_;
    IntroPictures& pictures_;
};

}  // namespace floebound
