// The penguin: a pear-shaped body, a round head with the emblem's eye
// patches, an orange beak and feet, little flippers. About 35 units tall,
// feet on the ground, beak toward +X.

#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;

// Where each part lives on the skin.
constexpr UvRect kBodySkin{0.0f, 0.0f, 0.625f, 0.5f};
constexpr UvRect kHeadSkin{0.0f, 0.52f, 0.625f, 1.0f};
constexpr UvRect kFlipperSkin{0.66f, 0.0f, 0.98f, 0.25f};
constexpr UvRect kFootSkin{0.66f, 0.28f, 0.98f, 0.45f};
constexpr UvRect kBeakSkin{0.66f, 0.48f, 0.98f, 0.62f};

constexpr Colour kFeatherBlack = rgb(40, 44, 60);
constexpr Colour kBellyWhite = rgb(246, 247, 250);
constexpr Colour kBeakOrange = rgb(250, 150, 30);
constexpr Colour kFootOrange = rgb(244, 128, 36);
constexpr Colour kCheekPink = rgb(246, 150, 160);

constexpr Vec3 kBodyCentre{-0.5f, 0.0f, -11.0f};
constexpr Vec3 kHeadCentre{0.8f, 0.0f, 3.2f};
constexpr float kHeadRadius = 7.8f;

struct Rig {
    Puppet puppet;
    int root, body, head, left_flipper, right_flipper, left_foot, right_foot;
};

Rig build_rig() {
    Rig rig;
    Puppet& p = rig.puppet;
    rig.root = p.add_joint(Puppet::kNoParent, {0, 0, kGroundZ});
    rig.body = p.add_joint(rig.root, {0, 0, -21});
    rig.head = p.add_joint(rig.body, {0, 0, -1});
    rig.left_flipper = p.add_joint(rig.body, {-0.5f, 8.0f, -3.0f});
    rig.right_flipper = p.add_joint(rig.body, {-0.5f, -8.0f, -3.0f});
    rig.left_foot = p.add_joint(rig.root, {1.0f, 4.0f, -23.0f});
    rig.right_foot = p.add_joint(rig.root, {1.0f, -4.0f, -23.0f});

    // Wider at the bottom, like a bowling pin.
    const Mesh body = deformed(ellipsoid({10.0f, 9.5f, 12.0f}, 14, 9, uv_rect(kBodySkin)), [](Vec3 v) {
        const float swell = 1.0f - 0.12f * v.z / 12.0f;
        return Vec3{v.x * swell, v.y * swell, v.z};
    });
    p.add_part(rig.body, body, translate(kBodyCentre));
    p.add_part(rig.head, ellipsoid({kHeadRadius, kHeadRadius * 0.97f, kHeadRadius * 0.95f}, 12, 8, uv_rect(kHeadSkin)),
               translate(kHeadCentre));
    // A cone turned to point forward and a little down, flattened top to bottom.
    p.add_part(rig.head, tube(2.8f, 0.0f, 4.2f, 8, uv_rect(kBeakSkin)),
               translate(kHeadCentre + Vec3{kHeadRadius - 1.2f, 0, -1.3f}) * rotate_y(94) * scale({0.6f, 1.0f, 1.0f}));
    for (int side : {1, -1}) {
        p.add_part(side > 0 ? rig.left_flipper : rig.right_flipper,
                   ellipsoid({3.0f, 1.2f, 8.0f}, 8, 5, uv_rect(kFlipperSkin)),
                   translate({-0.8f, side * 9.6f, -9.0f}) * rotate_x(side * -14.0f));
        p.add_part(side > 0 ? rig.left_foot : rig.right_foot, ellipsoid({4.4f, 2.7f, 1.3f}, 8, 4, uv_rect(kFootSkin)),
                   translate({3.2f, side * 4.2f, kGroundZ + 1.3f}) * rotate_z(side * 12.0f));
    }
    return rig;
}

// Forty frames of standing about: breathing, a look around, each flipper
// twitching once. Every motion is periodic in the loop, so frame 39 runs on
// into frame 0.
Pose stand_pose(const Rig& rig, int frame) {
    constexpr int kLength = 40;
    const float a = loop_angle(frame, kLength);
    Pose pose = rig.puppet.rest();
    const float breath = std::sin(2 * a);
    pose[rig.root] = rotate_x(1.5f * std::sin(a));
    pose[rig.body] = scale({1 + 0.015f * breath, 1 + 0.015f * breath, 1 + 0.025f * breath});
    pose[rig.head] = rotate_z(14 * std::sin(a)) * rotate_y(4 * std::sin(2 * a + 1));
    pose[rig.left_flipper] = rotate_x(-24 * loop_pulse(frame, 12, 2.2f, kLength));
    pose[rig.right_flipper] = rotate_x(24 * loop_pulse(frame, 27, 2.2f, kLength));
    return pose;
}

