#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Readers for the generated sound files, written independently of the
// generator so a fault in its writers can't hide behind a matching reader.
// Each throws std::runtime_error on a malformed file.

// Decoded sound, samples in [-1, 1], channels interleaved.
struct Pcm {
    int sample_rate = 0;
    int channels = 0;
    std::vector<float> samples;

    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
    double seconds() const { return sample_rate ? static_cast<double>(frames()) / sample_rate : 0.0; }
};

std::vector<std::uint8_t> read_bytes(const std::string& path);

// 16-bit PCM RIFF/WAVE, walking the chunk list.
Pcm read_wav(const std::string& path);

// Ogg Vorbis through libvorbisfile, as SDL_mixer plays it.
Pcm decode_ogg(const std::string& path);

// MPEG audio through libmad, as SDL_mixer plays it.
Pcm decode_mp3(const std::string& path);

// The file `laps` times over through one libmad decoder, as SDL_mixer loops
// it: the decoder keeps its state from the end of one lap into the next.
Pcm decode_mp3_looping(const std::string& path, int laps);

// What walking an MPEG audio file header by header found.
struct Mp3Frames {
    int count = 0;
    int mpeg1_layer3 = 0;   // frames that are MPEG-1 Layer III
    int sample_rate = 0;    // of the first frame
    bool rates_agree = true;
    std::size_t bytes = 0;  // covered by whole frames, from the first byte on
    double seconds = 0.0;
};

Mp3Frames scan_mp3_frames(const std::vector<std::uint8_t>& file);

// Measurements over every channel of the whole sound or a stretch of frames.
float peak(const Pcm& pcm);
double rms(const Pcm& pcm, std::size_t first_frame, std::size_t frame_count);
// Sign changes per second of the mono mix over a stretch: a rough pitch gauge.
double zero_crossing_rate(const Pcm& pcm, std::size_t first_frame, std::size_t frame_count);
