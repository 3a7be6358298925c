#include "sequencer.h"

#include <cmath>

#include "synth.h"

namespace floebound::tools {

namespace {

double swung(double beat, double swing) {
    const double offset = beat - std::floor(beat);
    return std::fabs(offset - 0.5) < 1e-9 ? beat + swing : beat;
}

// Mixes a mono note into the stereo loop at `start`, wrapping past the end.
void mix_in(Audio& loop, const Audio& note, std::size_t start, float left, float right) {
    const std::size_t frames = loop.frames();
    std::size_t frame = start % frames;
    for (float sample : note.samples) {
        loop.samples[frame * 2] += sample * left;
        loop.samples[frame * 2 + 1] += sample * right;
        if (++frame == frames) frame = 0;
    }
}

// A ping-pong echo with darkening repeats. It runs round the loop twice and
// keeps only the second lap, so the echoes of the last bar sound at the start.
void add_echo(Audio& out, const Audio& send, std::size_t delay, float feedback) {
    std::vector<float> left(delay, 0.0f), right(delay, 0.0f);
    OnePole damp_left(out.sample_rate), damp_right(out.sample_rate);
    std::size_t tap = 0;
    for (int lap = 0; lap < 2; ++lap) {
        for (std::size_t i = 0; i < out.frames(); ++i) {
            const float wet_left = left[tap], wet_right = right[tap];
            const float input = 0.5f * (send.samples[i * 2] + send.samples[i * 2 + 1]);
            left[tap] = input + feedback * damp_right.lowpass(wet_right, 3000.0);
            right[tap] = feedback * damp_left.lowpass(wet_left, 3000.0);
            if (++tap == delay) tap = 0;
            if (lap == 1) {
                out.samples[i * 2] += wet_left;
                out.samples[i * 2 + 1] += wet_right;
            }
        }
    }
}

}  // namespace

Audio render_loop(const Score& score, int sample_rate) {
    const double seconds_per_beat = 60.0 / score.tempo_bpm;
    const double frames_per_beat = seconds_per_beat * sample_rate;
    const auto frames = static_cast<std::size_t>(std::lround(score.bars * score.beats_per_bar * frames_per_beat));

    Audio dry{sample_rate, 2, std::vector<float>(frames * 2, 0.0f)};
    Audio send = dry;
    std::uint32_t seed = 0x5eed;
    for (const Note& note : score.notes) {
        seed = seed * 1664525u + 1013904223u;
        const Strike strike{midi_to_hz(note.pitch), note.length * seconds_per_beat, note.velocity, seed};
        const Audio sound = play(note.voice, strike, sample_rate);
        const auto start = static_cast<std::size_t>(std::lround(swung(note.beat, score.swing) * frames_per_beat));
        // Equal-power panning keeps a note equally loud wherever it sits.
        const double angle = (note.pan + 1.0) * kPi / 4.0;
        const auto left = static_cast<float>(std::cos(angle)), right = static_cast<float>(std::sin(angle));
        mix_in(dry, sound, start, left, right);
        if (note.echo > 0.0f) mix_in(send, sound, start, left * note.echo, right * note.echo);
    }
    add_echo(dry, send, static_cast<std::size_t>(std::lround(score.echo_beats * frames_per_beat)), score.echo_feedback);
    return dry;
}

}  // namespace floebound::tools
