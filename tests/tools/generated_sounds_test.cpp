// The six effects as written into the game folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

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
    EXPECT_GT(peak(pcm), 0.25f) << "too quiet to hear over the music";
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
