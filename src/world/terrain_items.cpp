#include "world/terrain_items.h"

#include "media/image.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"
#include "world/terrain_mesh.h"

namespace floebound {

namespace {

constexpr int item_grid = 64;  // whatever the spacing

struct ItemSpot {
    int x, z;
};

constexpr ItemSpot item_spots[scenery_item_list_size] = {
    {128, 128}, {-128, 128}, {128, -128}, {-128, -128}, {192, 48}, {-192, 64},
    {48, -192}, {48, 192},   {-192, 96},  {96, -192},   {192, 0},
};

}  // namespace

void terrain_place_item(const Image& height_map, int i, int x, int z, float spacing) {
    const int column = x / item_grid + height_map.width / 2;
    const int row = z / item_grid + height_map.height / 2;
    const Vector3 at = terrain_sample(height_map, nullptr, column, row, spacing).position;
    place_scenery_item(i, at.x, at.y, at.z);
}

void place_terrain_items(const Image& height_map, float spacing) {
    if (scenery_item_count() < scenery_item_list_size) return;
    for (int i = 0; i < scenery_item_list_size; ++i)
        terrain_place_item(height_map, i, item_spots[i].x, item_spots[i].z, spacing);
}

}  // namespace floebound
