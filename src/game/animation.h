#pragma once

#include <cstdint>

namespace floebound {

// The frame ranges of a full MD2 character model, in table order.
enum class Animation : std::int32_t {
    stand, run, attack, pain_a, pain_b, pain_c, jump, flip, salute, fallback, wave, point,
    crouch_stand, crouch_walk, crouch_attack, crouch_pain, crouch_death,
    death_fallback, death_fallforward, death_fallbackslow, boom,
};

constexpr int animation_count = 21;

struct AnimationRange {
    std::int32_t first_frame;
    std::int32_t last_frame;
    std::int32_t frames_per_second;
};

extern const AnimationRange animation_table[animation_count];

// "stand", "run", ...: for console and debug output.
extern const char* const animation_names[animation_count];

const AnimationRange& animation_range(Animation animation);

// Milliseconds each frame of the range shows (1000 div its rate).
int frame_length_ms(const AnimationRange& range);

// The frame an animation shows after time_ms. Past its last frame a looping
// animation starts over (its clock is to be reset) and a held one stays on its
// last frame (it has finished playing).
struct FrameChoice {
    std::int32_t frame;
    bool looped;
    bool finished;
};
FrameChoice choose_frame(const AnimationRange& range, int time_ms, bool hold_last);

// How far the drawn pose has moved from the previous frame toward the current
// one, 0 to just below 1.
float blend_factor(const AnimationRange& range, int time_ms);

}  // namespace floebound
