#pragma once

namespace floebound {

struct ObjCorner;
struct ObjGroup;

// Squared edge length beyond which a triangle counts as wide: 250 units.
constexpr float wide_squared_edge = 62500;

// Readies a closed group's triangles: sorts them by longest edge, widest
// first; counts the wide ones into wide_corners; sets the bounding box.
// Prints "Of %d verts, %d are wide.\n" (triangles, wide triangles).
void finish_obj_group(ObjGroup& group, ObjCorner* corners);

}  // namespace floebound
