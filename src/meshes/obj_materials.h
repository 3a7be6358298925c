#pragma once

namespace floebound {

// Empties the material table (the pictures stay with the table) and fills it
// from "models/<name>.mtl", loading each "map_Kd" picture from
// "models/<name>/<file>". Prints "read materials for '%s'\n", a line per
// material and picture, and "read %d materials for %s\n" at the end.
// Materials beyond the table's 256 entries are skipped with a line each.
void load_obj_materials(const char* model_name);

// The index of the material of this name in the table, or -1.
int find_obj_material(const char* name);

}  // namespace floebound
