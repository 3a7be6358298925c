#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace floebound::tools {

using Bytes = std::vector<std::uint8_t>;

// Little-endian appenders for the RIFF, BMP and MD2 layouts.
void put_u16le(Bytes& out, std::uint16_t value);
void put_u32le(Bytes& out, std::uint32_t value);
void put_f32le(Bytes& out, float value);
void put_text(Bytes& out, const std::string& text);

// Writes the whole file or throws std::runtime_error naming it.
void write_file(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace floebound::tools
