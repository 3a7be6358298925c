#pragma once

#include "app/renderable.h"

// Stand-in for the puzzle level until the rules and the field arrive: it draws
// nothing and only knows how to ask the game to quit.
class Level : public Renderable {
public:
    void draw() override {}
    void update(int) override {}
    bool handle_key(int key, bool released) override;
    bool is_active() const override { return true; }

    bool quit_requested = false;
};
