#include "md2_fixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t header_size = 68;
constexpr std::size_t frame_head_size = 40;

void put_u8(std::vector<std::uint8_t>& bytes, std::uint8_t value) { bytes.push_back(value); }

void put_u16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void put_float(std::vector<std::uint8_t>& bytes, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put_u32(bytes, bits);
}

// A name field of the file: the text, zero-padded to its width.
void put_name(std::vector<std::uint8_t>& bytes, const std::string& name, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) bytes.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
}

std::int32_t size_as_int(std::size_t n) { return static_cast<std::int32_t>(n); }

}  // namespace

// The header takes its vertex count from the first frame; frames whose own
// lists differ are written as they are, which makes a damaged file. A negative
// skin or GL command count goes into the header with no block behind it.
std::vector<std::uint8_t> Md2Fixture::bytes() const {
    const std::size_t vertex_count = frames.empty() ? 0 : frames.front().vertices.size();
    const std::size_t skins = static_cast<std::size_t>(std::max(skin_count, 0));
    const std::size_t gl_commands = static_cast<std::size_t>(std::max(gl_command_count, 0));
    const std::size_t skins_offset = header_size;
    const std::size_t texcoords_offset = skins_offset + skins * 64;
    const std::size_t triangles_offset = texcoords_offset + texcoords.size() * 4;
    const std::size_t frames_offset = triangles_offset + triangles.size() * 12;
    std::size_t gl_commands_offset = frames_offset;
    for (const Md2FixtureFrame& frame : frames) gl_commands_offset += frame_head_size + frame.vertices.size() * 4;
    const std::size_t end_offset = gl_commands_offset + gl_commands * 4;

    std::vector<std::uint8_t> out;
    out.reserve(end_offset);
    put_name(out, "IDP2", 4);
    for (std::int32_t field :
         {8, skin_width, skin_height, size_as_int(frame_head_size + vertex_count * 4), skin_count,
          size_as_int(vertex_count), size_as_int(texcoords.size()), size_as_int(triangles.size()), gl_command_count,
          size_as_int(frames.size()), size_as_int(skins_offset), size_as_int(texcoords_offset),
          size_as_int(triangles_offset), size_as_int(frames_offset), size_as_int(gl_commands_offset),
          size_as_int(end_offset)})
        put_u32(out, static_cast<std::uint32_t>(field));
    for (std::size_t i = 0; i < skins; ++i) put_name(out, "models/skin" + std::to_string(i) + ".png", 64);
    for (const auto& [s, t] : texcoords) {
        put_u16(out, static_cast<std::uint16_t>(s));
        put_u16(out, static_cast<std::uint16_t>(t));
    }
    for (const auto& triangle : triangles)
        for (std::uint16_t index : triangle) put_u16(out, index);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (float scale : frames[i].scale) put_float(out, scale);
        for (float translate : frames[i].translate) put_float(out, translate);
        put_name(out, "frame" + std::to_string(i), 16);
        for (const auto& [x, y, z] : frames[i].vertices) {
            put_u8(out, x);
            put_u8(out, y);
            put_u8(out, z);
            put_u8(out, 0);
        }
    }
    // A GL command list is a run of strips or fans ended by a zero word; zeros
    // throughout keep it a valid, empty list.
    for (std::size_t i = 0; i < gl_commands; ++i) put_u32(out, 0);
    return out;
}

// The square stands upright in the file's Y-Z plane (Z is up in the file) and
// winds counter-clockwise seen from the file's -X side, which the game's axes
// turn into +z. Its skin covers it once, upright.
Md2Fixture square_md2_fixture(int frame_count) {
    constexpr std::uint8_t side = 32;
    Md2Fixture fixture;
    // Bottom left, bottom right, top right, top left as seen from the front;
    // the game's x is the file's -Y.
    fixture.texcoords = {{{0, 64}}, {{64, 64}}, {{64, 0}}, {{0, 0}}};
    fixture.triangles = {{{0, 1, 2, 0, 1, 2}}, {{0, 2, 3, 0, 2, 3}}};
    for (int i = 0; i < frame_count; ++i) {
        Md2FixtureFrame frame;
        frame.translate[0] = static_cast<float>(i);
        frame.vertices = {{{0, side, 0}}, {{0, 0, 0}}, {{0, 0, side}}, {{0, side, side}}};
        fixture.frames.push_back(frame);
    }
    return fixture;
}

void poke_int32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("could not write " + path);
}
