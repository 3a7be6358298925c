#include "game/actor.h"

#include "app/angles.h"
#include "game/model_cache.h"
#include "puzzle/grid.h"

#include <cmath>
#include <cstdio>

namespace floebound {

namespace {

constexpr double two_pi = 2 * pi;
constexpr double eighth_pi = pi / 8;
constexpr double quarter_pi = pi / 4;

float squared_distance(const Vector3& a, const Vector3& b) {
    const Vector3 d = b - a;
    return dot(d, d);
}

}  // namespace

bool Actor::load_model(ModelCache& models, const char* name, const char* model_path, const char* skin_path) {
    std::snprintf(display_name, sizeof display_name, "%s", name);
    model = models.fetch(model_path, skin_path);
    return model != nullptr;
}

void Actor::set_position(float x, float y, float z) {
    position = {x, y, z};
}

void Actor::stop_at_target() {
    position = target;
    walking = false;
    velocity[0] = 0;
    velocity[1] = 0;
}

void Actor::move_to(float x, float y, float z) {
    walking = true;
    target = {x, y, z};
    if (squared_distance(position, target) < 1) {
        stop_at_target();
        return;
    }
    const float dx = target[0] - position[0];
    const float dz = target[2] - position[2];
    const float length = std::sqrt(dx * dx + dz * dz);
    // Straight above or below there is no way to go: stand still and let the
    // fall bring the actor down onto the point.
    if (length == 0) {
        velocity[0] = 0;
        velocity[1] = 0;
        return;
    }
    velocity[0] = dx / length * walking_speed;
    velocity[1] = dz / length * walking_speed;
}

void Actor::walk_to_cell(int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    move_to(centre.x, centre.y, centre.z);
}

void Actor::cell_of(int& column, int& row) const {
    square_at(position[0], position[2], column, row);
}

int Actor::facing_direction() const {
    double h = target_heading;
    if (h < 0) h += two_pi;
    if (h >= two_pi) h -= two_pi;
    return (static_cast<int>(std::floor((h + eighth_pi) / quarter_pi)) + 4) % 8;
}

bool Actor::start_dying() {
    if (dying) return true;
    dying = true;
    return false;
}

void Actor::start_emitter(EmitterParams* params, const Image* sheet, float x, float y, float z) {
    emitter_start(emitter, params, sheet, x, y, z);
}

void Actor::update(int elapsed_ms) {
    emitter_update(emitter, elapsed_ms);

    const float elapsed = static_cast<float>(elapsed_ms);
    position[0] += elapsed * velocity[0] / 1000;
    position[2] += elapsed * velocity[1] / 1000;

    // The fall and the turn ease once per call, whatever the slice length.
    position[1] *= 0.98f;
    if (position[1] < 1) position[1] = 0;
    const bool moving = velocity[0] != 0 || velocity[1] != 0;
    if (moving) {
        // Drawn with this heading, the model's -z axis points where it goes.
        target_heading = std::atan2(-velocity[0], -velocity[1]);
        heading = heading * 0.98f + target_heading * 0.02f;
    }

    animation_time += elapsed_ms;
    const Animation wanted = dying ? Animation::death_fallback : moving ? Animation::run : Animation::stand;
    if (wanted != animation) {
        animation = wanted;
        animation_time = 0;
    }

    if (walking && squared_distance(position, target) < 1) stop_at_target();

    const FrameChoice choice = choose_frame(animation_range(animation), animation_time, dying);
    if (choice.looped) animation_time = 0;
    if (choice.finished) playing = false;
    if (choice.frame != frame) {
        previous_frame = frame;
        frame = choice.frame;
    }
}

}  // namespace floebound
