#include "sfx.h"

#include <algorithm>
#include <cmath>

#include "random.h"
#include "synth.h"

namespace floebound::tools {

namespace {

constexpr int kRate = 22050;

Audio silence(double seconds) {
    Audio audio;
    audio.sample_rate = kRate;
    audio.channels = 1;
    audio.samples.assign(static_cast<std::size_t>(seconds * kRate), 0.0f);
    return audio;
}

// Ramps both ends so nothing clicks, then sets the effect's loudness. The
// peaks are low because the mixer adds up to eight effects to the music and
// clamps, and effects started during one mixer buffer begin on the same
// sample. Penguins walking in a line turn or bounce within one buffer, so the
// walking sounds must stay clear eight at a time; the popup's and the drop's
// sounds only as often as a player can press keys.
Audio finish(Audio audio, double attack, double release, float peak) {
    fade_in(audio, attack);
    fade_out(audio, release);
    normalize_peak(audio, peak);
    return audio;
}

double seconds_at(std::size_t i) { return static_cast<double>(i) / kRate; }

// A rotating block: a quick upward blip.
Audio turn_blip() {
    Audio a = silence(0.14);
    PhaseAccumulator osc(kRate);
    Decay amp(0.04, kRate);
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        const double glide = std::min(seconds_at(i) / 0.04, 1.0);
        const double p = osc.next(1000.0 * std::pow(1.5, glide));
        a.samples[i] = (sine(p) + 0.3f * sine(2 * p) + 0.1f * sine(3 * p)) * amp.next();
    }
    return finish(a, 0.003, 0.03, 0.07f);
}

// A low body landing on its side, plus a smaller settling bump after it.
void add_thud(Audio& a, double start, float gain, Xorshift& rng) {
    PhaseAccumulator osc(kRate);
    OnePole dull(kRate);
    Decay body(0.08, kRate);
    Decay knock(0.025, kRate);
    for (auto i = static_cast<std::size_t>(start * kRate); i < a.samples.size(); ++i) {
        const double t = seconds_at(i) - start;
        const float tone = sine(osc.next(55.0 + 95.0 * std::exp(-t / 0.03))) * body.next();
        const float noise = dull.lowpass(rng.bipolar(), 350.0) * 2.0f * knock.next();
        const auto attack = static_cast<float>(std::min(t / 0.004, 1.0));
        a.samples[i] += gain * attack * (tone + noise);
    }
}

Audio tipped_thud() {
    Audio a = silence(0.4);
    Xorshift rng(0x71bbed);
    add_thud(a, 0.0, 1.0f, rng);
    add_thud(a, 0.12, 0.3f, rng);
    return finish(a, 0.004, 0.05, 0.07f);
}

// A long whistle sliding down, with a little breath in it.
Audio falling_whistle() {
    constexpr double length = 0.9;
    Audio a = silence(length);
    PhaseAccumulator osc(kRate);
    StateVariableFilter breath(kRate);
    Xorshift rng(0xfa11);
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        const double t = seconds_at(i);
        const double vibrato = 1.0 + 0.012 * std::sin(2.0 * kPi * 6.0 * t);
        const double hz = 1500.0 * std::pow(280.0 / 1500.0, t / length) * vibrato;
        const double p = osc.next(hz);
        breath.tune(hz, 8.0);
        a.samples[i] = sine(p) + 0.15f * sine(2 * p) + 0.3f * breath.process(rng.bipolar()).band;
    }
    return finish(a, 0.02, 0.3, 0.13f);
}

// Ice dragged over ice: band-passed noise with an uneven, grainy loudness.
Audio push_scrape() {
    constexpr double length = 0.32;
    Audio a = silence(length);
    StateVariableFilter scrape(kRate);
    OnePole grain(kRate);
    PhaseAccumulator rumble(kRate);
    Xorshift rng(0x9054);
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        const double t = seconds_at(i);
        scrape.tune(800.0 - 350.0 * t / length, 1.5);
        const float roughness = std::clamp(0.6f + 6.0f * grain.lowpass(rng.bipolar(), 25.0), 0.2f, 1.0f);
        a.samples[i] = scrape.process(rng.bipolar()).band * roughness + 0.25f * sine(rumble.next(70.0));
    }
    return finish(a, 0.02, 0.1, 0.2f);
}

// A crisp menu click: a short high tick over a tiny noise transient.
Audio select_click() {
    Audio a = silence(0.1);
    PhaseAccumulator high(kRate), body(kRate);
    Decay ring(0.006, kRate), thump(0.012, kRate), snap(0.002, kRate);
    OnePole air(kRate);
    Xorshift rng(0x5e1ec7);
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        a.samples[i] = sine(high.next(2400.0)) * ring.next() + 0.4f * sine(body.next(1200.0)) * thump.next() +
                       0.5f * air.highpass(rng.bipolar(), 3000.0) * snap.next();
    }
    return finish(a, 0.001, 0.02, 0.22f);
}

// A rising three-note bell: C, E, G.
Audio next_chime() {
    Audio a = silence(0.85);
    constexpr int notes[] = {84, 88, 91};
    for (int n = 0; n < 3; ++n) {
        const auto start = static_cast<std::size_t>(0.09 * n * kRate);
        const double ring = n == 2 ? 1.6 : 1.0;  // the last note rings on
        PhaseAccumulator osc(kRate);
        Decay fundamental(0.25 * ring, kRate), octave(0.12 * ring, kRate), twelfth(0.06 * ring, kRate);
        const double hz = midi_to_hz(notes[n]);
        for (std::size_t i = start; i < a.samples.size(); ++i) {
            const double p = osc.next(hz);
            const auto strike = static_cast<float>(std::min(seconds_at(i - start) / 0.002, 1.0));
            a.samples[i] += strike * (sine(p) * fundamental.next() + 0.3f * sine(2 * p) * octave.next() +
                                      0.12f * sine(3.01 * p) * twelfth.next());
        }
    }
    return finish(a, 0.002, 0.15, 0.16f);
}

}  // namespace

std::vector<NamedSound> make_sound_effects() {
    return {
        {"turn.wav", turn_blip()},     {"tipped.wav", tipped_thud()}, {"falling.wav", falling_whistle()},
        {"push.wav", push_scrape()},     {"select.wav", select_click()}, {"next.wav", next_chime()},
    };
}

}  // namespace floebound::tools
