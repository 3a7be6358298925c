#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace floebound::tools {

namespace {

constexpr int kSineTableSize = 4096;

const std::array<float, kSineTableSize + 1>& sine_table() {
    static const auto table = [] {
        std::array<float, kSineTableSize + 1> t{};
        for (int i = 0; i <= kSineTableSize; ++i) t[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSineTableSize));
        return t;
    }();
    return table;
}

double wrap(double phase) { return phase - std::floor(phase); }

// Residual that rounds off the step of a discontinuity spread over one sample.
double poly_blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

double midi_to_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

float sine(double phase) {
    const double position = wrap(phase) * kSineTableSize;
    const int index = static_cast<int>(position);
    const float frac = static_cast<float>(position - index);
    const auto& table = sine_table();
    return table[index] + (table[index + 1] - table[index]) * frac;
}

float triangle(double phase) {
    const double p = wrap(phase);
    return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

float saw(double phase, double step) {
    const double p = wrap(phase);
    return static_cast<float>(2.0 * p - 1.0 - poly_blep(p, step));
}

float pulse(double phase, double step, double width) {
    const double p = wrap(phase);
    const double naive = p < width ? 1.0 : -1.0;
    return static_cast<float>(naive + poly_blep(p, step) - poly_blep(wrap(p - width), step) - (2.0 * width - 1.0));
}

double PhaseAccumulator::next(double hz) {
    const double current = phase_;
    phase_ = wrap(phase_ + hz / rate_);
    return current;
}

Decay::Decay(double time_constant, double sample_rate) : factor_(std::exp(-1.0 / (time_constant * sample_rate))) {}

float Decay::next() {
    const double current = level_;
    level_ *= factor_;
    return static_cast<float>(current);
}

float Adsr::level(double t, double gate) const {
    auto held = [this](double time) {
        if (time < attack) return time / attack;
        if (time < attack + decay) return 1.0 - (1.0 - sustain) * (time - attack) / decay;
        return sustain;
    };
    if (t < gate) return static_cast<float>(held(t));
    if (t >= gate + release) return 0.0f;
    return static_cast<float>(held(gate) * (1.0 - (t - gate) / release));
}

float OnePole::lowpass(float x, double cutoff_hz) {
    if (cutoff_hz != cutoff_) {
        cutoff_ = cutoff_hz;
        coefficient_ = std::exp(-2.0 * kPi * std::min(cutoff_hz, 0.45 * rate_) / rate_);
    }
    state_ = x + coefficient_ * (state_ - x);
    return static_cast<float>(state_);
}

void StateVariableFilter::tune(double cutoff_hz, double q) {
    const double g = std::tan(kPi * std::min(cutoff_hz, 0.45 * rate_) / rate_);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

StateVariableFilter::Output StateVariableFilter::process(float x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k_ * v1 - v2)};
}

}  // namespace floebound::tools
