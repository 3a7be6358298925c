#pragma once

#include "media/image.h"
#include "meshes/obj_model.h"

#include <vector>

namespace floebound {

constexpr int max_scenery_models = 32;
constexpr int max_obj_materials = 256;

// The process-wide tables load_obj fills: the models in load order and the
// materials of the model loaded last.
struct SceneryTables {
    ObjModel models[max_scenery_models];
    int model_count;
    ObjMaterial materials[max_obj_materials];
    int material_count;
    // Every material picture loaded since the last release. Models keep
    // pointing at theirs after the next model's materials replace the
    // entries, so the pictures live here until free_scenery_items.
    std::vector<ImageHandle> material_images;
};

extern SceneryTables scenery_tables;

// The number of filled model slots.
int scenery_item_count();

}  // namespace floebound
