// The six effects as written into the game folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "sound_files.h"

namespace {

constexpr const char* kEffects[] = {"turn", "tipped", "falling", "push", "select", "next"};

Pcm load(const std::string& name) { return read_wav("data/sfx/" + name + ".wav"); }

float loudest(const Pcm& pcm, std::size_t first, std::size_t count) {
    float level = 0.0f;
    for (std::size_t i = first * pcm.channels; i < (first + count) * pcm.channels; ++i)
        level = std::max(level, std::fabs(pcm.samples[i]));
    return level;
}

class SoundEffect : public testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(SoundEffect, IsAShortAudibleUnclippedClipAt22050Hz) {
    const Pcm pcm = load(GetParam());
    EXPECT_EQ(pcm.sample_rate, 22050);
    EXPECT_TRUE(pcm.channels == 1 || pcm.channels == 2);
    EXPECT_GE(pcm.seconds(), 0.1);
    EXPECT_LE(pcm.seconds(), 1.0);
    EXPECT_GT(peak(pcm), 0.05f) << "too quiet to hear over the music";
    EXPECT_LT(peak(pcm), 0.98f) << "clipping";
}

TEST_P(SoundEffect, RisesFromAndSettlesToSilence) {
    const Pcm pcm = load(GetParam());
    ASSERT_GT(pcm.frames(), 100u);
    const float top = peak(pcm);
    // A sound that starts or stops mid-waveform clicks.
    EXPECT_LT(std::fabs(pcm.samples.front()), 0.01f);
    EXPECT_LT(std::fabs(pcm.samples.back()), 0.01f);
    const std::size_t quarter_ms = pcm.sample_rate / 4000;
    EXPECT_LT(loudest(pcm, 0, quarter_ms), 0.2f * top) << "no attack ramp";
    const std::size_t one_ms = pcm.sample_rate / 1000;
    EXPECT_LT(rms(pcm, pcm.frames() - one_ms, one_ms), 0.02 * top) << "no release ramp";
}

INSTANTIATE_TEST_SUITE_P(AllEffects, SoundEffect, testing::ValuesIn(kEffects));

TEST(SoundEffects, AreSixDifferentSounds) {
    std::vector<Pcm> sounds;
    for (const char* name : kEffects) sounds.push_back(load(name));
    for (std::size_t i = 0; i < sounds.size(); ++i)
        for (std::size_t j = i + 1; j < sounds.size(); ++j)
            EXPECT_NE(sounds[i].samples, sounds[j].samples) << kEffects[i] << " and " << kEffects[j] << " are the same";
}

TEST(SoundEffects, PitchesFitWhatTheyStandFor) {
    const Pcm falling = load("falling");
    const std::size_t quarter = falling.frames() / 4;
    EXPECT_GT(zero_crossing_rate(falling, 0, quarter), 1.5 * zero_crossing_rate(falling, 3 * quarter, quarter))
        << "the falling whistle should descend";

    const Pcm turn = load("turn"), tipped = load("tipped");
    EXPECT_GT(zero_crossing_rate(turn, 0, turn.frames()), 4.0 * zero_crossing_rate(tipped, 0, tipped.frames()))
        << "the turn blip should be bright and the tipping thud low";
}

// SDL_mixer adds every playing effect to the music and clamps the sum; the
// effects asked for during one of its 4096-frame buffers all start on the
// buffer's first sample.
constexpr std::size_t kMixerBuffer = 4096;

// The play tune as the mixer plays it at 22050 Hz: every other frame.
Pcm play_tune_as_mixed() {
    const Pcm theme = decode_mp3("data/puzzletheme.mp3");
    Pcm mixed{theme.sample_rate / 2, theme.channels, {}};
    for (std::size_t frame = 0; frame < theme.frames(); frame += 2)
        for (int c = 0; c < theme.channels; ++c) mixed.samples.push_back(theme.samples[frame * theme.channels + c]);
    return mixed;
}

// Penguins walking in a line turn on a goat square or bounce off the edge one
// update after another, within one buffer: eight of the same sound, added
// sample for sample.
TEST(SoundEffects, EightWalkingPenguinsTurningTogetherStayBelowFullScale) {
    const float music = peak(play_tune_as_mixed());
    for (const char* name : {"turn", "tipped"})
        EXPECT_LT(music + 8 * peak(load(name)), 1.0f) << name;
}

// Drops come only as fast as the popup takes keys: a falling whistle and the
// popup's chime in each of eight buffers in a row, here with a goat turn and
// a tipping starting together halfway, over every stretch of the play tune.
TEST(SoundEffects, EightQuickDropsWithATurnAndATippingStayBelowFullScale) {
    std::vector<float> burst(12 * kMixerBuffer, 0.0f);
    auto start = [&](const char* name, std::size_t at) {
        const Pcm effect = load(name);
        ASSERT_EQ(effect.channels, 1);
        for (std::size_t i = 0; i < effect.frames() && at + i < burst.size(); ++i) burst[at + i] += effect.samples[i];
    };
    for (std::size_t drop = 0; drop < 8; ++drop) {
        start("falling", drop * kMixerBuffer);
        start("next", drop * kMixerBuffer);
    }
    start("turn", 4 * kMixerBuffer);
    start("tipped", 4 * kMixerBuffer);

    const Pcm music = play_tune_as_mixed();
    ASSERT_EQ(music.channels, 2);
    const std::size_t frames = music.frames();
    float loudest = 0.0f;
    for (std::size_t offset = 0; offset < frames; offset += kMixerBuffer)
        for (std::size_t i = 0; i < burst.size(); ++i)
            for (int c = 0; c < 2; ++c)
                loudest = std::max(loudest, std::fabs(burst[i] + music.samples[(offset + i) % frames * 2 + c]));
    EXPECT_LT(loudest, 1.0f);
}
