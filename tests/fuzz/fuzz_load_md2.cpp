// Feeds arbitrary bytes to load_md2 through a memory file, since the loader
// only reads from a path, and blends whatever loads.

#include "meshes/md2.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool fill_memory_file(int fd, const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd, 0) != 0) return false;
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// What the actors rely on in a model that loaded.
bool is_sound(const Md2Model& model) {
    return model.skin == nullptr && model.frame_count >= 1 && model.frame_count <= 512 &&
           model.triangle_count >= 0 && model.triangle_count <= 4096 && model.skin_width > 0 &&
           model.skin_height > 0 && model.frames && model.corner_texcoords;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("fuzz_load_md2", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || !fill_memory_file(fd, data, size)) std::abort();

    const int held_before = md2_alloc_bytes;
    Md2Model* model = load_md2(path.c_str());
    if (model) {
        if (!is_sound(*model)) std::abort();
        // Both ends of the frame range and the out-of-range fallback read only
        // what the model holds.
        std::vector<Md2CornerVertex> corners(static_cast<std::size_t>(model->triangle_count) * 3);
        float box[6];
        const int last = model->frame_count - 1;
        const int pairs[3][2] = {{0, last}, {last, 0}, {-1, last + 1}};
        for (const auto& [frame, next] : pairs) md2_build_vertices(model, frame, next, 0.5f, corners.data(), box);
    }
    free_md2(model);
    // A refused file and a released model both give back every byte.
    if (md2_alloc_bytes != held_before) std::abort();
    return 0;
}
