#pragma once

#include <functional>
#include <vector>

#include "geometry.h"

namespace floebound::tools {

// Low-poly primitives for the game's models. Each primitive has its own
// surface coordinates (u, v) in 0..1, and a UvMap places them somewhere on the
// model's skin (skin coordinates 0..1, v running down the picture).
using UvMap = std::function<Vec2(Vec2)>;

struct UvRect {
    float u0, v0, u1, v1;
};

// The primitive's whole surface stretched over one rectangle of the skin.
UvMap uv_rect(UvRect rect);

struct Corner {
    int vertex;
    Vec2 uv;
};

// Corners run counter-clockwise seen from outside.
struct Triangle {
    Corner corners[3];
};

struct Mesh {
    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
};

// Appends `part`, moved by `place`.
void add(Mesh& into, const Mesh& part, const Transform& place = {});
// The same surface seen from the other side (insides of buckets and the like).
Mesh flipped(Mesh mesh);
// Moves every vertex through `bend`, for shapes no transform gives (curled
// horns, raised board tails).
Mesh deformed(Mesh mesh, const std::function<Vec3(Vec3)>& bend);

// Direction from the centre of a latitude-longitude surface at (u, v): u goes
// once around the Z axis (0.5 faces +X, 0.75 faces +Y), v runs from the top
// pole (0) to the bottom pole (1). Skin painters use it to place features.
Vec3 lat_long_direction(Vec2 uv);

// Around the origin, poles on the Z axis. A squareness below 1 swells the
// shape toward a rounded box.
Mesh ellipsoid(Vec3 radii, int slices, int stacks, const UvMap& uv, float squareness = 1.0f);

// A tapered tube along +Z from z = 0 to z = height, u around as for
// lat_long_direction and v from the top rim (0) down to the bottom rim (1). A
// radius of 0 closes that end in a point (a cone); caps take the colour of the
// rim they close.
struct TubeEnds {
    bool bottom_cap = true;
    bool top_cap = true;
};
Mesh tube(float bottom_radius, float top_radius, float height, int slices, const UvMap& uv, TubeEnds ends = {});

// A flat round face at z = 0 looking up +Z, skin laid on it as seen from
// above with +X at the top of the picture.
Mesh disk(float radius, int slices, const UvMap& uv);

// Centred on the origin; every face shows the whole skin region, upright on
// the sides and with +X at the top on the top and bottom faces.
Mesh box(Vec3 half_size, const UvMap& uv);

// A flat slab from z = 0 to z = height whose outline (counter-clockwise seen
// from above, every point visible from the outline's average point) gives its
// shape: board decks, fins. The skin lies on the top and bottom faces as
// disk() lays it, spanning the outline's extent; the sides take the colour
// of the edge they stand on.
Mesh slab(const std::vector<Vec2>& outline, float height, const UvMap& uv);

// A ring around the Z axis through `arc_degrees` from +X toward +Y; u follows
// the ring, v goes around the tube. A partial ring is left open at its ends.
Mesh torus(float ring_radius, float tube_radius, int segments, int sides, float arc_degrees, const UvMap& uv);

}  // namespace floebound::tools
