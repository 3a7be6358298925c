#include "ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace floebound::tools {

namespace {

constexpr int kStreamSerial = 0x466c6f65;  // "Floe"
constexpr std::size_t kChunkFrames = 4096;

void append_page(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Owns the libvorbis and libogg state so every exit path frees it.
class VorbisStream {
public:
    VorbisStream(const Audio& audio, float quality) {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, audio.channels, audio.sample_rate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::runtime_error("vorbis encoder rejected the settings");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kStreamSerial);
    }
    ~VorbisStream() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    VorbisStream(const VorbisStream&) = delete;
    VorbisStream& operator=(const VorbisStream&) = delete;

    // The three header packets, flushed so the audio starts on a fresh page.
    void write_headers(Bytes& out, const char* title) {
        vorbis_comment_add_tag(&comment_, "TITLE", title);
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page)) append_page(out, page);
    }

    // Hands over interleaved frames; zero frames marks the end of the sound.
    void write_frames(Bytes& out, const float* interleaved, std::size_t frames, int channels) {
        if (frames) {
            float** planes = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
            for (std::size_t i = 0; i < frames; ++i)
                for (int c = 0; c < channels; ++c) planes[c][i] = interleaved[i * channels + c];
        }
        vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
        drain(out);
    }

private:
    void drain(Bytes& out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page)) append_page(out, page);
            }
        }
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
};

}  // namespace

Bytes encode_ogg_vorbis(const Audio& audio, float quality, const char* title) {
    VorbisStream stream(audio, quality);
    Bytes out;
    stream.write_headers(out, title);
    for (std::size_t first = 0; first < audio.frames(); first += kChunkFrames) {
        const std::size_t frames = std::min(kChunkFrames, audio.frames() - first);
        stream.write_frames(out, &audio.samples[first * audio.channels], frames, audio.channels);
    }
    stream.write_frames(out, nullptr, 0, audio.channels);
    return out;
}

}  // namespace floebound::tools
