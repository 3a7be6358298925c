#pragma once

namespace floebound {

struct ObjCorner;

// Cuts triangles in two at the midpoint of their longest edge, pass after
// pass, until no edge is longer than `limit`. `corners` is a malloc'd array of
// corner_count corners (three per triangle); it is grown in place and
// returned, possibly moved, with corner_count updated. Prints
// "In: %d verts (%d poly)\n" and "Out: %d verts (%d poly)\n". Null comes back
// silently. A limit below 1, which would split forever, is refused with one
// line and the array returned unchanged. Running out of memory, or growing
// past 3 * 2^20 corners, ends with "Crashed...out of memory during a
// subdiv.\n" and the result of the last full pass.
ObjCorner* subdivide_mesh(ObjCorner* corners, int& corner_count, float limit);

}  // namespace floebound
