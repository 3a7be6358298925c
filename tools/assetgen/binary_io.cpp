#include "binary_io.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace floebound::tools {

void put_u16le(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32le(Bytes& out, std::uint32_t value) {
    put_u16le(out, static_cast<std::uint16_t>(value & 0xffff));
    put_u16le(out, static_cast<std::uint16_t>(value >> 16));
}

void put_f32le(Bytes& out, float value) {
    static_assert(sizeof(float) == sizeof(std::uint32_t), "IEEE single precision");
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    put_u32le(out, bits);
}

void put_text(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void write_file(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace floebound::tools
