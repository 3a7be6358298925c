// The generator's building blocks, checked against independent readers and
// against properties the assets rely on.

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "bmp_writer.h"
#include "composer.h"
#include "icon_art.h"
#include "sequencer.h"
#include "wav_writer.h"

using namespace floebound::tools;

namespace {

Raster gradient(int width, int height) {
    Raster image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgba.insert(image.rgba.end(), {static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(60 * y),
                                                 static_cast<std::uint8_t>(7 * x + 11 * y + 3), 255});
    return image;
}

// The average of each factor x factor block.
Raster shrink(const Raster& image, int factor) {
    Raster small{image.width / factor, image.height / factor, {}};
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            for (int channel = 0; channel < 4; ++channel) {
                int sum = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx)
                        sum += image.rgba[((y * factor + dy) * image.width + x * factor + dx) * 4 + channel];
                small.rgba.push_back(static_cast<std::uint8_t>(sum / (factor * factor)));
            }
        }
    }
    return small;
}

}  // namespace

TEST(BmpWriter, SdlReadsEveryRowPaddingPixelForPixel) {
    // Widths 4..7 need 0, 3, 2 and 1 bytes of padding per row.
    for (int width = 4; width <= 7; ++width) {
        const Raster image = gradient(width, 3);
        Bytes bytes = encode_bmp24(image);
        SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        ASSERT_NE(surface, nullptr) << "width " << width << ": " << SDL_GetError();
        ASSERT_EQ(surface->w, width);
        ASSERT_EQ(surface->h, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                const auto* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 3;
                Uint32 pixel = p[0] | p[1] << 8 | p[2] << 16;
                Uint8 r, g, b;
                SDL_GetRGB(pixel, surface->format, &r, &g, &b);
                const Rgba want = image.pixel(x, y);
                EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{want.r, want.g, want.b}))
                    << "width " << width << " at " << x << "," << y;
            }
        }
        SDL_FreeSurface(surface);
    }
}

TEST(Canvas, BlendsEdgePixelsByHowMuchOfThemAShapeCovers) {
    Canvas canvas(4, 1);
    canvas.fill({0, 0, 0, 255});
    // From the middle of the first pixel to the end of the third.
    canvas.fill_rect({0.125, 0.0}, {0.75, 1.0}, {255, 255, 255, 255});
    const Raster& image = canvas.image();
    EXPECT_NEAR(image.pixel(0, 0).r, 128, 1);
    EXPECT_EQ(image.pixel(1, 0).r, 255);
    EXPECT_EQ(image.pixel(2, 0).r, 255);
    EXPECT_EQ(image.pixel(3, 0).r, 0);
    EXPECT_EQ(image.pixel(0, 0).a, 255);
}

TEST(PenguinIcon, IsOneOpaqueDrawingAtEverySize) {
    const Raster large = draw_penguin_icon(256);
    for (std::size_t i = 3; i < large.rgba.size(); i += 4) ASSERT_EQ(large.rgba[i], 255) << "transparent pixel";
    // Each size should look like the big one scaled down, not be drawn in
    // pixel units that shift features around as the size changes.
    for (int size : {16, 32, 64, 128}) {
        const Raster icon = draw_penguin_icon(size);
        const Raster reference = shrink(large, 256 / size);
        ASSERT_EQ(icon.rgba.size(), reference.rgba.size());
        double difference = 0.0;
        for (std::size_t i = 0; i < icon.rgba.size(); ++i) difference += std::abs(icon.rgba[i] - reference.rgba[i]);
        EXPECT_LT(difference / static_cast<double>(icon.rgba.size()), 4.0) << "size " << size;
    }
}

TEST(WavWriter, ClampsAndRoundsInto16BitPcm) {
    const Audio audio{22050, 1, {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 1.7f, -3.0f}};
    const Bytes wav = encode_wav(audio);
    ASSERT_EQ(wav.size(), 44u + 2 * audio.samples.size());
    std::vector<int> pcm;
    for (std::size_t i = 44; i < wav.size(); i += 2) pcm.push_back(static_cast<std::int16_t>(wav[i] | wav[i + 1] << 8));
    EXPECT_EQ(pcm, (std::vector<int>{0, 16384, -16384, 32767, -32767, 32767, -32767}));
}

TEST(Sequencer, LoopIsCircularSoShiftingEveryNoteRotatesTheSound) {
    // 120 bpm at 44100 Hz: a whole number of frames per beat.
    Score score;
    score.tempo_bpm = 120;
    score.bars = 2;
    score.echo_feedback = 0.5f;
    score.notes = {
        {0.0, 2.0, 69, 0.5f, Voice::bell, -0.5f, 0.5f},
        {6.0, 3.0, 57, 0.4f, Voice::pad, 0.3f, 0.3f},  // held across the end
        {7.5, 0.5, 0, 0.6f, Voice::snare, 0.0f, 0.4f},
    };
    const Audio original = render_loop(score, 44100);
    const std::size_t frames_per_bar = 4 * 22050;
    ASSERT_EQ(original.frames(), 2 * frames_per_bar);

    Score shifted = score;
    for (Note& note : shifted.notes) note.beat = std::fmod(note.beat + 4.0, 8.0);
    const Audio rotated = render_loop(shifted, 44100);

    float worst = 0.0f;
    for (std::size_t f = 0; f < original.frames(); ++f)
        for (int c = 0; c < 2; ++c) {
            const std::size_t g = (f + frames_per_bar) % original.frames();
            worst = std::max(worst, std::fabs(original.samples[f * 2 + c] - rotated.samples[g * 2 + c]));
        }
    EXPECT_LT(worst, 2e-3f * peak_level(original)) << "tails or echoes are cut at the loop point";
    EXPECT_GT(peak_level(original), 0.1f);
}

TEST(Composer, HarmonyHelpersFollowTheKey) {
    constexpr int a3 = 57, b3 = 59, c4 = 60, e4 = 64, f4 = 65, g4 = 67;
    const Scale c_major = major_scale(48);
    EXPECT_EQ(step_in_scale(c_major, b3, 1), c4);
    EXPECT_EQ(step_in_scale(c_major, c4, -2), a3);
    EXPECT_EQ(step_in_scale(c_major, e4, 1), f4);

    // Over E major in A minor the melody borrows G sharp, the leading note.
    const Scale fitted = fit_to_chord(minor_scale(a3), major(52));
    EXPECT_TRUE(contains_pitch_class(fitted.pitch_classes, g4 + 1));
    EXPECT_FALSE(contains_pitch_class(fitted.pitch_classes, g4));
    EXPECT_EQ(fitted.pitch_classes.size(), 7u);

    EXPECT_EQ(nearest_chord_tone(major(48), f4, false), e4);
    EXPECT_EQ(chord_tone_beyond(major(48), e4, +1), g4);
    EXPECT_EQ(chord_tones_between(minor(57), 57, 69), (std::vector<int>{57, 60, 64, 69}));
}
