#include "silent_wav.h"

#include <cstdint>
#include <fstream>

namespace {

void put_u16(std::ofstream& out, std::uint16_t value) {
    out.put(static_cast<char>(value & 0xff));
    out.put(static_cast<char>(value >> 8));
}

void put_u32(std::ofstream& out, std::uint32_t value) {
    put_u16(out, static_cast<std::uint16_t>(value & 0xffff));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

void write_silent_wav(const std::string& path, int seconds) {
    constexpr std::uint32_t rate = 11025;
    const std::uint32_t samples = rate * static_cast<std::uint32_t>(seconds);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put_u32(out, 36 + samples);
    out.write("WAVEfmt ", 8);
    put_u32(out, 16);
    put_u16(out, 1);  // PCM
    put_u16(out, 1);  // mono
    put_u32(out, rate);
    put_u32(out, rate);  // bytes per second
    put_u16(out, 1);     // bytes per frame
    put_u16(out, 8);     // bits per sample
    out.write("data", 4);
    put_u32(out, samples);
    out << std::string(samples, static_cast<char>(0x80));
}
