#include "audio.h"

#include "app/angles.h"

#include <algorithm>
#include <cmath>

namespace floebound::tools {

namespace {

constexpr double kPi = pi;

// Step `i` of a `length`-step rise from exactly 0.
float ramp_gain(std::size_t i, std::size_t length) {
    return static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(length)));
}

}  // namespace

float peak_level(const Audio& audio) {
    float peak = 0.0f;
    for (float s : audio.samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

void normalize_peak(Audio& audio, float peak) {
    const float current = peak_level(audio);
    if (current <= 0.0f) return;
    const float gain = peak / current;
    for (float& s : audio.samples) s *= gain;
}

void normalize_rms(Audio& audio, float rms) {
    double sum = 0.0;
    for (float s : audio.samples) sum += static_cast<double>(s) * s;
    if (sum <= 0.0) return;
    const auto gain = static_cast<float>(rms / std::sqrt(sum / static_cast<double>(audio.samples.size())));
    for (float& s : audio.samples) s *= gain;
}

void soft_clip(Audio& audio, float ceiling) {
    for (float& s : audio.samples) s = ceiling * std::tanh(s / ceiling);
}

void fade_in(Audio& audio, double seconds) {
    const std::size_t ramp = std::min(audio.frames(), static_cast<std::size_t>(seconds * audio.sample_rate));
    for (std::size_t i = 0; i < ramp; ++i) {
        const float gain = ramp_gain(i, ramp);
        for (int c = 0; c < audio.channels; ++c) audio.samples[i * audio.channels + c] *= gain;
    }
}

void fade_out(Audio& audio, double seconds) {
    const std::size_t frames = audio.frames();
    const std::size_t ramp = std::min(frames, static_cast<std::size_t>(seconds * audio.sample_rate));
    for (std::size_t i = 0; i < ramp; ++i) {
        const float gain = ramp_gain(i, ramp);
        for (int c = 0; c < audio.channels; ++c) audio.samples[(frames - 1 - i) * audio.channels + c] *= gain;
    }
}

std::vector<std::int16_t> to_pcm16(const Audio& audio) {
    std::vector<std::int16_t> out(audio.samples.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float s = std::clamp(audio.samples[i], -1.0f, 1.0f);
        out[i] = static_cast<std::int16_t>(std::lround(s * 32767.0f));
    }
    return out;
}

}  // namespace floebound::tools
