// The MD2 writer, checked with the tests' own reader of the file layout.

#include "md2_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model_files.h"

using namespace floebound::tools;

namespace {

Md2Triangle triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c, Md2Texel ta, Md2Texel tb, Md2Texel tc) {
    return {{a, b, c}, {ta, tb, tc}};
}

// Five vertices, four triangles that share some texels, three frames: one
// spread over a wide range, one small and off-centre, one flat in z.
Md2Mesh sample_mesh() {
    Md2Mesh mesh;
    mesh.skin_width = 256;
    mesh.skin_height = 128;
    mesh.skin_name = "models/sample/skin.png";
    mesh.triangles = {triangle(0, 1, 2, {0, 0}, {10, 0}, {10, 20}), triangle(0, 2, 3, {0, 0}, {10, 20}, {255, 127}),
                      triangle(1, 4, 2, {10, 0}, {3, 4}, {10, 20}), triangle(4, 3, 0, {3, 4}, {255, 127}, {7, 9})};
    mesh.frames = {
        {"wide",
         {{-31.7f, 12.5f, -24},
          {30.2f, -28.9f, 17.25f},
          {0.1f, 0.2f, 0.3f},
          {5.55f, -3.3f, 9.99f},
          {-12, 27.4f, -6.5f}}},
        {"small",
         {{100.0f, 100.0f, 100.0f},
          {100.5f, 100.25f, 100.125f},
          {100.3f, 100.1f, 100.7f},
          {100.2f, 100.9f, 100.4f},
          {100.6f, 100.6f, 100.6f}}},
        {"flat", {{1, 2, -24}, {3, 4, -24}, {5, 6, -24}, {7, 8, -24}, {9, 10, -24}}},
    };
    return mesh;
}

}  // namespace

TEST(Md2Writer, HeaderCountsAndOffsetsDescribeTheFileExactly) {
    const Md2Mesh mesh = sample_mesh();
    const Bytes bytes = encode_md2(mesh);
    const Md2File file = parse_md2(bytes);
    const Md2Header& h = file.header;

    EXPECT_EQ(std::string(h.ident, 4), "IDP2");
    EXPECT_EQ(h.version, 8);
    EXPECT_EQ(h.skin_width, 256);
    EXPECT_EQ(h.skin_height, 128);
    EXPECT_EQ(h.skin_count, 1);
    EXPECT_EQ(h.vertex_count, 5);
    EXPECT_EQ(h.triangle_count, 4);
    EXPECT_EQ(h.frame_count, 3);
    EXPECT_EQ(h.texcoord_count, 6) << "corners that sample the same texel share one entry";
    EXPECT_EQ(h.frame_size, 40 + 4 * 5);

    // Blocks follow each other with no gap, and the end offset is the file's end.
    EXPECT_EQ(h.skins_at, 68);
    EXPECT_EQ(h.texcoords_at, h.skins_at + 64 * h.skin_count);
    EXPECT_EQ(h.triangles_at, h.texcoords_at + 4 * h.texcoord_count);
    EXPECT_EQ(h.frames_at, h.triangles_at + 12 * h.triangle_count);
    EXPECT_EQ(h.gl_commands_at, h.frames_at + h.frame_size * h.frame_count);
    EXPECT_EQ(h.end_at, h.gl_commands_at + 4 * h.gl_command_count);
    EXPECT_EQ(static_cast<std::size_t>(h.end_at), file.file_size);
    ASSERT_FALSE(file.gl_commands.empty());
    EXPECT_EQ(file.gl_commands.back(), 0) << "a GL command list ends with a zero word";

    ASSERT_EQ(file.skin_names.size(), 1u);
    EXPECT_EQ(file.skin_names[0], mesh.skin_name);
}

