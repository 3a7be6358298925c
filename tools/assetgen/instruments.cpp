#include "instruments.h"

#include <cmath>

#include "random.h"
#include "synth.h"

namespace floebound::tools {

namespace {

// Renders `seconds` of sound sample by sample from a per-sample generator
// taking the time in seconds, then ramps the very ends so no note clicks.
template <typename Generator>
Audio render(double seconds, int rate, double attack, double release, Generator generator) {
    Audio audio;
    audio.sample_rate = rate;
    audio.channels = 1;
    audio.samples.resize(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < audio.samples.size(); ++i) audio.samples[i] = generator(static_cast<double>(i) / rate);
    fade_in(audio, attack);
    fade_out(audio, release);
    return audio;
}

Audio bell(const Strike& s, int rate) {
    PhaseAccumulator osc(rate);
    Decay d1(1.1, rate), d2(0.5, rate), d3(0.25, rate), d4(0.12, rate);
    return render(2.4, rate, 0.004, 0.3, [&](double) {
        const double p = osc.next(s.hz);
        // A slightly stretched fourth partial gives the icy, glassy edge.
        return s.velocity * (sine(p) * d1.next() + 0.35f * sine(2 * p) * d2.next() + 0.12f * sine(3 * p) * d3.next() +
                             0.08f * sine(4.07 * p) * d4.next());
    });
}

Audio pad(const Strike& s, int rate) {
    const Adsr envelope{0.8, 0.5, 0.8, 1.4};
    PhaseAccumulator a(rate), b(rate), c(rate);
    OnePole first(rate), second(rate);
    const double detune = std::pow(2.0, 8.0 / 1200.0);
    return render(envelope.length(s.gate_seconds), rate, 0.01, 0.05, [&](double t) {
        const double low = s.hz / detune, high = s.hz * detune;
        const float raw = (saw(a.next(s.hz), a.step(s.hz)) + saw(b.next(low), b.step(low)) +
                           saw(c.next(high), c.step(high))) / 3.0f;
        return s.velocity * envelope.level(t, s.gate_seconds) * second.lowpass(first.lowpass(raw, 900.0), 900.0);
    });
}

Audio harp(const Strike& s, int rate) {
    PhaseAccumulator osc(rate);
    OnePole soften(rate);
    Decay decay(0.5, rate);
    return render(1.4, rate, 0.003, 0.2, [&](double) {
        const double p = osc.next(s.hz);
        return s.velocity * soften.lowpass(triangle(p) + 0.3f * sine(2 * p), 2500.0) * decay.next();
    });
}

Audio lead(const Strike& s, int rate) {
    const Adsr envelope{0.004, 0.18, 0.45, 0.08};
    PhaseAccumulator osc(rate);
    StateVariableFilter filter(rate);
    Decay brightness(0.09, rate);
    return render(envelope.length(s.gate_seconds), rate, 0.002, 0.01, [&](double t) {
        filter.tune(600.0 + 3400.0 * brightness.next(), 1.2);
        const float tone = filter.process(pulse(osc.next(s.hz), osc.step(s.hz), 0.3)).low;
        return s.velocity * envelope.level(t, s.gate_seconds) * tone;
    });
}

Audio marimba(const Strike& s, int rate) {
    PhaseAccumulator osc(rate);
    Decay body(0.15, rate), overtone(0.03, rate), tick(0.01, rate);
    return render(0.5, rate, 0.002, 0.1, [&](double) {
        const double p = osc.next(s.hz);
        return s.velocity *
               (sine(p) * body.next() + 0.25f * sine(4 * p) * overtone.next() + 0.05f * sine(10 * p) * tick.next());
    });
}

Audio bass(const Strike& s, int rate) {
    const Adsr envelope{0.015, 0.3, 0.7, 0.25};
    PhaseAccumulator osc(rate);
    return render(envelope.length(s.gate_seconds), rate, 0.005, 0.01, [&](double t) {
        const double p = osc.next(s.hz);
        return s.velocity * envelope.level(t, s.gate_seconds) * (sine(p) + 0.2f * sine(2 * p) + 0.08f * sine(3 * p));
    });
}

Audio pluck_bass(const Strike& s, int rate) {
    const Adsr envelope{0.004, 0.15, 0.5, 0.06};
    PhaseAccumulator osc(rate);
    StateVariableFilter filter(rate);
    Decay brightness(0.05, rate);
    return render(envelope.length(s.gate_seconds), rate, 0.002, 0.01, [&](double t) {
        const double p = osc.next(s.hz);
        filter.tune(250.0 + 1400.0 * brightness.next(), 1.0);
        const float tone = filter.process(saw(p, osc.step(s.hz))).low + 0.5f * sine(p);
        return s.velocity * envelope.level(t, s.gate_seconds) * tone;
    });
}

Audio kick(const Strike& s, int rate) {
    PhaseAccumulator osc(rate);
    Decay amp(0.12, rate);
    return render(0.35, rate, 0.0015, 0.05, [&](double t) {
        // The pitch drops fast from a knock to a low boom.
        return s.velocity * sine(osc.next(48.0 + 90.0 * std::exp(-t / 0.035))) * amp.next();
    });
}

Audio snare(const Strike& s, int rate) {
    Xorshift rng(s.seed);
    StateVariableFilter rattle(rate);
    rattle.tune(1800.0, 0.7);
    PhaseAccumulator skin(rate);
    Decay noise_decay(0.07, rate), tone_decay(0.05, rate);
    return render(0.3, rate, 0.001, 0.05, [&](double) {
        const auto out = rattle.process(rng.bipolar());
        return s.velocity * (1.8f * (out.band + 0.5f * out.high) * noise_decay.next() +
                             0.6f * sine(skin.next(190.0)) * tone_decay.next());
    });
}

Audio brush(const Strike& s, int rate) {
    Xorshift rng(s.seed);
    OnePole low(rate), high(rate);
    Decay decay(0.09, rate);
    return render(0.35, rate, 0.01, 0.05, [&](double) {
        return s.velocity * 1.5f * high.highpass(low.lowpass(rng.bipolar(), 3000.0), 400.0) * decay.next();
    });
}

Audio hat(const Strike& s, int rate) {
    Xorshift rng(s.seed);
    OnePole first(rate), second(rate);
    Decay decay(0.03, rate);
    return render(0.12, rate, 0.0005, 0.02, [&](double) {
        return s.velocity * 3.0f * second.highpass(first.highpass(rng.bipolar(), 7000.0), 7000.0) * decay.next();
    });
}

Audio shaker(const Strike& s, int rate) {
    Xorshift rng(s.seed);
    StateVariableFilter low_ring(rate), high_ring(rate);
    low_ring.tune(6500.0, 3.0);
    high_ring.tune(9200.0, 4.0);
    Decay decay(0.05, rate);
    return render(0.18, rate, 0.006, 0.03, [&](double) {
        const float noise = rng.bipolar();
        return s.velocity * (low_ring.process(noise).band + high_ring.process(noise).band) * decay.next();
    });
}

}  // namespace

Audio play(Voice voice, const Strike& strike, int sample_rate) {
    switch (voice) {
        case Voice::bell: return bell(strike, sample_rate);
        case Voice::pad: return pad(strike, sample_rate);
        case Voice::harp: return harp(strike, sample_rate);
        case Voice::lead: return lead(strike, sample_rate);
        case Voice::marimba: return marimba(strike, sample_rate);
        case Voice::bass: return bass(strike, sample_rate);
        case Voice::pluck_bass: return pluck_bass(strike, sample_rate);
        case Voice::kick: return kick(strike, sample_rate);
        case Voice::snare: return snare(strike, sample_rate);
        case Voice::brush: return brush(strike, sample_rate);
        case Voice::hat: return hat(strike, sample_rate);
        case Voice::shaker: return shaker(strike, sample_rate);
    }
    return {};
}

}  // namespace floebound::tools
