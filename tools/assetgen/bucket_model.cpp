// The bucket: a wooden pail of staves held by two iron hoops, full of water,
// its handle tipped over to rest on the rim. About 18 units tall and 21 across.

#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;

constexpr UvRect kOutsideSkin{0.0f, 0.0f, 1.0f, 0.4f};
constexpr UvRect kInsideSkin{0.0f, 0.44f, 1.0f, 0.64f};
constexpr UvRect kRimSkin{0.0f, 0.68f, 1.0f, 0.74f};
constexpr UvRect kWaterSkin{0.0f, 0.78f, 0.2f, 0.98f};
constexpr UvRect kIronSkin{0.25f, 0.78f, 0.45f, 0.98f};

constexpr Colour kWood = rgb(186, 128, 74);
constexpr Colour kWoodDark = rgb(120, 76, 40);
constexpr Colour kIron = rgb(84, 88, 96);
constexpr Colour kWater = rgb(70, 150, 210);

constexpr float kBottomRadius = 8.6f;
constexpr float kTopRadius = 10.6f;
constexpr float kHeight = 18.0f;
constexpr float kWall = 0.9f;
constexpr int kStaves = 14;

Puppet build_puppet() {
    Puppet p;
    const int pail = p.add_joint(Puppet::kNoParent, {0, 0, kGroundZ});
    const float top = kGroundZ + kHeight;
    p.add_part(pail, tube(kBottomRadius, kTopRadius, kHeight, kStaves, uv_rect(kOutsideSkin), {true, false}),
               translate({0, 0, kGroundZ}));
    // The inner wall, seen from inside, down to the water.
    const float water_depth = 4.5f;
    const float inner_top = kTopRadius - kWall;
    const float inner_at_water = inner_top - (kTopRadius - kBottomRadius) * water_depth / kHeight;
    p.add_part(pail,
               flipped(tube(inner_at_water, inner_top, water_depth, kStaves, uv_rect(kInsideSkin), {false, false})),
               translate({0, 0, top - water_depth}));
    // The rim: a flat ring from the outer to the inner edge, facing up.
    p.add_part(pail, tube(kTopRadius, inner_top, 0.0f, kStaves, uv_rect(kRimSkin), {false, false}),
               translate({0, 0, top}));
    p.add_part(pail, disk(inner_at_water, kStaves, uv_rect(kWaterSkin)), translate({0, 0, top - water_depth}));

    // A half-ring handle hinged at both sides, tipped over onto the rim.
    const Mesh handle = torus(kTopRadius + 0.4f, 0.6f, 10, 5, 180, uv_rect(kIronSkin));
    p.add_part(pail, handle, translate({0, 0, top - 1.5f}) * rotate_y(-62) * rotate_z(90) * rotate_x(90));
    for (int side : {1, -1})
        p.add_part(pail, box({1.0f, 0.5f, 1.4f}, uv_rect(kIronSkin)),
                   translate({0, side * (kTopRadius - 0.1f), top - 1.5f}));
    return p;
}

// Staves side by side, grain running up, two iron hoops.
Colour paint_outside(Vec2 p) {
    const float stave = p.u * kStaves;
    const float seam = 1 - smoothstep(0.03f, 0.09f, std::fabs(stave - std::round(stave)));
    const float grain = fractal_noise({stave * 3.0f, p.v * 20.0f, std::floor(stave) * 7.0f}, 3, 61);
    Colour c = mix(kWood, kWoodDark, 0.35f + 0.35f * grain);
    c = c * (0.96f + 0.08f * value_noise({std::floor(stave) * 3.1f, 0, 0}, 67));
    c = mix(c, kWoodDark * 0.7f, seam);
    for (float hoop : {0.16f, 0.8f}) {
        const float band = 1 - smoothstep(0.045f, 0.06f, std::fabs(p.v - hoop));
        const float rivet =
            cap({std::cos(stave * 6.2831853f), std::sin(stave * 6.2831853f), (p.v - hoop) * 20}, {1, 0, 0}, 14, 6);
        c = mix(c, mix(kIron, kIron * 1.5f, rivet), band);
    }
    return lit(c, lat_long_direction({p.u, 0.45f}));
}

Colour paint_inside(Vec2 p) {
    const float stave = p.u * kStaves;
    const float seam = 1 - smoothstep(0.03f, 0.09f, std::fabs(stave - std::round(stave)));
    return mix(kWoodDark, kWoodDark * 0.6f, seam) * (0.75f + 0.25f * (1 - p.v));
}

Colour paint_rim(Vec2 p) { return kWood * (1.1f + 0.1f * value_noise({p.u * 60, 0, 0}, 71)); }

Colour paint_water(Vec2 p) {
    const float ripple = std::sin(std::hypot(p.u - 0.6f, p.v - 0.4f) * 40.0f);
    return mix(kWater, rgb(190, 230, 250), 0.25f * smoothstep(0.7f, 1.0f, ripple));
}

Colour paint_iron(Vec2 p) { return kIron * (0.9f + 0.3f * (1 - p.v)); }

Raster paint_skin() {
    return painted_skin(kSkinSize, {120, 76, 40, 255},
                        {{kOutsideSkin, paint_outside},
                         {kInsideSkin, paint_inside},
                         {kRimSkin, paint_rim},
                         {kWaterSkin, paint_water},
                         {kIronSkin, paint_iron}});
}

}  // namespace

ModelAsset make_bucket() {
    return {
        bake_md2(build_puppet(), {{frame_name("stand", 0), Pose(1)}}, kSkinSize, kSkinSize, "models/bucket/bucket.png"),
        paint_skin()};
}

}  // namespace floebound::tools
