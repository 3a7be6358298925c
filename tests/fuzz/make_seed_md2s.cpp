// Writes the seed corpus of fuzz_load_md2: small models that between them
// reach every block of the format and both ends of the blending, so the fuzzer
// starts from files that load.

#include "md2_fixture.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// Eight corners of a box, its six faces as twelve triangles, each face with a
// texture coordinate of its own per corner.
Md2Fixture box_md2(int frame_count) {
    Md2Fixture box;
    box.skin_width = 32;
    box.skin_height = 16;
    box.skin_count = 2;
    box.gl_command_count = 7;
    const int faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (int face = 0; face < 6; ++face) {
        const auto first = static_cast<std::uint16_t>(box.texcoords.size());
        for (int corner = 0; corner < 4; ++corner)
            box.texcoords.push_back({static_cast<std::int16_t>(face * 5 + corner), static_cast<std::int16_t>(-corner)});
        const auto v = [&](int corner) { return static_cast<std::uint16_t>(faces[face][corner]); };
        const auto t = [&](int corner) { return static_cast<std::uint16_t>(first + corner); };
        box.triangles.push_back({v(0), v(1), v(2), t(0), t(1), t(2)});
        box.triangles.push_back({v(0), v(2), v(3), t(0), t(2), t(3)});
    }
    for (int i = 0; i < frame_count; ++i) {
        Md2FixtureFrame frame;
        frame.scale[2] = 0.5f + static_cast<float>(i);
        frame.translate[1] = -4.0f * static_cast<float>(i);
        for (int corner = 0; corner < 8; ++corner)
            frame.vertices.push_back({static_cast<std::uint8_t>(corner & 1 ? 200 : 10),
                                      static_cast<std::uint8_t>(corner & 2 ? 255 : 0),
                                      static_cast<std::uint8_t>(corner & 4 ? 90 + i : 3)});
        box.frames.push_back(frame);
    }
    return box;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    Md2Fixture bare = square_md2_fixture(1);
    bare.skin_count = 0;
    bare.gl_command_count = 0;
    Md2Fixture no_triangles = square_md2_fixture(2);
    no_triangles.triangles.clear();
    const std::pair<const char*, Md2Fixture> seeds[] = {
        {"square1.md2", square_md2_fixture(1)},
        {"square4.md2", square_md2_fixture(4)},
        {"bare.md2", bare},
        {"no_triangles.md2", no_triangles},
        {"box3.md2", box_md2(3)},
    };
    try {
        for (const auto& [name, model] : seeds) write_bytes(std::string(argv[1]) + "/" + name, model.bytes());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
