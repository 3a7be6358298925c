#include "app/scene_stack.h"

#include <cassert>

namespace floebound {

void SceneStack::push(Scene& scene) { entries_.push_back({&scene, nullptr}); }

void SceneStack::push(std::unique_ptr<Scene> scene) {
    Scene* raw = scene.get();
    entries_.push_back({raw, std::move(scene)});
}

void SceneStack::pop() {
    assert(!entries_.empty());
    // Moved out first, so a scene destroyed here may look at the stack.
    std::unique_ptr<Scene> going = std::move(entries_.back().owned);
    entries_.pop_back();
}

void SceneStack::pop_done() {
    while (!entries_.empty() && top().is_done()) pop();
}

}  // namespace floebound
