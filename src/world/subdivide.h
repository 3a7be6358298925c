#pragma once

#include <vector>

namespace floebound {

struct ObjCorner;

// Cuts triangles in two at the midpoint of their longest edge, pass after
// pass, until no edge is longer than `limit`. `corners` holds three corners
// per triangle; a pass that splits grows it by exactly the triangles it adds,
// in one allocation. Prints "In: %d verts (%d poly)\n" and
// "Out: %d verts (%d poly)\n". An empty mesh is left as it is, silently. A
// limit below 1, which would split forever, is refused with one line and the
// corners left unchanged. Running out of memory, or growing past 3 * 2^20
// corners, ends with "Crashed...out of memory during a subdiv.\n" and the
// result of the last full pass.
void subdivide_mesh(std::vector<ObjCorner>& corners, float limit);

}  // namespace floebound
