#pragma once

#include "app/scene.h"

#include <memory>
#include <vector>

namespace floebound {

// The screens on top of one another. A scene that lives for the whole run
// (the level, the intro) is pushed by reference; one opened for a while (the
// level select) is handed over and goes when it comes off.
class SceneStack {
public:
    void push(Scene& scene);
    void push(std::unique_ptr<Scene> scene);
    // Takes the top scene off; one handed over is destroyed.
    void pop();
    // Pops done scenes off the top until the top one is not done.
    void pop_done();

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    Scene& top() const { return *entries_.back().scene; }

private:
    struct Entry {
        Scene* scene;
        std::unique_ptr<Scene> owned;
    };
    std::vector<Entry> entries_;
};

}  // namespace floebound
