#pragma once

#include <array>
#include <string>
#include <vector>

namespace floebound::tools {

// An MD2 model and its skin as the preview needs them: every frame decoded
// to model-space floats, triangles with texel coordinates.
struct PreviewTriangle {
    std::array<int, 3> vertex;
    std::array<std::array<float, 2>, 3> texel;
};

struct PreviewModel {
    int skin_width = 0, skin_height = 0;
    std::vector<PreviewTriangle> triangles;
    std::vector<std::vector<std::array<float, 3>>> frames;
};

struct PreviewSkin {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

// Both throw std::runtime_error when the file is missing or damaged.
PreviewModel read_md2(const std::string& path);
PreviewSkin read_png(const std::string& path);

}  // namespace floebound::tools
