// The two tunes as written into the game folder, decoded the way SDL_mixer
// decodes them (libvorbisfile and libmad).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sound_files.h"

namespace {

constexpr double kMinimumSeconds = 30.0;
constexpr double kAudibleRms = 0.03;  // about -30 dBFS

// Loudness of every 4-second stretch: a tune with a dead patch, or one that
// plays everything at once and then falls silent, fails.
void expect_audible_throughout(const Pcm& pcm) {
    const std::size_t window = 4 * static_cast<std::size_t>(pcm.sample_rate);
    for (std::size_t start = 0; start + window <= pcm.frames(); start += window)
        EXPECT_GT(rms(pcm, start, window), 0.3 * kAudibleRms) << "near-silent at " << start / pcm.sample_rate << " s";
    EXPECT_GT(rms(pcm, 0, pcm.frames()), kAudibleRms);
    EXPECT_LT(peak(pcm), 0.99f) << "clipping";
}

}  // namespace

TEST(IntroSong, IsAtLeastThirtySecondsOfAudibleStereo) {
    const Pcm song = decode_ogg("data/song.ogg");
    EXPECT_TRUE(song.sample_rate == 44100 || song.sample_rate == 22050) << song.sample_rate;
    EXPECT_EQ(song.channels, 2);
    EXPECT_GE(song.seconds(), kMinimumSeconds);
    EXPECT_LE(song.seconds(), 60.0);
    expect_audible_throughout(song);
}

TEST(IntroSong, LoopsWithoutAJump) {
    const Pcm song = decode_ogg("data/song.ogg");
    ASSERT_GT(song.frames(), 1000u);
    const std::size_t n = song.frames();
    const int channels = song.channels;
    for (int c = 0; c < channels; ++c) {
        auto at = [&](std::size_t frame) { return song.samples[(frame % n) * channels + c]; };
        // The step from the last sample to the first should look like any
        // other step nearby, not stand out as a click.
        float nearby = 0.0f;
        for (std::size_t i = n - 32; i < n - 1; ++i) nearby = std::max(nearby, std::fabs(at(i + 1) - at(i)));
        for (std::size_t i = 0; i < 32; ++i) nearby = std::max(nearby, std::fabs(at(i + 1) - at(i)));
        const float seam = std::fabs(at(0) - at(n - 1));
        EXPECT_LE(seam, 2.0f * nearby + 0.005f) << "channel " << c << ": jump " << seam << " at the loop point";
    }
}

TEST(PuzzleTheme, IsABareMpeg1Layer3StreamOfThirtySecondsOrMore) {
    const std::vector<std::uint8_t> file = read_bytes("data/puzzletheme.mp3");
    const Mp3Frames frames = scan_mp3_frames(file);
    ASSERT_GT(frames.count, 0) << "no MPEG frame at the start (a tag or junk before the audio?)";
    EXPECT_EQ(frames.bytes, file.size()) << "bytes after the last whole frame";
    // libmad, which SDL_mixer plays MP3 through, wants MPEG-1 Layer III.
    EXPECT_EQ(frames.mpeg1_layer3, frames.count);
    EXPECT_EQ(frames.sample_rate, 44100);
    EXPECT_TRUE(frames.rates_agree);
    EXPECT_GE(frames.seconds, kMinimumSeconds);
}

TEST(PuzzleTheme, DecodesWithLibmadToAudibleStereo) {
    const Pcm theme = decode_mp3("data/puzzletheme.mp3");
    EXPECT_EQ(theme.sample_rate, 44100);
    EXPECT_EQ(theme.channels, 2);
    EXPECT_GE(theme.seconds(), kMinimumSeconds);
    expect_audible_throughout(theme);
}

TEST(PuzzleTheme, LoopsWithoutAGap) {
    // SDL_mixer starts the file over through the same decoder, so an
    // encoder's delay and padding would sound as silence at the seam. The
    // tune's top is a kick on the downbeat: its attack must come on time.
    const Pcm twice = decode_mp3_looping("data/puzzletheme.mp3", 2);
    ASSERT_EQ(twice.channels, 2);
    const std::size_t seam = twice.frames() / 2;
    const std::size_t ms = static_cast<std::size_t>(twice.sample_rate) / 1000;
    ASSERT_GT(seam, 20 * ms);
    const float attack = 0.1f * peak(twice);
    std::size_t onset = seam - 20 * ms;
    while (onset < twice.frames() && std::max(std::fabs(twice.samples[onset * 2]), std::fabs(twice.samples[onset * 2 + 1])) < attack)
        ++onset;
    EXPECT_NEAR(static_cast<double>(onset), static_cast<double>(seam), 2.0 * ms)
        << "the downbeat comes " << (static_cast<double>(onset) - static_cast<double>(seam)) / ms << " ms after the seam";
}
