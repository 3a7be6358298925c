#include "model_file.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace floebound::tools {

namespace {

std::int32_t int_at(const std::vector<unsigned char>& bytes, std::size_t at) {
    if (at + 4 > bytes.size()) throw std::runtime_error("md2 cut short");
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

int short_at(const std::vector<unsigned char>& bytes, std::size_t at) {
    if (at + 2 > bytes.size()) throw std::runtime_error("md2 cut short");
    return bytes[at] | bytes[at + 1] << 8;
}

float float_at(const std::vector<unsigned char>& bytes, std::size_t at) {
    const std::uint32_t bits = static_cast<std::uint32_t>(int_at(bytes, at));
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

PreviewModel read_md2(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 68 || std::memcmp(bytes.data(), "IDP2", 4) != 0)
        throw std::runtime_error(path + " is not an MD2 file");

    PreviewModel model;
    model.skin_width = int_at(bytes, 8);
    model.skin_height = int_at(bytes, 12);
    const int vertex_count = int_at(bytes, 24), triangle_count = int_at(bytes, 32), frame_count = int_at(bytes, 40);
    const std::size_t texels_at = int_at(bytes, 48), triangles_at = int_at(bytes, 52), frames_at = int_at(bytes, 56);
    const std::size_t frame_size = int_at(bytes, 16);
    if (frame_count < 1) throw std::runtime_error(path + " has no frames");

    for (int i = 0; i < triangle_count; ++i) {
        PreviewTriangle t{};
        for (int c = 0; c < 3; ++c) {
            t.vertex[c] = short_at(bytes, triangles_at + 12 * i + 2 * c);
            // The renderer indexes the frames with it.
            if (t.vertex[c] >= vertex_count) throw std::runtime_error(path + " names a missing vertex");
            const std::size_t texel = texels_at + 4 * short_at(bytes, triangles_at + 12 * i + 6 + 2 * c);
            t.texel[c] = {static_cast<float>(static_cast<std::int16_t>(short_at(bytes, texel))),
                          static_cast<float>(static_cast<std::int16_t>(short_at(bytes, texel + 2)))};
        }
        model.triangles.push_back(t);
    }
    for (int f = 0; f < frame_count; ++f) {
        const std::size_t head = frames_at + frame_size * f;
        std::vector<std::array<float, 3>> vertices;
        for (int v = 0; v < vertex_count; ++v) {
            std::array<float, 3> p{};
            for (int axis = 0; axis < 3; ++axis) {
                const std::size_t byte = head + 40 + 4 * v + axis;
                if (byte >= bytes.size()) throw std::runtime_error("md2 cut short");
                p[axis] = bytes[byte] * float_at(bytes, head + 4 * axis) + float_at(bytes, head + 12 + 4 * axis);
            }
            vertices.push_back(p);
        }
        model.frames.push_back(vertices);
    }
    return model;
}

PreviewSkin read_png(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) throw std::runtime_error("cannot read " + path);
    image.format = PNG_FORMAT_RGBA;
    PreviewSkin skin;
    skin.width = static_cast<int>(image.width);
    skin.height = static_cast<int>(image.height);
    skin.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, skin.rgba.data(), 0, nullptr))
        throw std::runtime_error("cannot decode " + path);
    return skin;
}

}  // namespace floebound::tools
