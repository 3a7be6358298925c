#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// An MD2 reader for the generated models, written from the file layout
// alone, independently of the generator's writer. Throws std::runtime_error
// when a block runs past the end of the file or an index points nowhere.
struct Md2Header {
    char ident[4];
    std::int32_t version, skin_width, skin_height, frame_size;
    std::int32_t skin_count, vertex_count, texcoord_count, triangle_count, gl_command_count, frame_count;
    std::int32_t skins_at, texcoords_at, triangles_at, frames_at, gl_commands_at, end_at;
};

struct Md2FileFrame {
    std::array<float, 3> scale, translate;
    std::string name;
    std::vector<std::array<std::uint8_t, 3>> bytes;
    std::vector<std::array<float, 3>> vertices;  // byte * scale + translate
};

struct Md2File {
    Md2Header header;
    std::size_t file_size;
    std::vector<std::string> skin_names;
    std::vector<std::array<std::int16_t, 2>> texcoords;
    std::vector<std::array<std::uint16_t, 6>> triangles;  // three vertex, then three texcoord indices
    std::vector<Md2FileFrame> frames;
    std::vector<std::int32_t> gl_commands;

    // The texel (s, t) that corner c (0..2) of triangle t samples.
    std::array<std::int16_t, 2> texel(std::size_t triangle, int corner) const {
        return texcoords[triangles[triangle][3 + corner]];
    }
};

Md2File parse_md2(const std::vector<std::uint8_t>& bytes);
Md2File read_md2(const std::string& path);
