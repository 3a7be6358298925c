#include "game/animation.h"

namespace floebound {

const AnimationRange animation_table[animation_count] = {
    {0, 39, 9},      {40, 45, 10},    {46, 53, 10},    {54, 57, 7},     {58, 61, 7},     {62, 65, 7},
    {66, 71, 7},     {72, 83, 7},     {84, 94, 7},     {95, 111, 10},   {112, 122, 7},   {123, 134, 6},
    {135, 153, 10},  {154, 159, 7},   {160, 168, 10},  {169, 172, 7},   {173, 177, 5},   {178, 183, 7},
    {184, 189, 7},   {190, 197, 7},   {198, 198, 5},
};

const char* const animation_names[animation_count] = {
    "stand", "run", "attack", "pain_a", "pain_b", "pain_c", "jump", "flip", "salute", "fallback", "wave",
    "point", "crouch_stand", "crouch_walk", "crouch_attack", "crouch_pain", "crouch_death",
    "death_fallback", "death_fallforward", "death_fallbackslow", "boom",
};

const AnimationRange& animation_range(Animation animation) {
    return animation_table[static_cast<int>(animation)];
}

int frame_length_ms(const AnimationRange& range) { return 1000 / range.frames_per_second; }

FrameChoice choose_frame(const AnimationRange& range, int time_ms, bool hold_last) {
    const std::int32_t frame = time_ms / frame_length_ms(range) + range.first_frame;
    if (frame <= range.last_frame) return {frame, false, false};
    if (hold_last) return {range.last_frame, false, true};
    return {range.first_frame, true, false};
}

float blend_factor(const AnimationRange& range, int time_ms) {
    const int length = frame_length_ms(range);
    return static_cast<float>(time_ms % length) / static_cast<float>(length);
}

}  // namespace floebound
