#pragma once

namespace floebound {

// One screen of the game: the intro, play, the level select, the editor. The
// main loop keeps them on a stack; the top one draws the frame, takes its
// update slices and gets the keys, and a scene that is done is popped.
class Scene {
public:
    virtual ~Scene() = default;

    // The whole frame's picture, after the clear and the camera.
    virtual void draw() = 0;
    // From the main loop 1 to 18 ms per call.
    virtual void update(int elapsed_ms) = 0;
    // One key press (released false) or release.
    virtual void handle_key(int key, bool released) = 0;
    // A scene that is done comes off the stack before the next slice or key.
    virtual bool is_done() const = 0;

    // How many times faster than real time the scene's clocks run.
    virtual int time_scale() const { return 1; }
    // Whether this press ends the game (escape in the intro).
    virtual bool ends_game_on_press(int /*key*/) const { return false; }
    // Whether the game should end, asked after each key release (the quit popup's yes).
    virtual bool ends_game() const { return false; }
    // Whether its keys are being typed as text (the editor's name field):
    // then m is a letter, not the sound key.
    virtual bool takes_text() const { return false; }
};

}  // namespace floebound
