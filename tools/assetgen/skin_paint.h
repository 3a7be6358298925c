#pragma once

#include <functional>
#include <initializer_list>

#include "geometry.h"
#include "mesh_builder.h"
#include "raster.h"

namespace floebound::tools {

// Per-texel painting for model skins and sprites: a region of the picture is
// filled from a function of the surface coordinates the meshes use there, so
// features can be placed in 3-D and land where the mesh samples them.

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

constexpr Colour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f}; }
Colour mix(Colour a, Colour b, float t);
Colour operator*(Colour c, float k);  // scales the colour, not the alpha

float smoothstep(float edge0, float edge1, float x);

// A repeatable random number in [0, 1) for a lattice point.
float random_at(int x, int y, int z, unsigned seed);

// Smooth noise in about -1..1 with features one unit apart; `seed` picks an
// unrelated pattern.
float value_noise(Vec3 p, unsigned seed);
// Octaves of value_noise, each twice as fine and half as strong.
float fractal_noise(Vec3 p, int octaves, unsigned seed);

// The unit direction `around_degrees` from +X toward +Y and `above_degrees`
// up from the ground plane.
Vec3 direction(float around_degrees, float above_degrees);
// 1 for directions within `radius_degrees` of `centre`, fading to 0 over
// `soft_degrees` more: round patches (eyes, spots) placed on a surface.
float cap(Vec3 n, Vec3 centre, float radius_degrees, float soft_degrees);

// The models are drawn unlit, so their skins carry the light: soft light from
// above, in front and to the model's left, never darker than the shadow side.
Colour lit(Colour base, Vec3 normal);

// Paints `rect` (skin coordinates) with `paint`(local u, v in 0..1 across the
// rect), averaged over 3 x 3 samples per texel. A margin of texels around the
// rect repeats its edge so filtering never reaches a neighbouring region.
void paint_region(Raster& skin, UvRect rect, const std::function<Colour(Vec2)>& paint);

// One part's patch of a model skin and the painter for it.
struct SkinRegion {
    UvRect rect;
    Colour (*paint)(Vec2);
};

// A square skin `size` texels wide: opaque `background` wherever no region
// reaches, then each region painted in turn as paint_region paints it.
Raster painted_skin(int size, Rgba background, std::initializer_list<SkinRegion> regions);

}  // namespace floebound::tools