TEST(Md2Writer, TrianglesKeepTheirVerticesAndTexelsCornerByCorner) {
    const Md2Mesh mesh = sample_mesh();
    const Md2File file = parse_md2(encode_md2(mesh));
    ASSERT_EQ(file.triangles.size(), mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(file.triangles[t][c], mesh.triangles[t].vertex[c]) << "triangle " << t << " corner " << c;
            EXPECT_EQ(file.texel(t, c)[0], mesh.triangles[t].texel[c].s) << "triangle " << t << " corner " << c;
            EXPECT_EQ(file.texel(t, c)[1], mesh.triangles[t].texel[c].t) << "triangle " << t << " corner " << c;
        }
    }
}

TEST(Md2Writer, FramesComeBackWithinHalfAQuantisationStep) {
    const Md2Mesh mesh = sample_mesh();
    const Md2File file = parse_md2(encode_md2(mesh));
    ASSERT_EQ(file.frames.size(), mesh.frames.size());
    for (std::size_t f = 0; f < mesh.frames.size(); ++f) {
        const auto& original = mesh.frames[f].vertices;
        const Md2FileFrame& frame = file.frames[f];
        EXPECT_EQ(frame.name, mesh.frames[f].name);
        for (int axis = 0; axis < 3; ++axis) {
            const auto component = [axis](Vec3 v) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
            const auto [lo, hi] = std::minmax_element(original.begin(), original.end(),
                                                      [&](Vec3 a, Vec3 b) { return component(a) < component(b); });
            const float extent = component(*hi) - component(*lo);
            // The 256 steps are spread over the frame's own extent, no coarser.
            if (extent > 0) {
                EXPECT_LE(frame.scale[axis], extent / 255.0f * 1.0001f) << "frame " << f << " axis " << axis;
            }
            for (std::size_t v = 0; v < original.size(); ++v) {
                const float error = std::fabs(frame.vertices[v][axis] - component(original[v]));
                EXPECT_LE(error, 0.5f * frame.scale[axis] + 1e-4f * (1 + std::fabs(component(original[v]))))
                    << "frame " << f << " vertex " << v << " axis " << axis;
            }
        }
    }
    // A frame flat along an axis reproduces that axis exactly.
    for (const auto& v : file.frames[2].vertices) EXPECT_EQ(v[2], -24.0f);
}

TEST(Md2Writer, RefusesMeshesTheFileOrTheGameCannotHold) {
    const auto refused = [](const Md2Mesh& mesh) { EXPECT_THROW(encode_md2(mesh), std::invalid_argument); };
    Md2Mesh no_frames = sample_mesh();
    no_frames.frames.clear();
    refused(no_frames);

    Md2Mesh uneven = sample_mesh();
    uneven.frames[1].vertices.pop_back();
    refused(uneven);

    Md2Mesh dangling = sample_mesh();
    dangling.triangles[2].vertex[1] = 5;
    refused(dangling);

    Md2Mesh long_name = sample_mesh();
    long_name.frames[0].name = "sixteen_letters!";
    refused(long_name);

    Md2Mesh too_many_vertices = sample_mesh();
    too_many_vertices.frames = {{"big", std::vector<Vec3>(kMd2MaxVertices + 1)}};
    refused(too_many_vertices);

    Md2Mesh too_many_triangles = sample_mesh();
    too_many_triangles.triangles.resize(kMd2MaxTriangles + 1, too_many_triangles.triangles[0]);
    refused(too_many_triangles);

    Md2Mesh too_many_texels = sample_mesh();
    for (std::int16_t s = 0; s < 700; ++s)
        too_many_texels.triangles.push_back(triangle(0, 1, 2, {s, 0}, {s, 1}, {s, 2}));
    refused(too_many_texels);

    Md2Mesh too_many_frames = sample_mesh();
    too_many_frames.frames.resize(kMd2MaxFrames + 1, too_many_frames.frames[0]);
    refused(too_many_frames);

    // The limits themselves are allowed.
    Md2Mesh largest = sample_mesh();
    largest.triangles.resize(kMd2MaxTriangles, largest.triangles[0]);
    largest.frames.assign(kMd2MaxFrames, {"big", std::vector<Vec3>(kMd2MaxVertices)});
    EXPECT_NO_THROW(encode_md2(largest));
}
