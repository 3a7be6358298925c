#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Builds the bytes of an MD2 file for tests: well-formed by default, and
// open to any damage a test wants to do to the fields or the bytes.
struct Md2FixtureFrame {
    float scale[3] = {1, 1, 1};
    float translate[3] = {0, 0, 0};
    std::vector<std::array<std::uint8_t, 3>> vertices;  // x, y, z bytes; normal index written as 0
};

struct Md2Fixture {
    std::int32_t skin_width = 64;
    std::int32_t skin_height = 64;
    std::int32_t skin_count = 1;
    std::int32_t gl_command_count = 2;
    std::vector<std::array<std::int16_t, 2>> texcoords;  // s, t in texels
    // Three vertex indices, then three texture coordinate indices.
    std::vector<std::array<std::uint16_t, 6>> triangles;
    std::vector<Md2FixtureFrame> frames;

    // A well-formed file: header "IDP2" version 8, then skins, texture
    // coordinates, triangles, frames and GL commands back to back.
    std::vector<std::uint8_t> bytes() const;
};

// A square of two triangles facing the viewer, with frame_count frames in
// which frame i is moved i units along the file's x axis.
Md2Fixture square_md2_fixture(int frame_count);

// Byte offsets of the header fields, for tests that damage them.
enum Md2HeaderField : int {
    md2_ident = 0, md2_version = 4, md2_skin_width = 8, md2_skin_height = 12, md2_frame_size = 16,
    md2_num_skins = 20, md2_num_vertices = 24, md2_num_texcoords = 28, md2_num_triangles = 32,
    md2_num_gl_commands = 36, md2_num_frames = 40, md2_offset_skins = 44, md2_offset_texcoords = 48,
    md2_offset_triangles = 52, md2_offset_frames = 56, md2_offset_gl_commands = 60, md2_offset_end = 64,
};

void poke_int32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);
void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
