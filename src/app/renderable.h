#pragma once

namespace floebound {

// Everything drawn and driven each frame goes through these four operations;
// owners hold their objects as Renderables and delete them virtually.
class Renderable {
public:
    virtual ~Renderable() = default;

    virtual void draw() = 0;
    // Advances the object's time; from the main loop 1 to 18 ms per call.
    virtual void update(int elapsed_ms) = 0;
    // Takes one key press (released false) or release; true when the key was used.
    virtual bool handle_key(int key, bool released) = 0;
    // Whether the object still wants to be drawn, updated and given keys.
    virtual bool is_active() const = 0;
};

}  // namespace floebound
