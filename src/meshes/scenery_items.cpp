#include "meshes/scenery_items.h"

#include "media/texture_budget.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_tables.h"

#include <cstdio>

namespace floebound {

const char* const scenery_item_list[scenery_item_list_size] = {
    "enviro/tree2",  "enviro/tree4",  "enviro/tree5",  "enviro/tree2",
    "enviro/grass1", "enviro/grass2", "enviro/grass3", "enviro/grass4",
    "enviro/grass5", "enviro/grass6", "enviro/grass_scatt",
};

namespace {
constexpr float item_scale = 6.0f;
}  // namespace

void load_scenery_items() {
    if (scenery_item_count() > 0) return;
    std::printf("Loading items...\n");
    texture_budget.vram_enabled = false;
    // An item that did not load is missing from the table, its line printed.
    for (const char* name : scenery_item_list) static_cast<void>(load_obj(name));
    std::printf("Loading items complete\n");
}

void free_scenery_items() {
    for (int i = 0; i < scenery_tables.model_count; ++i) release_obj_model(scenery_tables.models[i]);
    scenery_tables.model_count = 0;
    scenery_tables.material_images.clear();
    for (ObjMaterial& material : scenery_tables.materials) {
        material.image = nullptr;
        material.name[0] = '\0';
    }
    scenery_tables.material_count = 0;
}

void place_scenery_item(int i, float x, float y, float z) {
    if (i < 0 || i >= scenery_item_count()) return;
    float* matrix = scenery_tables.models[i].placement;
    matrix[0] = matrix[5] = matrix[10] = item_scale;
    matrix[12] = x;
    matrix[13] = y;
    matrix[14] = z;
}

void draw_scenery_item(int) {}

}  // namespace floebound
