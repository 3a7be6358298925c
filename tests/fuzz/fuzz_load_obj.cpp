// Feeds arbitrary bytes to load_obj as a model and its materials: the bytes
// before the first zero byte are the MTL file, the rest the OBJ file (all of
// it when there is no zero byte). The loader reads "models/<name>.obj" and
// ".mtl" from the game folder, so a scratch game folder links those names to
// the memory files.

#include "app/game_folder.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"

#include "memory_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace floebound;

namespace {

constexpr int obj_slot = 0;
constexpr int mtl_slot = 1;

std::filesystem::path scratch;

void remove_scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

void use_scratch_game_folder() {
    char name[] = "/tmp/fuzz_load_obj.XXXXXX";
    if (!mkdtemp(name)) std::abort();
    scratch = name;
    std::atexit(remove_scratch);
    set_game_folder(scratch.string());
    std::filesystem::create_directory(scratch / "models");
    std::filesystem::create_symlink(memory_file_holding(nullptr, 0, obj_slot), scratch / "models/fuzz.obj");
    std::filesystem::create_symlink(memory_file_holding(nullptr, 0, mtl_slot), scratch / "models/fuzz.mtl");
}

// What drawing a group would rely on.
bool is_sound(const ObjModel& model) {
    if (model.group_count < 0 || model.group_count > static_cast<int>(model.groups.size()) || !model.texture)
        return false;
    const auto corner_total = static_cast<int>(model.corners.size());
    for (int g = 0; g < model.group_count; ++g) {
        const ObjGroup& group = model.groups[g];
        const int corners = group.end_corner - group.first_corner;
        if (group.first_corner < 0 || corners < 0 || group.end_corner > corner_total || corners % 3 != 0)
            return false;
        if (group.wide_corners < 0 || group.wide_corners > corners || group.wide_corners % 3 != 0) return false;
        const auto& images = scenery_tables.material_images;
        const auto owned = [&](const ImageHandle& image) { return image.get() == group.material_image; };
        if (group.material_image && std::none_of(images.begin(), images.end(), owned)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (use_scratch_game_folder(), true);
    (void)ready;
    const std::uint8_t* split = std::find(data, data + size, 0);
    const bool has_mtl = split != data + size;
    memory_file_holding(data, has_mtl ? static_cast<std::size_t>(split - data) : 0, mtl_slot);
    const std::uint8_t* obj = has_mtl ? split + 1 : data;
    memory_file_holding(obj, static_cast<std::size_t>(data + size - obj), obj_slot);

    // Every input loads into the first slot: the files exist and fit.
    if (load_obj("fuzz") != &scenery_tables.models[0] || scenery_item_count() != 1) std::abort();
    if (!is_sound(scenery_tables.models[0])) std::abort();
    free_scenery_items();
    return 0;
}
