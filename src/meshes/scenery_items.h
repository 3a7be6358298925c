#pragma once

namespace floebound {

// The static trees and grass tufts meant to stand around the field, loaded
// into the scenery table in this order ("enviro/tree2" twice, so slots 0 and
// 3 hold separate copies).
constexpr int scenery_item_list_size = 11;
extern const char* const scenery_item_list[scenery_item_list_size];

// Loads the list unless some item is already loaded, printing
// "Loading items...\n" and "Loading items complete\n" around the models'
// own lines. Keeps textures out of the texture memory budget from then on.
void load_scenery_items();

// Releases every model and material picture and empties both tables.
void free_scenery_items();

// Scales filled slot i by 6 and moves it to (x, y, z); other slots are ignored.
void place_scenery_item(int i, float x, float y, float z);

// The terrain's draw hook for slot i; the items are not drawn yet, so it
// draws nothing and reads nothing.
void draw_scenery_item(int i);

}  // namespace floebound
