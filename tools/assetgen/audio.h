#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace floebound::tools {

// Sound as floats in [-1, 1], channels interleaved.
struct Audio {
    int sample_rate = 0;
    int channels = 0;
    std::vector<float> samples;

    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

float peak_level(const Audio& audio);

// Scales the whole sound so its loudest sample sits at `peak`.
void normalize_peak(Audio& audio, float peak);

// Scales the whole sound to an average loudness (root mean square).
void normalize_rms(Audio& audio, float rms);

// Rounds peaks off smoothly below `ceiling` while barely touching quiet
// passages. It has no memory, so a seamless loop stays seamless.
void soft_clip(Audio& audio, float ceiling);

// Raised-cosine ramps from and to silence: no corner at either end of the
// ramp, so no click.
void fade_in(Audio& audio, double seconds);
void fade_out(Audio& audio, double seconds);

// 16-bit samples, rounded to nearest and clamped.
std::vector<std::int16_t> to_pcm16(const Audio& audio);

}  // namespace floebound::tools
