// The tunafish: a plump tuna lying on its side on the ice, head toward +X,
// back toward +Y, about 37 units from nose to tail tips.

#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;

constexpr UvRect kBodySkin{0.0f, 0.0f, 0.75f, 0.5f};
constexpr UvRect kFinSkin{0.0f, 0.54f, 0.36f, 0.74f};
constexpr UvRect kYellowFinSkin{0.4f, 0.54f, 0.75f, 0.74f};

constexpr Colour kBackBlue = rgb(28, 44, 92);
constexpr Colour kFlankBlue = rgb(92, 124, 170);
constexpr Colour kSilver = rgb(226, 232, 238);
constexpr Colour kGold = rgb(250, 204, 60);
constexpr Colour kFinGrey = rgb(60, 72, 104);

constexpr Vec3 kBodyRadii{15.0f, 6.0f, 4.2f};
constexpr float kBodyZ = kGroundZ + 4.2f;

// Tuna narrow to a thin stalk before the tail: the body's thickness at x, as
// a share of a plain ellipsoid's.
float taper(float x) {
    const float behind = std::fmax(0.0f, -x / kBodyRadii.x);
    return 1 - 0.45f * behind * behind;
}

// Half the body's depth, back to belly, at x.
float half_depth(float x) {
    const float t = x / kBodyRadii.x;
    return kBodyRadii.y * std::sqrt(std::fmax(0.0f, 1 - t * t)) * taper(x);
}

Puppet build_puppet() {
    Puppet p;
    const int fish = p.add_joint(Puppet::kNoParent, {0, 0, kBodyZ});
    // Poles at nose and tail, so the skin runs along the fish and the flank
    // that shows gets the most texels.
    Mesh body;
    add(body, ellipsoid({kBodyRadii.z, kBodyRadii.y, kBodyRadii.x}, 12, 10, uv_rect(kBodySkin)), rotate_y(90));
    body = deformed(body, [](Vec3 v) { return Vec3{v.x, v.y * taper(v.x), v.z * taper(v.x)}; });
    p.add_part(fish, body, translate({0, 0, kBodyZ}));
    // A forked tail of two swept lobes, and the fins along back and belly.
    for (int side : {1, -1}) {
        p.add_part(fish, ellipsoid({5.8f, 1.4f, 0.45f}, 8, 4, uv_rect(kFinSkin)),
                   translate({-17.5f, side * 3.8f, kBodyZ}) * rotate_z(side * -52.0f));
        p.add_part(fish, ellipsoid({2.2f, 2.6f, 0.3f}, 6, 4, uv_rect(kYellowFinSkin)),
                   translate({-4.0f, side * 4.6f, kBodyZ}) * rotate_z(side * 32.0f));
        for (int i = 0; i < 4; ++i) {
            const float x = -7.5f - 1.6f * i;
            const float edge = half_depth(x) - 0.3f;
            p.add_part(fish, tube(0.55f, 0.0f, 1.5f, 4, uv_rect(kYellowFinSkin), {true, false}),
                       translate({x, side * edge, kBodyZ}) * rotate_x(-side * 90.0f) * rotate_y(-30));
        }
    }
    p.add_part(fish, ellipsoid({2.8f, 3.6f, 0.35f}, 6, 4, uv_rect(kFinSkin)),
               translate({3.0f, 5.6f, kBodyZ}) * rotate_z(25));
    p.add_part(fish, ellipsoid({3.6f, 1.0f, 0.3f}, 6, 4, uv_rect(kFinSkin)),
               translate({5.0f, 0.8f, kBodyZ + 3.9f}) * rotate_z(-12) * rotate_y(-8));
    return p;
}

Colour paint_body(Vec2 p) {
    // The body's own poles turned to the nose (+X) and tail.
    const Vec3 pole_up = lat_long_direction(p);
    const Vec3 n{pole_up.z, pole_up.y, -pole_up.x};
    // Dark back, blue flank with a golden stripe, silver belly.
    Colour c = mix(kSilver, kFlankBlue, smoothstep(-0.45f, -0.25f, n.y));
    c = mix(c, kBackBlue, smoothstep(-0.1f, 0.25f, n.y));
    c = mix(c, kGold, 0.8f * (1 - smoothstep(0.025f, 0.06f, std::fabs(n.y + 0.22f))) * smoothstep(-0.6f, -0.2f, n.x));
    // Faint pale bars across the lower flank.
    c = mix(c, kSilver, 0.25f * smoothstep(0.6f, 0.9f, std::sin(n.x * 40)) * smoothstep(0.1f, -0.3f, n.y));
    // The gill cover's edge and the eye on the side facing up.
    const float gill = (1 - smoothstep(0.01f, 0.025f, std::fabs(n.x - 0.55f))) * smoothstep(0.6f, 0.4f, std::fabs(n.y));
    c = mix(c, kBackBlue, 0.7f * gill);
    for (float side : {1.0f, -1.0f}) {
        const Vec3 eye = normalized({0.74f, -0.05f, side * 0.65f});
        c = mix(c, kGold, cap(n, eye, 9, 1.5f));
        c = mix(c, rgb(16, 16, 24), cap(n, eye, 6, 1.2f));
        c = mix(c, kSilver, cap(n, normalized({0.76f, -0.01f, side * 0.62f}), 1.6f, 1.0f));
    }
    c = mix(c, kBackBlue * 0.5f,
            (1 - smoothstep(0.008f, 0.02f, std::fabs(n.y + 0.05f))) * smoothstep(0.94f, 0.97f, n.x));
    return lit(c, {n.x * 0.4f, n.y, n.z});
}

Colour paint_fin(Vec2 p) { return lit(kFinGrey * (0.9f + 0.2f * p.v), lat_long_direction(p)); }

Colour paint_yellow_fin(Vec2 p) { return kGold * (0.8f + 0.25f * (1 - p.v)); }

Raster paint_skin() {
    return painted_skin(kSkinSize, {226, 232, 238, 255},
                        {{kBodySkin, paint_body},
                         {kFinSkin, paint_fin},
                         {kYellowFinSkin, paint_yellow_fin}});
}

}  // namespace

ModelAsset make_tuna() {
    return {bake_md2(build_puppet(), {{frame_name("stand", 0), Pose(1)}}, kSkinSize, kSkinSize, "models/tuna/tuna.png"),
            paint_skin()};
}

}  // namespace floebound::tools
