#pragma once

namespace floebound {

struct Image;

// Stands scenery slot i on the height field at the grid point nearest
// (x, z): column x / 64 + W / 2 and row z / 64 + H / 2, every division
// truncating toward zero.
void terrain_place_item(const Image& height_map, int i, int x, int z, float spacing);

// Places slots 0 to 10 at their fixed spots around the field, but only when
// more than ten items are loaded.
void place_terrain_items(const Image& height_map, float spacing);

}  // namespace floebound
