#include "md2_writer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

namespace floebound::tools {

namespace {

constexpr std::uint32_t kHeaderSize = 68;
constexpr std::uint32_t kSkinNameSize = 64;
constexpr std::uint32_t kFrameNameSize = 16;
constexpr std::uint32_t kFrameHeadSize = 40;

void put_i32le(Bytes& out, std::int64_t value) { put_u32le(out, static_cast<std::uint32_t>(value)); }

void put_padded_name(Bytes& out, const std::string& name, std::size_t size) {
    put_text(out, name);
    out.insert(out.end(), size - name.size(), 0);
}

void check(const Md2Mesh& mesh) {
    const auto fail = [](const std::string& why) { throw std::invalid_argument("md2: " + why); };
    if (mesh.frames.empty()) fail("no frames");
    if (mesh.frames.size() > static_cast<std::size_t>(kMd2MaxFrames)) fail("too many frames");
    const std::size_t vertex_count = mesh.frames.front().vertices.size();
    if (vertex_count > static_cast<std::size_t>(kMd2MaxVertices)) fail("too many vertices");
    if (mesh.triangles.size() > static_cast<std::size_t>(kMd2MaxTriangles)) fail("too many triangles");
    if (mesh.skin_width <= 0 || mesh.skin_height <= 0) fail("no skin size");
    if (mesh.skin_name.size() >= kSkinNameSize) fail("skin name too long");
    for (const Md2KeyFrame& frame : mesh.frames) {
        if (frame.vertices.size() != vertex_count) fail("frames disagree on the vertex count");
        if (frame.name.size() >= kFrameNameSize) fail("frame name too long: " + frame.name);
    }
    for (const Md2Triangle& t : mesh.triangles)
        for (std::uint16_t v : t.vertex)
            if (v >= vertex_count) fail("triangle names a missing vertex");
}

// Texture coordinates shared by corners that sample the same texel, in order
// of first use, and each triangle corner's index into them.
struct TexelTable {
    std::vector<Md2Texel> texels;
    std::vector<std::uint16_t> corner_index;
};

TexelTable share_texels(const std::vector<Md2Triangle>& triangles) {
    TexelTable table;
    std::map<std::pair<std::int16_t, std::int16_t>, std::uint16_t> index_of;
    for (const Md2Triangle& t : triangles) {
        for (const Md2Texel& texel : t.texel) {
            const auto [it, added] = index_of.emplace(std::make_pair(texel.s, texel.t), table.texels.size());
            if (added) table.texels.push_back(texel);
            table.corner_index.push_back(it->second);
        }
    }
    return table;
}

// vertex = byte * scale + translate, with the bytes spanning the frame's
// bounding box so the rounding error stays within half a step.
void put_frame(Bytes& out, const Md2KeyFrame& frame) {
    float low[3], step[3];
    for (int axis = 0; axis < 3; ++axis) {
        const auto component = [axis](Vec3 v) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
        float lo = component(frame.vertices.front()), hi = lo;
        for (Vec3 v : frame.vertices) {
            lo = std::min(lo, component(v));
            hi = std::max(hi, component(v));
        }
        low[axis] = lo;
        // A flat axis still needs a usable step; every byte is 0 there.
        step[axis] = hi > lo ? (hi - lo) / 255.0f : 1.0f;
    }
    for (float s : step) put_f32le(out, s);
    for (float t : low) put_f32le(out, t);
    put_padded_name(out, frame.name, kFrameNameSize);
    for (Vec3 v : frame.vertices) {
        const float c[3] = {v.x, v.y, v.z};
        for (int axis = 0; axis < 3; ++axis)
            out.push_back(
                static_cast<std::uint8_t>(std::clamp(std::lround((c[axis] - low[axis]) / step[axis]), 0L, 255L)));
        out.push_back(0);  // normal index: the game draws unlit and never reads it
    }
}

}  // namespace

Bytes encode_md2(const Md2Mesh& mesh) {
    check(mesh);
    const TexelTable texels = share_texels(mesh.triangles);
    if (texels.texels.size() > static_cast<std::size_t>(kMd2MaxTexcoords))
        throw std::invalid_argument("md2: too many texture coordinates");
    const std::uint32_t vertex_count = static_cast<std::uint32_t>(mesh.frames.front().vertices.size());
    const std::uint32_t skin_count = 1;
    const std::uint32_t texel_count = static_cast<std::uint32_t>(texels.texels.size());
    const std::uint32_t triangle_count = static_cast<std::uint32_t>(mesh.triangles.size());
    const std::uint32_t frame_count = static_cast<std::uint32_t>(mesh.frames.size());
    // The game draws from the triangle list; the GL command list is only its
    // terminating zero.
    const std::uint32_t gl_command_count = 1;
    const std::uint32_t frame_size = kFrameHeadSize + 4 * vertex_count;

    const std::uint32_t skins_at = kHeaderSize;
    const std::uint32_t texels_at = skins_at + kSkinNameSize * skin_count;
    const std::uint32_t triangles_at = texels_at + 4 * texel_count;
    const std::uint32_t frames_at = triangles_at + 12 * triangle_count;
    const std::uint32_t gl_commands_at = frames_at + frame_size * frame_count;
    const std::uint32_t end_at = gl_commands_at + 4 * gl_command_count;

    Bytes out;
    out.reserve(end_at);
    put_text(out, "IDP2");
    for (std::int64_t field : {8, mesh.skin_width, mesh.skin_height}) put_i32le(out, field);
    for (std::uint32_t field : {frame_size, skin_count, vertex_count, texel_count, triangle_count, gl_command_count,
                                frame_count, skins_at, texels_at, triangles_at, frames_at, gl_commands_at, end_at})
        put_u32le(out, field);

    put_padded_name(out, mesh.skin_name, kSkinNameSize);
    for (const Md2Texel& texel : texels.texels) {
        put_u16le(out, static_cast<std::uint16_t>(texel.s));
        put_u16le(out, static_cast<std::uint16_t>(texel.t));
    }
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        for (std::uint16_t v : mesh.triangles[i].vertex) put_u16le(out, v);
        for (int c = 0; c < 3; ++c) put_u16le(out, texels.corner_index[3 * i + c]);
    }
    for (const Md2KeyFrame& frame : mesh.frames) put_frame(out, frame);
    put_u32le(out, 0);
    return out;
}

}  // namespace floebound::tools
