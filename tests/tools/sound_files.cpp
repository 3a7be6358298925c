#include "sound_files.h"

#include <mad.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::uint32_t u32le(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }
std::uint16_t u16le(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

float mad_to_float(mad_fixed_t sample) { return static_cast<float>(sample) / static_cast<float>(MAD_F_ONE); }

}  // namespace

std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Pcm read_wav(const std::string& path) {
    const std::vector<std::uint8_t> bytes = read_bytes(path);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4))
        throw std::runtime_error(path + ": not RIFF/WAVE");
    if (u32le(bytes.data() + 4) != bytes.size() - 8) throw std::runtime_error(path + ": RIFF size disagrees with file");

    Pcm pcm;
    int bits = 0;
    bool have_data = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint8_t* chunk = bytes.data() + at;
        const std::uint32_t size = u32le(chunk + 4);
        if (at + 8 + size > bytes.size()) throw std::runtime_error(path + ": chunk runs past the end");
        if (!std::memcmp(chunk, "fmt ", 4)) {
            if (size < 16 || u16le(chunk + 8) != 1) throw std::runtime_error(path + ": not PCM");
            pcm.channels = u16le(chunk + 10);
            pcm.sample_rate = static_cast<int>(u32le(chunk + 12));
            bits = u16le(chunk + 22);
            const std::uint16_t block_align = u16le(chunk + 20);
            if (bits != 16 || block_align != pcm.channels * 2 || u32le(chunk + 16) != static_cast<std::uint32_t>(pcm.sample_rate) * block_align)
                throw std::runtime_error(path + ": inconsistent fmt chunk");
        } else if (!std::memcmp(chunk, "data", 4)) {
            if (!bits) throw std::runtime_error(path + ": data before fmt");
            if (size % (2 * pcm.channels)) throw std::runtime_error(path + ": partial frame");
            for (std::uint32_t i = 0; i < size; i += 2)
                pcm.samples.push_back(static_cast<std::int16_t>(u16le(chunk + 8 + i)) / 32768.0f);
            have_data = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!have_data) throw std::runtime_error(path + ": no data chunk");
    return pcm;
}

Pcm decode_ogg(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) throw std::runtime_error(path + ": not Ogg Vorbis");
    const vorbis_info* info = ov_info(&file, -1);
    Pcm pcm;
    pcm.sample_rate = static_cast<int>(info->rate);
    pcm.channels = info->channels;
    for (;;) {
        float** planes = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &planes, 4096, &section);
        if (frames == 0) break;
        if (frames < 0) {
            ov_clear(&file);
            throw std::runtime_error(path + ": damaged Vorbis data");
        }
        for (long i = 0; i < frames; ++i)
            for (int c = 0; c < pcm.channels; ++c) pcm.samples.push_back(planes[c][i]);
    }
    ov_clear(&file);
    return pcm;
}

Pcm decode_mp3(const std::string& path) { return decode_mp3_looping(path, 1); }

Pcm decode_mp3_looping(const std::string& path, int laps) {
    const std::vector<std::uint8_t> file = read_bytes(path);
    std::vector<std::uint8_t> bytes;
    for (int lap = 0; lap < laps; ++lap) bytes.insert(bytes.end(), file.begin(), file.end());
    const std::size_t size = bytes.size();
    // libmad needs zeros past the end to decode the final frame.
    bytes.resize(size + MAD_BUFFER_GUARD, 0);
    mad_stream stream;
    mad_frame frame;
    mad_synth synth;
    mad_stream_init(&stream);
    mad_frame_init(&frame);
    mad_synth_init(&synth);
    mad_stream_buffer(&stream, bytes.data(), bytes.size());
    Pcm pcm;
    std::string error;
    for (;;) {
        if (mad_frame_decode(&frame, &stream) != 0) {
            const bool at_end = stream.error == MAD_ERROR_BUFLEN || stream.this_frame >= bytes.data() + size;
            if (!at_end) error = path + ": " + mad_stream_errorstr(&stream);
            break;
        }
        mad_synth_frame(&synth, &frame);
        if (!pcm.sample_rate) {
            pcm.sample_rate = static_cast<int>(synth.pcm.samplerate);
            pcm.channels = synth.pcm.channels;
        }
        for (unsigned i = 0; i < synth.pcm.length; ++i)
            for (int c = 0; c < pcm.channels; ++c) pcm.samples.push_back(mad_to_float(synth.pcm.samples[c][i]));
    }
    mad_synth_finish(&synth);
    mad_frame_finish(&frame);
    mad_stream_finish(&stream);
    if (!error.empty()) throw std::runtime_error(error);
    return pcm;
}

