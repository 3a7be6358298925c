#include "composer.h"

#include <algorithm>
#include <cmath>

namespace floebound::tools {

namespace {

int pitch_class(int pitch) { return ((pitch % 12) + 12) % 12; }

Scale scale_from(int tonic, const std::vector<int>& intervals) {
    Scale scale;
    for (int interval : intervals) scale.pitch_classes.push_back(pitch_class(tonic + interval));
    std::sort(scale.pitch_classes.begin(), scale.pitch_classes.end());
    return scale;
}

// Small steps are likelier than leaps, as in a singable tune.
constexpr int kStepChoices[] = {-3, -2, -1, -1, -1, 0, 1, 1, 1, 2, 3};

}  // namespace

Chord major(int root) { return {root, {0, 4, 7}}; }
Chord minor(int root) { return {root, {0, 3, 7}}; }
Chord major_seventh(int root) { return {root, {0, 4, 7, 11}}; }
Chord minor_seventh(int root) { return {root, {0, 3, 7, 10}}; }

bool contains_pitch_class(const std::vector<int>& pitch_classes, int pitch) {
    return std::find(pitch_classes.begin(), pitch_classes.end(), pitch_class(pitch)) != pitch_classes.end();
}

std::vector<int> pitch_classes(const Chord& chord) {
    std::vector<int> classes;
    for (int interval : chord.intervals) classes.push_back(pitch_class(chord.root + interval));
    return classes;
}

Scale major_scale(int tonic) { return scale_from(tonic, {0, 2, 4, 5, 7, 9, 11}); }
Scale minor_scale(int tonic) { return scale_from(tonic, {0, 2, 3, 5, 7, 8, 10}); }

Scale fit_to_chord(const Scale& scale, const Chord& chord) {
    Scale fitted = scale;
    for (int tone : pitch_classes(chord)) {
        if (contains_pitch_class(fitted.pitch_classes, tone)) continue;
        for (int& pc : fitted.pitch_classes) {
            if (pitch_class(pc - tone) == 1 || pitch_class(tone - pc) == 1) {
                pc = tone;
                break;
            }
        }
    }
    std::sort(fitted.pitch_classes.begin(), fitted.pitch_classes.end());
    return fitted;
}

int nearest_chord_tone(const Chord& chord, int pitch, bool prefer_up) {
    const std::vector<int> classes = pitch_classes(chord);
    for (int distance = 0; distance <= 6; ++distance) {
        const int first = prefer_up ? pitch + distance : pitch - distance;
        const int second = prefer_up ? pitch - distance : pitch + distance;
        if (contains_pitch_class(classes, first)) return first;
        if (contains_pitch_class(classes, second)) return second;
    }
    return pitch;
}

int chord_tone_beyond(const Chord& chord, int pitch, int direction) {
    const std::vector<int> classes = pitch_classes(chord);
    const int unit = direction > 0 ? 1 : -1;
    pitch += unit;
    while (!contains_pitch_class(classes, pitch)) pitch += unit;
    return pitch;
}

int step_in_scale(const Scale& scale, int pitch, int degrees) {
    while (!contains_pitch_class(scale.pitch_classes, pitch)) --pitch;
    const int direction = degrees > 0 ? 1 : -1;
    for (int moved = 0; moved != degrees; moved += direction) {
        pitch += direction;
        while (!contains_pitch_class(scale.pitch_classes, pitch)) pitch += direction;
    }
    return pitch;
}

std::vector<int> chord_tones_between(const Chord& chord, int lowest, int highest) {
    const std::vector<int> classes = pitch_classes(chord);
    std::vector<int> tones;
    for (int pitch = lowest; pitch <= highest; ++pitch)
        if (contains_pitch_class(classes, pitch)) tones.push_back(pitch);
    return tones;
}

int root_at_or_above(const Chord& chord, int lowest) { return lowest + pitch_class(chord.root - lowest); }

Motif make_motif(Xorshift& rng, const std::vector<RhythmCell>& openings, const std::vector<RhythmCell>& closings) {
    Motif motif;
    const RhythmCell& opening = openings[rng.below(static_cast<int>(openings.size()))];
    const RhythmCell& closing = closings[rng.below(static_cast<int>(closings.size()))];
    motif.rhythm = opening;
    for (Hit hit : closing) motif.rhythm.push_back({hit.beat + 4.0, hit.length});
    motif.steps.push_back(0);
    for (std::size_t i = 1; i < motif.rhythm.size(); ++i)
        motif.steps.push_back(kStepChoices[rng.below(static_cast<int>(std::size(kStepChoices)))]);
    return motif;
}

Motif inverted(const Motif& motif) {
    Motif answer = motif;
    for (int& step : answer.steps) step = -step;
    return answer;
}

void play_motif(Score& score, const Motif& motif, int first_bar, const std::vector<Chord>& progression,
                const Scale& key, const MelodyStyle& style, int& pitch, Xorshift& rng) {
    const int beats = score.beats_per_bar;
    for (std::size_t i = 0; i < motif.rhythm.size(); ++i) {
        const Hit hit = motif.rhythm[i];
        const int bar = first_bar + static_cast<int>(hit.beat) / beats;
        const Chord& chord = progression[bar % progression.size()];
        const Scale scale = fit_to_chord(key, chord);
        const int step = motif.steps[i];

        int next = step_in_scale(scale, pitch, step);
        if (next > style.highest || next < style.lowest) next = step_in_scale(scale, pitch, -step);
        // Downbeats, mid-bar beats and long notes land on chord tones; the
        // notes between them are free to pass through the scale.
        const double in_bar = std::fmod(hit.beat, beats);
        const bool strong = in_bar == 0.0 || in_bar == beats / 2.0 || hit.length >= 1.5 || i == 0;
        if (strong) {
            next = nearest_chord_tone(chord, next, step >= 0);
            // Snapping a small step back onto the note just played would
            // flatten the contour into repeated notes; keep it moving.
            if (step != 0 && next == pitch) next = chord_tone_beyond(chord, pitch, step);
        }
        while (next > style.highest) next -= 12;
        while (next < style.lowest) next += 12;
        pitch = next;

        const float accent = in_bar == 0.0 ? 1.1f : 1.0f;
        const float velocity = style.velocity * accent * static_cast<float>(0.92 + 0.08 * rng.unit());
        score.notes.push_back({first_bar * beats + hit.beat, hit.length * style.gate, pitch, velocity, style.voice,
                               style.pan, style.echo});
    }
}

}  // namespace floebound::tools
