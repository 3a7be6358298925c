#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "binary_io.h"
#include "geometry.h"

namespace floebound::tools {

// The game refuses models larger than this.
inline constexpr int kMd2MaxTriangles = 4096;
inline constexpr int kMd2MaxVertices = 2048;
inline constexpr int kMd2MaxTexcoords = 2048;
inline constexpr int kMd2MaxFrames = 512;

struct Md2Texel {
    std::int16_t s, t;
};

// Corners in the order the game draws as front faces: clockwise seen from
// outside (it culls with the front face set to clockwise).
struct Md2Triangle {
    std::uint16_t vertex[3];
    Md2Texel texel[3];
};

struct Md2KeyFrame {
    std::string name;            // at most 15 characters
    std::vector<Vec3> vertices;  // model space, +Z up, facing +X
};

struct Md2Mesh {
    int skin_width = 0;
    int skin_height = 0;
    std::string skin_name;  // at most 63 characters
    std::vector<Md2Triangle> triangles;
    std::vector<Md2KeyFrame> frames;
};

// The file's bytes: header "IDP2" version 8, then skin name, texture
// coordinates, triangles, frames and GL commands. Each frame is quantised to
// bytes with its own scale and translate. Throws std::invalid_argument for a
// mesh the file or the game cannot hold.
Bytes encode_md2(const Md2Mesh& mesh);

}  // namespace floebound::tools
