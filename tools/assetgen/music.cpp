#include "music.h"

#include <cmath>

#include "composer.h"
#include "mp3_encoder.h"

namespace floebound::tools {

namespace {

constexpr int kBeats = 4;

void add(Score& score, int bar, double beat, double length, int pitch, float velocity, Voice voice, float pan = 0.0f,
         float echo = 0.0f) {
    score.notes.push_back({bar * kBeats + beat, length, pitch, velocity, voice, pan, echo});
}

// Both tunes play equally loud (about -22 dBFS), with the drum peaks rounded
// off below -7 dBFS: the mixer adds the effects on top and clamps, so the
// music leaves them more than half of the range.
Audio master(const Score& score) {
    Audio audio = render_loop(score, kMusicRate);
    normalize_rms(audio, 0.08f);
    soft_clip(audio, 0.43f);
    return audio;
}

// An MP3 loops without a gap only when it is a whole number of frames long;
// the nearest such tempo is well under a beat per minute away.
double tempo_in_whole_mp3_frames(double bpm, int beats) {
    const double frames = beats * 60.0 / bpm * kMusicRate;
    const double whole_frames = std::round(frames / kMp3FrameSamples) * kMp3FrameSamples;
    return beats * 60.0 * kMusicRate / whole_frames;
}

// ---- Intro: slow bells over a pad and a harp, brushed drums from bar 5 ----

void intro_melody(Score& score, const std::vector<Chord>& chords, const Scale& key) {
    const std::vector<RhythmCell> openings = {
        {{0, 2}, {2, 1}, {3, 1}},
        {{0, 1.5}, {1.5, 0.5}, {2, 2}},
        {{0, 1}, {1, 1}, {2, 1}, {3, 1}},
        {{0, 3}, {3, 0.5}, {3.5, 0.5}},
    };
    const std::vector<RhythmCell> closings = {
        {{0, 4}},
        {{0, 2}, {2, 2}},
        {{0, 1}, {1, 3}},
    };
    Xorshift rng(0x1ce1);
    const Motif a = make_motif(rng, openings, closings);
    const Motif b = make_motif(rng, openings, closings);
    const Motif c = make_motif(rng, openings, closings);
    const MelodyStyle bells{Voice::bell, 69, 88, 0.45f, 1.0, 0.1f, 0.4f};
    int pitch = 76;
    const Motif plan[] = {a, a, b, a, c, inverted(b)};
    for (int i = 0; i < 6; ++i) play_motif(score, plan[i], i * 2, chords, key, bells, pitch, rng);
}

void intro_accompaniment(Score& score, const std::vector<Chord>& chords) {
    for (int bar = 0; bar < score.bars; ++bar) {
        const Chord& chord = chords[bar];
        const std::vector<int> pad = chord_tones_between(chord, 55, 67);
        for (std::size_t i = 0; i < pad.size(); ++i)
            add(score, bar, 0, kBeats, pad[i], 0.26f, Voice::pad, -0.45f + 0.3f * static_cast<float>(i), 0.15f);

        // Eighth-note harp rising and falling through the chord.
        const std::vector<int> tones = chord_tones_between(chord, 60, 79);
        const int span = static_cast<int>(tones.size()) - 1;
        for (int step = 0; step < 8; ++step) {
            const int position = step % (2 * span);
            const int index = position <= span ? position : 2 * span - position;
            add(score, bar, step * 0.5, 0.5, tones[index], step % 2 ? 0.2f : 0.26f, Voice::harp,
                step % 2 ? 0.35f : -0.35f, 0.3f);
        }

        const int root = root_at_or_above(chord, 36);
        add(score, bar, 0, 2.75, root, 0.32f, Voice::bass);
        add(score, bar, 3, 0.75, root + 7, 0.26f, Voice::bass);
    }
}

void intro_drums(Score& score) {
    for (int bar = 0; bar < score.bars; ++bar) {
        for (int step = 0; step < 8; ++step)
            add(score, bar, step * 0.5, 0.25, 0, step % 2 ? 0.14f : 0.09f, Voice::shaker, 0.5f, 0.1f);
        if (bar < 4) continue;
        add(score, bar, 0, 0.5, 0, 0.5f, Voice::kick);
        add(score, bar, 2.5, 0.5, 0, 0.3f, Voice::kick);
        add(score, bar, 1, 0.5, 0, 0.35f, Voice::brush, -0.2f, 0.1f);
        add(score, bar, 3, 0.5, 0, 0.35f, Voice::brush, -0.2f, 0.1f);
    }
}

// ---- Play tune: staccato lead, off-beat marimba, oom-pah bass, swung hats ----

void puzzle_melody(Score& score, const std::vector<Chord>& chords, const Scale& key) {
    const std::vector<RhythmCell> openings = {
        {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 1}, {3, 0.5}, {3.5, 0.5}},
        {{0, 1}, {1, 0.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 1}, {3.5, 0.5}},
        {{0, 0.5}, {0.5, 1}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 0.5}, {3.5, 0.5}},
        {{0, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 1}, {3, 1}},
    };
    const std::vector<RhythmCell> closings = {
        {{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 2}},
        {{0, 1}, {1, 0.5}, {1.5, 0.5}, {2, 1.5}},
        {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 1.5}},
    };
    // The last phrase stops dead on the downbeat of the final bar, leaving a
    // breath before the loop comes round.
    const std::vector<RhythmCell> stop = {{{0, 1}}};
    Xorshift rng(0xb0b1);
    const Motif a = make_motif(rng, openings, closings);
    const Motif b = make_motif(rng, openings, closings);
    const Motif c = make_motif(rng, openings, closings);
    const Motif d = make_motif(rng, openings, stop);
    const MelodyStyle lead{Voice::lead, 67, 86, 0.38f, 0.6, -0.1f, 0.12f};
    int pitch = 79;
    const Motif plan[] = {a, a, b, c, a, a, inverted(b), d};
    for (int i = 0; i < 8; ++i) play_motif(score, plan[i], i * 2, chords, key, lead, pitch, rng);
}

