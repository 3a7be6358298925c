#pragma once

#include "app/renderable.h"

// Stand-in for the intro sequence until its pictures arrive: it shows the sky
// and steps into play on the first press of space or return.
class Menu : public Renderable {
public:
    void draw() override {}
    void update(int) override {}
    bool handle_key(int key, bool released) override;
    bool is_active() const override { return active; }

private:
    bool active = true;
};