// Six frames of waddling: the body rocks over the foot it stands on while the
// other foot lifts and swings forward, flippers out for balance.
Pose run_pose(const Rig& rig, int frame) {
    constexpr int kLength = 6;
    const float a = loop_angle(frame, kLength);
    const float rock = std::sin(a);
    Pose pose = rig.puppet.rest();
    // Rocking toward -Y (positive turn about +X) pivots on the right foot.
    const float pivot_y = rock > 0 ? -4.0f : 4.0f;
    pose[rig.root] = about({0, pivot_y, 0}, rotate_x(12 * rock)) * rotate_z(6 * std::cos(a));
    const float left_lift = std::fmax(0.0f, rock), right_lift = std::fmax(0.0f, -rock);
    pose[rig.left_foot] = translate({2.0f * left_lift, 0, 1.2f * left_lift}) * rotate_y(-20 * left_lift);
    pose[rig.right_foot] = translate({2.0f * right_lift, 0, 1.2f * right_lift}) * rotate_y(-20 * right_lift);
    pose[rig.left_flipper] = rotate_x(-(18 + 12 * left_lift));
    pose[rig.right_flipper] = rotate_x(18 + 12 * right_lift);
    pose[rig.head] = rotate_z(-5 * std::cos(a));
    return pose;
}

Colour paint_body(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    const float around = std::atan2(n.y, n.x) * 57.29578f;  // 0 in front
    const float above = std::asin(n.z) * 57.29578f;
    // The white front narrows toward the chin and stops short of the top.
    const float half_width = 72 - 34 * std::fmax(0.0f, above / 60.0f);
    const float white =
        (1 - smoothstep(half_width - 3, half_width + 3, std::fabs(around))) * (1 - smoothstep(52, 58, above));
    const float feathers = 0.04f * fractal_noise(n * 9.0f, 3, 11);
    const Colour base = mix(kFeatherBlack, kBellyWhite, white) * (1 + feathers);
    return lit(base, n);
}

Colour paint_head(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    Colour c = kFeatherBlack;
    for (float side : {1.0f, -1.0f}) {
        const Vec3 eye = direction(side * 30, 16);
        c = mix(c, kBellyWhite, cap(n, eye, 13, 2.5f));
        c = mix(c, kFeatherBlack * 0.4f, cap(n, eye, 8.5f, 1.5f));
        c = mix(c, kBellyWhite, cap(n, direction(side * 26, 21), 2.6f, 1.2f));
        c = mix(c, kCheekPink, 0.8f * cap(n, direction(side * 44, -10), 6, 4));
    }
    c = mix(c, kBellyWhite, cap(n, direction(0, -40), 26, 4));
    return lit(c, n);
}

Colour paint_flipper(Vec2 p) {
    // Black on the outside with a pale rim along the trailing edge.
    const Vec3 n = lat_long_direction(p);
    const float rim = smoothstep(0.55f, 0.8f, -n.x) * 0.5f;
    return lit(mix(kFeatherBlack, kBellyWhite * 0.8f, rim), {n.x, n.y, n.z + 0.3f});
}

Colour paint_foot(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    // Toe creases at the front.
    const float around = std::atan2(n.y, n.x);
    const float creases = n.x > 0.2f ? smoothstep(0.75f, 0.95f, std::cos(around * 9.0f)) * 0.25f : 0.0f;
    return lit(kFootOrange * (1 - creases), n);
}

Colour paint_beak(Vec2 p) {
    // Darker toward the tip (v = 0 is the point of the cone).
    return kBeakOrange * (0.92f + 0.12f * p.v) * (0.95f + 0.05f * std::cos(6.2831853f * (p.u - 0.5f)));
}

Raster paint_skin() {
    return painted_skin(kSkinSize, {40, 44, 60, 255},
                        {{kBodySkin, paint_body},
                         {kHeadSkin, paint_head},
                         {kFlipperSkin, paint_flipper},
                         {kFootSkin, paint_foot},
                         {kBeakSkin, paint_beak}});
}

}  // namespace

ModelAsset make_penguin() {
    const Rig rig = build_rig();
    std::vector<NamedPose> frames;
    for (int i = 0; i < 40; ++i) frames.push_back({frame_name("stand", i), stand_pose(rig, i)});
    for (int i = 0; i < 6; ++i) frames.push_back({frame_name("run", i), run_pose(rig, i)});
    return {bake_md2(rig.puppet, frames, kSkinSize, kSkinSize, "models/penguin/penguin.png"), paint_skin()};
}

}  // namespace floebound::tools
