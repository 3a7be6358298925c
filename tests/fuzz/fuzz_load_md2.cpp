// Feeds arbitrary bytes to load_md2 through a memory file, since the loader
// only reads from a path, and blends whatever loads.

#include "meshes/md2.h"

#include "memory_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

// What the actors rely on in a model that loaded.
bool is_sound(const Md2Model& model) {
    return model.skin == nullptr && model.frame_count >= 1 && model.frame_count <= 512 &&
           model.triangle_count >= 0 && model.triangle_count <= 4096 && model.skin_width > 0 &&
           model.skin_height > 0 && model.frames && model.corner_texcoords;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = memory_file_holding(data, size);

    const int held_before = md2_alloc_bytes;
    std::unique_ptr<Md2Model> model = load_md2(path);
    if (model) {
        if (!is_sound(*model)) std::abort();
        // Both ends of the frame range and the out-of-range fallback read only
        // what the model holds.
        std::vector<Md2CornerVertex> corners(static_cast<std::size_t>(model->triangle_count) * 3);
        float box[6];
        const int last = model->frame_count - 1;
        const int pairs[3][2] = {{0, last}, {last, 0}, {-1, last + 1}};
        for (const auto& [frame, next] : pairs) md2_build_vertices(model.get(), frame, next, 0.5f, corners.data(), box);
    }
    free_md2(std::move(model));
    // A refused file and a released model both give back every byte.
    if (md2_alloc_bytes != held_before) std::abort();
    return 0;
}
