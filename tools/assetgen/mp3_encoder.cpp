#include "mp3_encoder.h"

#include <lame.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kChunkFrames = 8192;

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

}  // namespace

Bytes encode_mp3(const Audio& audio, int kilobits_per_second) {
    if (audio.channels != 2) throw std::runtime_error("mp3 encoder expects stereo");
    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame) throw std::runtime_error("lame_init failed");
    lame_global_flags* gf = lame.get();
    lame_set_num_channels(gf, 2);
    lame_set_in_samplerate(gf, audio.sample_rate);
    lame_set_out_samplerate(gf, audio.sample_rate);  // no resampling
    lame_set_mode(gf, JOINT_STEREO);
    lame_set_VBR(gf, vbr_off);
    lame_set_brate(gf, kilobits_per_second);
    lame_set_quality(gf, 2);
    lame_set_bWriteVbrTag(gf, 0);
    lame_set_write_id3tag_automatic(gf, 0);
    if (lame_init_params(gf) < 0) throw std::runtime_error("lame rejected the settings");

    std::vector<std::int16_t> pcm = to_pcm16(audio);
    Bytes out;
    // Worst case from lame.h: 1.25 * samples + 7200 bytes.
    Bytes chunk(kChunkFrames * 5 / 4 + 7200);
    for (std::size_t first = 0; first < audio.frames(); first += kChunkFrames) {
        const auto frames = static_cast<int>(std::min<std::size_t>(kChunkFrames, audio.frames() - first));
        const int written = lame_encode_buffer_interleaved(gf, &pcm[first * 2], frames,
                                                           chunk.data(), static_cast<int>(chunk.size()));
        if (written < 0) throw std::runtime_error("lame failed to encode");
        out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    }
    const int flushed = lame_encode_flush(gf, chunk.data(), static_cast<int>(chunk.size()));
    if (flushed < 0) throw std::runtime_error("lame failed to flush");
    out.insert(out.end(), chunk.begin(), chunk.begin() + flushed);
    return out;
}
