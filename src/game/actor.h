#pragma once

#include "app/renderable.h"
#include "app/vector3.h"
#include "game/animation.h"
#include "game/particles.h"

namespace floebound {

class Actor;
class ModelCache;
struct Md2Model;

// Draws the actor's blended pose and its particles where it stands; changes nothing.
void draw_actor(const Actor& actor);

// One animated model on the field: a penguin, skateboard, bucket, cow, tunafish
// or tree. It walks in straight lines at a fixed speed, drops onto the field,
// turns smoothly toward where it goes and plays "stand", "run" or, once dying,
// "death_fallback" held on its last frame. Copyable: a copy shares the model
// and deep-copies the emitter.
class Actor : public Renderable {
public:
    static constexpr float walking_speed = 50;  // units per second: 1.28 s a square

    // Copies the name, then takes the model and skin pair from the model cache
    // or loads it. False when the actor is left without a model (its file did
    // not load, now or before); it then plays on but is never drawn.
    [[nodiscard]] bool load_model(ModelCache& models, const char* name, const char* model_path,
                                  const char* skin_path);

    void set_position(float x, float y, float z);
    // Starts walking toward the point; a point within 1 unit is reached at once.
    void move_to(float x, float y, float z);
    // Walks to the centre of a square of the 8 by 8 field.
    void walk_to_cell(int column, int row);
    // The square under the actor; between two centres, the lower one.
    void cell_of(int& column, int& row) const;
    // Which way the actor last went, 0 to 7: 0 toward +z, 2 toward +x, 4
    // toward -z, 6 toward -x, odd values between; 4 for one that never moved.
    int facing_direction() const;
    // True when the actor was dying already; the death plays from the next update.
    bool start_dying();
    bool death_finished() const { return !playing; }
    // Starts the actor's own emitter at a point of its drawing frame, so that
    // the particles follow it.
    void start_emitter(EmitterParams* params, const Image* sheet, float x, float y, float z);

    void draw() override { draw_actor(*this); }
    void update(int elapsed_ms) override;
    bool handle_key(int, bool) override { return false; }
    // Falling or walking.
    bool is_active() const override { return position[1] != 0 || walking; }

    char display_name[128] = {};  // only for console messages
    Vector3 draw_offset = {0, 0, 0};  // spreads actors that share a square; drawing only
    Md2Model* model = nullptr;  // shared through the model cache, not owned
    ParticleEmitter emitter;
    Vector3 position = {0, 0, 0};
    float velocity[2] = {0, 0};  // x and z, units per second
    float heading = 0;           // yaw the model is drawn with, radians
    float target_heading = 0;    // yaw the heading eases toward
    bool playing = true;         // false once the death pose is held
    bool dying = false;
    bool walking = false;
    Vector3 target = {0, 0, 0};
    Animation animation = Animation::stand;
    std::int32_t previous_frame = 0;  // the drawn pose blends from this frame...
    std::int32_t frame = 0;           // ...to this one
    std::int32_t animation_time = 0;  // ms since the animation started or looped

private:
    void stop_at_target();
};

}  // namespace floebound
