#pragma once

#include "app/renderable.h"

// Stand-in for the command popup; the real one brings its pictures and entries.
class Popup : public Renderable {
public:
    void draw() override {}
    void update(int) override {}
    bool handle_key(int, bool) override { return false; }
    bool is_active() const override { return false; }
};