Mp3Frames scan_mp3_frames(const std::vector<std::uint8_t>& file) {
    // Bitrates (kbit/s) and sample rates by header index.
    static const int mpeg1_layer3_kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int lsf_layer3_kbps[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const int mpeg1_rates[3] = {44100, 48000, 32000};

    Mp3Frames found;
    std::size_t at = 0;
    while (at + 4 <= file.size()) {
        const std::uint8_t* h = file.data() + at;
        if (h[0] != 0xff || (h[1] & 0xe0) != 0xe0) break;
        const int version = (h[1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
        const int layer = (h[1] >> 1) & 3;    // 1: Layer III
        const int bitrate_index = h[2] >> 4;
        const int rate_index = (h[2] >> 2) & 3;
        const int padding = (h[2] >> 1) & 1;
        if (version == 1 || layer != 1 || rate_index == 3 || bitrate_index == 0 || bitrate_index == 15) break;

        const bool mpeg1 = version == 3;
        const int divisor = mpeg1 ? 1 : version == 2 ? 2 : 4;
        const int rate = mpeg1_rates[rate_index] / divisor;
        const int kbps = mpeg1 ? mpeg1_layer3_kbps[bitrate_index] : lsf_layer3_kbps[bitrate_index];
        const int samples_per_frame = mpeg1 ? 1152 : 576;
        const std::size_t length = static_cast<std::size_t>(samples_per_frame / 8 * kbps * 1000 / rate + padding);
        if (at + length > file.size()) break;

        if (!found.count) found.sample_rate = rate;
        found.rates_agree = found.rates_agree && rate == found.sample_rate;
        if (mpeg1) ++found.mpeg1_layer3;
        ++found.count;
        found.seconds += static_cast<double>(samples_per_frame) / rate;
        at += length;
    }
    found.bytes = at;
    return found;
}

float peak(const Pcm& pcm) {
    float loudest = 0.0f;
    for (float s : pcm.samples) loudest = std::max(loudest, std::fabs(s));
    return loudest;
}

double rms(const Pcm& pcm, std::size_t first_frame, std::size_t frame_count) {
    const std::size_t begin = first_frame * pcm.channels;
    const std::size_t end = std::min(pcm.samples.size(), (first_frame + frame_count) * pcm.channels);
    if (end <= begin) return 0.0;
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(pcm.samples[i]) * pcm.samples[i];
    return std::sqrt(sum / static_cast<double>(end - begin));
}

double zero_crossing_rate(const Pcm& pcm, std::size_t first_frame, std::size_t frame_count) {
    const std::size_t end = std::min(pcm.frames(), first_frame + frame_count);
    auto mono = [&](std::size_t frame) {
        float sum = 0.0f;
        for (int c = 0; c < pcm.channels; ++c) sum += pcm.samples[frame * pcm.channels + c];
        return sum;
    };
    int crossings = 0;
    for (std::size_t f = first_frame + 1; f < end; ++f)
        if ((mono(f - 1) < 0.0f) != (mono(f) < 0.0f)) ++crossings;
    return end > first_frame ? crossings * static_cast<double>(pcm.sample_rate) / static_cast<double>(end - first_frame) : 0.0;
}
