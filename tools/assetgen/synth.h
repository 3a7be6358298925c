#pragma once

#include "app/angles.h"

#include <cstddef>

namespace floebound::tools {

// Building blocks for every synthesised sound: oscillators, envelopes and
// filters. Phases are in cycles (1.0 = one period).

constexpr double kPi = pi;

double midi_to_hz(double note);

// Table lookup with linear interpolation: cheap enough to run per sample for
// every partial, even in the sanitizer build.
float sine(double phase);
float triangle(double phase);
// Band-limited (polyBLEP) so high notes don't alias; `step` is hz / rate.
float saw(double phase, double step);
float pulse(double phase, double step, double width);

// Advances a phase by a frequency that may change every sample.
class PhaseAccumulator {
public:
    explicit PhaseAccumulator(double sample_rate) : rate_(sample_rate) {}
    // The phase for this sample; moves on by hz / rate for the next one.
    double next(double hz);
    double step(double hz) const { return hz / rate_; }

private:
    double rate_;
    double phase_ = 0.0;
};

// e^(-t / time_constant), one multiply per sample.
class Decay {
public:
    Decay(double time_constant, double sample_rate);
    float next();

private:
    double level_ = 1.0;
    double factor_;
};

// Linear attack, decay to a sustain level, then release once the gate closes.
struct Adsr {
    double attack;
    double decay;
    double sustain;
    double release;

    float level(double t, double gate) const;
    double length(double gate) const { return gate + release; }
};

// One-pole filters (6 dB/octave); the cutoff may move every sample.
class OnePole {
public:
    explicit OnePole(double sample_rate) : rate_(sample_rate) {}
    float lowpass(float x, double cutoff_hz);
    float highpass(float x, double cutoff_hz) { return x - lowpass(x, cutoff_hz); }

private:
    double rate_;
    double state_ = 0.0;
    double cutoff_ = -1.0;      // the cutoff `coefficient_` was computed for
    double coefficient_ = 0.0;  // recomputed only when the cutoff moves
};

// Trapezoidal state-variable filter (12 dB/octave) with resonance.
class StateVariableFilter {
public:
    struct Output {
        float low, band, high;
    };

    explicit StateVariableFilter(double sample_rate) : rate_(sample_rate) {}
    void tune(double cutoff_hz, double q);
    Output process(float x);

private:
    double rate_;
    double a1_ = 0.0, a2_ = 0.0, a3_ = 0.0, k_ = 1.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

}  // namespace floebound::tools