void puzzle_accompaniment(Score& score, const std::vector<Chord>& chords, const Scale& key) {
    const int last = score.bars - 1;
    for (int bar = 0; bar < score.bars; ++bar) {
        const Chord& chord = chords[bar];
        const std::vector<int> stab = chord_tones_between(chord, 60, 71);
        const int root = root_at_or_above(chord, 36);
        if (bar == last) {
            for (int pitch : stab) add(score, bar, 0, 0.5, pitch, 0.3f, Voice::marimba);
            add(score, bar, 0, 1.5, root, 0.8f, Voice::pluck_bass);
            continue;
        }
        for (int beat = 0; beat < kBeats; ++beat) {
            for (std::size_t i = 0; i < stab.size(); ++i)
                add(score, bar, beat + 0.5, 0.25, stab[i], beat % 2 ? 0.28f : 0.22f, Voice::marimba,
                    -0.3f + 0.3f * static_cast<float>(i), 0.1f);
        }
        // Root, fifth, octave, fifth, then a step leading into the next root.
        const int fifth = root + 7;
        const int next_root = root_at_or_above(chords[bar + 1], 36);
        add(score, bar, 0, 0.4, root, 0.8f, Voice::pluck_bass);
        add(score, bar, 1, 0.4, fifth, 0.6f, Voice::pluck_bass);
        add(score, bar, 2, 0.4, root + 12, 0.7f, Voice::pluck_bass);
        add(score, bar, 3, 0.4, fifth, 0.6f, Voice::pluck_bass);
        add(score, bar, 3.5, 0.4, step_in_scale(key, next_root, -1), 0.6f, Voice::pluck_bass);
    }
}

void puzzle_drums(Score& score) {
    const int last = score.bars - 1;
    for (int bar = 0; bar < last; ++bar) {
        add(score, bar, 0, 0.5, 0, 0.8f, Voice::kick);
        add(score, bar, 2, 0.5, 0, 0.8f, Voice::kick);
        if (bar % 2) add(score, bar, 2.5, 0.5, 0, 0.5f, Voice::kick);
        add(score, bar, 1, 0.5, 0, 0.5f, Voice::snare, 0.1f);
        add(score, bar, 3, 0.5, 0, 0.5f, Voice::snare, 0.1f);
        for (int step = 0; step < 8; ++step)
            add(score, bar, step * 0.5, 0.25, 0, step % 2 ? 0.28f : 0.18f, Voice::hat, 0.3f);
    }
    add(score, 7, 3.5, 0.5, 0, 0.35f, Voice::snare, 0.1f);  // a pickup into the second half
    add(score, last, 0, 0.5, 0, 0.8f, Voice::kick);
    // The last bar stops on its downbeat; a few hats and a snare then lead
    // back into the top.
    for (double beat : {0.0, 0.5, 2.0, 2.5, 3.0, 3.5}) add(score, last, beat, 0.25, 0, 0.22f, Voice::hat, 0.3f);
    add(score, last, 3, 0.5, 0, 0.4f, Voice::snare, 0.1f);
}

}  // namespace

Audio compose_intro_song() {
    Score score;
    score.tempo_bpm = 76;
    score.bars = 12;
    score.echo_beats = 0.75;
    score.echo_feedback = 0.38f;
    const std::vector<Chord> chords = {
        minor(57), major_seventh(53), major(48),  major(55),          // Am  Fmaj7 C  G
        minor(57), major_seventh(53), minor(50),  major(52),          // Am  Fmaj7 Dm E
        major(53), major(55),         minor_seventh(57), major(52),  // F   G     Am7 E
    };
    const Scale key = minor_scale(57);
    intro_melody(score, chords, key);
    intro_accompaniment(score, chords);
    intro_drums(score);
    return master(score);
}

Audio compose_puzzle_theme() {
    Score score;
    score.bars = 16;
    score.tempo_bpm = tempo_in_whole_mp3_frames(116, score.bars * kBeats);
    score.swing = 0.08;
    score.echo_beats = 0.75;
    score.echo_feedback = 0.2f;
    const std::vector<Chord> chords = {
        major(48), minor(57), major(53), major(55),  // C  Am F  G
        major(48), minor(57), minor(50), major(55),  // C  Am Dm G
        major(53), major(55), minor(52), minor(57),  // F  G  Em Am
        minor(50), major(55), major(48), major(48),  // Dm G  C  C
    };
    const Scale key = major_scale(48);
    puzzle_melody(score, chords, key);
    puzzle_accompaniment(score, chords, key);
    puzzle_drums(score);
    return master(score);
}

}  // namespace floebound::tools
