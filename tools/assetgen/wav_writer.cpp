#include "wav_writer.h"

namespace floebound::tools {

Bytes encode_wav(const Audio& audio) {
    const std::vector<std::int16_t> pcm = to_pcm16(audio);
    const auto channels = static_cast<std::uint16_t>(audio.channels);
    const auto rate = static_cast<std::uint32_t>(audio.sample_rate);
    const std::uint16_t block_align = channels * 2;
    const auto data_size = static_cast<std::uint32_t>(pcm.size() * 2);

    Bytes out;
    out.reserve(44 + data_size);
    put_text(out, "RIFF");
    put_u32le(out, 36 + data_size);
    put_text(out, "WAVE");
    put_text(out, "fmt ");
    put_u32le(out, 16);
    put_u16le(out, 1);  // PCM
    put_u16le(out, channels);
    put_u32le(out, rate);
    put_u32le(out, rate * block_align);
    put_u16le(out, block_align);
    put_u16le(out, 16);
    put_text(out, "data");
    put_u32le(out, data_size);
    for (std::int16_t s : pcm) put_u16le(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace floebound::tools
