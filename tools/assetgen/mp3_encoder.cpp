#include "mp3_encoder.h"

#include <lame.h>

#include <memory>
#include <stdexcept>

namespace floebound::tools {

namespace {

constexpr int kChunkFrames = 8192;
// What a decoder holds back before its first sample out: the synthesis
// filter bank's delay, added to the encoder's own.
constexpr int kDecoderDelay = 529;
constexpr int kLaps = 3;

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

using Lame = std::unique_ptr<lame_global_flags, LameCloser>;

Lame open_encoder(const Audio& audio, int kilobits_per_second) {
    Lame lame(lame_init());
    if (!lame) throw std::runtime_error("lame_init failed");
    lame_global_flags* gf = lame.get();
    lame_set_num_channels(gf, 2);
    lame_set_in_samplerate(gf, audio.sample_rate);
    lame_set_out_samplerate(gf, audio.sample_rate);  // no resampling
    lame_set_mode(gf, JOINT_STEREO);
    lame_set_VBR(gf, vbr_off);
    lame_set_brate(gf, kilobits_per_second);
    lame_set_quality(gf, 2);
    // Every frame then carries all its own data, so the file may start at
    // any frame of the stream.
    lame_set_disable_reservoir(gf, 1);
    lame_set_bWriteVbrTag(gf, 0);
    lame_set_write_id3tag_automatic(gf, 0);
    if (lame_init_params(gf) < 0) throw std::runtime_error("lame rejected the settings");
    return lame;
}

Bytes encode(lame_global_flags* gf, std::vector<std::int16_t>& interleaved) {
    Bytes out;
    // Worst case from lame.h: 1.25 * samples + 7200 bytes.
    Bytes chunk(kChunkFrames * 5 / 4 + 7200);
    const std::size_t frames = interleaved.size() / 2;
    for (std::size_t first = 0; first < frames; first += kChunkFrames) {
        const auto count = static_cast<int>(std::min<std::size_t>(kChunkFrames, frames - first));
        const int written = lame_encode_buffer_interleaved(gf, &interleaved[first * 2], count, chunk.data(),
                                                           static_cast<int>(chunk.size()));
        if (written < 0) throw std::runtime_error("lame failed to encode");
        out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    }
    const int flushed = lame_encode_flush(gf, chunk.data(), static_cast<int>(chunk.size()));
    if (flushed < 0) throw std::runtime_error("lame failed to flush");
    out.insert(out.end(), chunk.begin(), chunk.begin() + flushed);
    return out;
}

// Where each frame of a constant-rate MPEG-1 Layer III stream starts.
std::vector<std::size_t> frame_starts(const Bytes& stream) {
    static const int kbps_by_index[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int rate_by_index[4] = {44100, 48000, 32000, 0};
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    while (at + 4 <= stream.size()) {
        const std::uint8_t* h = &stream[at];
        const int kbps = kbps_by_index[h[2] >> 4];
        const int rate = rate_by_index[(h[2] >> 2) & 3];
        if (h[0] != 0xff || (h[1] & 0xfe) != 0xfa || !kbps || !rate)
            throw std::runtime_error("lame wrote something other than MPEG-1 Layer III frames");
        starts.push_back(at);
        at += static_cast<std::size_t>(144 * kbps * 1000 / rate + ((h[2] >> 1) & 1));
    }
    if (at != stream.size()) throw std::runtime_error("lame wrote a partial frame");
    return starts;
}

}  // namespace

Bytes encode_mp3_loop(const Audio& loop, int kilobits_per_second) {
    if (loop.channels != 2) throw std::runtime_error("mp3 encoder expects stereo");
    const std::size_t length = loop.frames();
    if (!length || length % kMp3FrameSamples) throw std::runtime_error("mp3 loop is not a whole number of frames");
    Lame lame = open_encoder(loop, kilobits_per_second);

    // Decoded sample i is input sample i - delay. Feeding the loop `delay`
    // samples early makes every frame boundary fall on the same spot of the
    // loop in each lap, and the middle lap decode to exactly the loop, from
    // its first sample; the laps around it give the encoder and the decoder
    // the music that really comes before and after.
    const std::size_t delay = static_cast<std::size_t>(lame_get_encoder_delay(lame.get())) + kDecoderDelay;
    const std::vector<std::int16_t> pcm = to_pcm16(loop);
    std::vector<std::int16_t> laps(kLaps * pcm.size());
    for (std::size_t i = 0; i < kLaps * length; ++i)
        for (int c = 0; c < 2; ++c) laps[i * 2 + c] = pcm[((i + delay) % length) * 2 + c];

    const Bytes stream = encode(lame.get(), laps);
    const std::vector<std::size_t> starts = frame_starts(stream);
    const std::size_t frames_per_lap = length / kMp3FrameSamples;
    if (starts.size() <= 2 * frames_per_lap) throw std::runtime_error("lame wrote fewer frames than fed");
    return Bytes(stream.begin() + static_cast<std::ptrdiff_t>(starts[frames_per_lap]),
                 stream.begin() + static_cast<std::ptrdiff_t>(starts[2 * frames_per_lap]));
}

}  // namespace floebound::tools
