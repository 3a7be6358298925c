// The cow: a boxy white body with black patches, pink muzzle and udder,
// little horns and a swishing tail. About 48 units from tail to nose, head
// toward +X, the particle plume the game gives her rising just above her head.

#include <algorithm>

#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;

constexpr UvRect kBodySkin{0.0f, 0.0f, 0.625f, 0.5f};
constexpr UvRect kHeadSkin{0.0f, 0.53f, 0.375f, 0.8f};
constexpr UvRect kNeckSkin{0.0f, 0.83f, 0.375f, 0.98f};
constexpr UvRect kMuzzleSkin{0.41f, 0.53f, 0.625f, 0.75f};
constexpr UvRect kLegSkin{0.66f, 0.0f, 0.81f, 0.3f};
constexpr UvRect kUdderSkin{0.84f, 0.0f, 0.98f, 0.14f};
constexpr UvRect kHornSkin{0.84f, 0.17f, 0.98f, 0.3f};
constexpr UvRect kEarSkin{0.66f, 0.33f, 0.81f, 0.46f};
constexpr UvRect kTailSkin{0.84f, 0.33f, 0.98f, 0.46f};
constexpr UvRect kTuftSkin{0.66f, 0.49f, 0.81f, 0.6f};
constexpr UvRect kBellSkin{0.84f, 0.49f, 0.98f, 0.6f};

constexpr Colour kHideWhite = rgb(248, 246, 240);
constexpr Colour kPatchBlack = rgb(34, 32, 36);
constexpr Colour kPink = rgb(246, 170, 176);
constexpr Colour kHoof = rgb(70, 56, 50);
constexpr Colour kHorn = rgb(238, 226, 190);
constexpr Colour kBellGold = rgb(240, 190, 60);

constexpr Vec3 kBodyCentre{-2.5f, 0.0f, -4.0f};
constexpr Vec3 kBodyRadii{14.5f, 10.0f, 9.5f};
constexpr Vec3 kHeadCentre{16.0f, 0.0f, 7.5f};
constexpr float kLegTop = -10.0f;

struct Rig {
    Puppet puppet;
    int root, body, head, tail, left_ear, right_ear;
    int legs[4];
};

Rig build_rig() {
    Rig rig;
    Puppet& p = rig.puppet;
    rig.root = p.add_joint(Puppet::kNoParent, {0, 0, kGroundZ});
    rig.body = p.add_joint(rig.root, {kBodyCentre.x, 0, -12});
    rig.head = p.add_joint(rig.body, {10.0f, 0, 2.0f});
    rig.tail = p.add_joint(rig.body, {-17.5f, 0, 2.5f});
    rig.left_ear = p.add_joint(rig.head, {14.5f, 4.5f, 11.0f});
    rig.right_ear = p.add_joint(rig.head, {14.5f, -4.5f, 11.0f});

    p.add_part(rig.body, ellipsoid(kBodyRadii, 14, 9, uv_rect(kBodySkin), 0.7f), translate(kBodyCentre));
    p.add_part(rig.body, ellipsoid({7.0f, 5.8f, 6.5f}, 8, 5, uv_rect(kNeckSkin)),
               translate({10.0f, 0, 2.5f}) * rotate_y(-35));
    p.add_part(rig.body, ellipsoid({4.0f, 4.2f, 3.0f}, 8, 4, uv_rect(kUdderSkin)), translate({-7.5f, 0, -12.5f}));
    for (int i = 0; i < 4; ++i)
        p.add_part(rig.body, tube(0.0f, 0.7f, 2.2f, 4, uv_rect(kUdderSkin), {false, false}),
                   translate({-7.5f + (i < 2 ? 1.6f : -1.6f), (i % 2 ? 1.6f : -1.6f), -16.8f}));

    const Vec3 leg_tops[4] = {
        {8.0f, 5.5f, kLegTop}, {8.0f, -5.5f, kLegTop}, {-11.5f, 5.5f, kLegTop}, {-11.5f, -5.5f, kLegTop}};
    for (int i = 0; i < 4; ++i) {
        rig.legs[i] = p.add_joint(rig.body, leg_tops[i]);
        p.add_part(rig.legs[i], tube(2.9f, 3.3f, kLegTop - kGroundZ, 8, uv_rect(kLegSkin), {true, false}),
                   translate({leg_tops[i].x, leg_tops[i].y, kGroundZ}));
    }

    p.add_part(rig.head, ellipsoid({7.4f, 6.2f, 6.8f}, 10, 7, uv_rect(kHeadSkin)), translate(kHeadCentre));
    p.add_part(rig.head, ellipsoid({4.4f, 5.6f, 4.2f}, 8, 5, uv_rect(kMuzzleSkin)), translate({21.5f, 0, 4.0f}));
    for (int side : {1, -1}) {
        // Horns lean outward and curl forward at the tips.
        const Mesh horn = deformed(tube(1.3f, 0.0f, 5.0f, 6, uv_rect(kHornSkin)), [](Vec3 v) {
            return Vec3{v.x + 0.08f * v.z * v.z, v.y, v.z};
        });
        p.add_part(rig.head, horn, translate({15.0f, side * 3.2f, 12.0f}) * rotate_x(-side * 35.0f));
        p.add_part(side > 0 ? rig.left_ear : rig.right_ear, ellipsoid({2.0f, 3.6f, 1.1f}, 6, 4, uv_rect(kEarSkin)),
                   translate({14.0f, side * 7.2f, 10.2f}) * rotate_x(side * 20.0f));
    }
    p.add_part(rig.head, tube(1.8f, 0.8f, 2.4f, 6, uv_rect(kBellSkin)), translate({14.5f, 0, -3.6f}));

    // The tail hangs from the rump and ends in a dark tuft.
    const Transform hang = about({-17.5f, 0, 2.5f}, rotate_y(14));
    p.add_part(rig.tail, tube(0.8f, 1.0f, 13.0f, 5, uv_rect(kTailSkin), {false, false}),
               hang * translate({-17.5f, 0, -10.5f}));
    p.add_part(rig.tail, ellipsoid({1.8f, 1.8f, 3.0f}, 6, 4, uv_rect(kTuftSkin)),
               hang * translate({-17.5f, 0, -11.5f}));
    return rig;
}

// Forty frames of grazing calm: breathing, a nod, the tail swishing twice,
// each ear flicking once. All periodic, so the loop closes.
Pose stand_pose(const Rig& rig, int frame) {
    constexpr int kLength = 40;
    const float a = loop_angle(frame, kLength);
    Pose pose = rig.puppet.rest();
    const float breath = 1 + 0.012f * std::sin(2 * a);
    pose[rig.body] = scale({1, breath, breath});
    pose[rig.head] = rotate_z(8 * std::sin(a)) * rotate_y(5 * std::sin(2 * a + 0.5f));
    pose[rig.tail] = rotate_x(28 * std::sin(2 * a));
    pose[rig.left_ear] = rotate_x(35 * loop_pulse(frame, 14, 1.5f, kLength));
    pose[rig.right_ear] = rotate_x(-35 * loop_pulse(frame, 31, 1.5f, kLength));
    return pose;
}

// Six frames of tipping over onto her back: she rolls about her long axis
// toward her right side, legs stiffening and splaying until they point at
// the sky, head flopping onto its cheek. Each frame is set back on the ground
// and kept over the middle of her square.
Pose death_pose(const Rig& rig, int frame) {
    const float roll[6] = {8, 32, 72, 118, 148, 156};
    const float limp[6] = {0.1f, 0.3f, 0.55f, 0.8f, 1.0f, 1.0f};
    const float k = limp[frame];
    Pose pose = rig.puppet.rest();
    for (int i = 0; i < 4; ++i) {
        const float side = i % 2 ? -1.0f : 1.0f, end = i < 2 ? 1.0f : -1.0f;
        pose[rig.legs[i]] = rotate_x(-side * 40 * k) * rotate_y(-end * 24 * k);
    }
    pose[rig.head] = rotate_x(-70 * k) * rotate_y(-15 * k);
    pose[rig.tail] = rotate_y(-60 * k);
    pose[rig.left_ear] = rotate_x(-30 * k);
    pose[rig.right_ear] = rotate_x(30 * k);

    // The roll's axis runs through her middle, measured from the root's pivot on the ground.
    pose[rig.root] = about({0, 0, kBodyCentre.z - kGroundZ}, rotate_x(roll[frame]));
    const std::vector<Vec3> posed = rig.puppet.posed_vertices(pose);
    const float low_z = std::min_element(posed.begin(), posed.end(), [](Vec3 a, Vec3 b) { return a.z < b.z; })->z;
    const auto [low_y, high_y] =
        std::minmax_element(posed.begin(), posed.end(), [](Vec3 a, Vec3 b) { return a.y < b.y; });
    pose[rig.root] = translate({0, -(low_y->y + high_y->y) / 2, kGroundZ - low_z}) * pose[rig.root];
    return pose;
}

Colour paint_patches(Vec3 n, Colour base, unsigned seed) {
    const float patch = fractal_noise(n * 1.6f, 3, seed);
    return mix(base, kPatchBlack, smoothstep(0.12f, 0.17f, patch));
}

Colour paint_body(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    const float hair = 0.03f * fractal_noise(n * 14.0f, 2, 5);
    return lit(paint_patches(n, kHideWhite, 21) * (1 + hair), n);
}

Colour paint_neck(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    return lit(paint_patches(n, kHideWhite, 33), n);
}

Colour paint_head(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    // One dark patch over the left eye, the right one clear.
    Colour c = mix(kHideWhite, kPatchBlack, cap(n, direction(50, 30), 30, 4));
    for (float side : {1.0f, -1.0f}) {
        const Vec3 eye = direction(side * 42, 18);
        c = mix(c, kHideWhite, cap(n, eye, 12, 1.5f));
        c = mix(c, kPatchBlack * 0.5f, cap(n, eye, 8.5f, 1.5f));
        c = mix(c, kHideWhite, cap(n, direction(side * 38, 23), 2.8f, 1.2f));
    }
    return lit(c, n);
}

Colour paint_muzzle(Vec2 p) {
    const Vec3 n = lat_long_direction(p);
    Colour c = kPink;
    for (float side : {1.0f, -1.0f}) c = mix(c, kPink * 0.45f, cap(n, direction(side * 22, 8), 7, 2));
    // A mouth line under the nose.
    c = mix(c, kPink * 0.6f, cap(n, direction(0, -30), 14, 2) * (1 - cap(n, direction(0, -30), 11, 2)) * 0.8f);
    return lit(c, n);
}

Colour paint_leg(Vec2 p) {
    const Vec3 n = lat_long_direction({p.u, 0.5f});
    const Colour hide =
        mix(kHideWhite, kPatchBlack, smoothstep(0.2f, 0.25f, fractal_noise(n * 1.3f + Vec3{0, 0, p.v * 2}, 2, 8)));
    return lit(mix(hide, kHoof, smoothstep(0.8f, 0.84f, p.v)), n);
}

Colour paint_ear(Vec2 p) {
    // Pink inside (facing forward), hide outside.
    const Vec3 n = lat_long_direction(p);
    return lit(mix(kHideWhite, kPink, smoothstep(-0.1f, 0.2f, n.x)), n);
}

Colour paint_horn(Vec2 p) {
    return kHorn * (0.75f + 0.25f * p.v) * (0.9f + 0.1f * std::cos(6.2831853f * (p.u - 0.5f)));
}

Colour paint_tail(Vec2 p) { return lit(kHideWhite * (0.8f + 0.2f * p.v), lat_long_direction({p.u, 0.5f})); }

Colour paint_tuft(Vec2 p) {
    return lit(kPatchBlack * (1.2f + 0.3f * fractal_noise({p.u * 12, p.v * 12, 0}, 2, 3)), lat_long_direction(p));
}

Colour paint_udder(Vec2 p) { return lit(kPink, lat_long_direction(p)); }

Colour paint_bell(Vec2 p) { return lit(kBellGold * (0.8f + 0.3f * (1 - p.v)), lat_long_direction({p.u, 0.5f})); }

Raster paint_skin() {
    return painted_skin(kSkinSize, {248, 246, 240, 255},
                        {{kBodySkin, paint_body},
                         {kHeadSkin, paint_head},
                         {kNeckSkin, paint_neck},
                         {kMuzzleSkin, paint_muzzle},
                         {kLegSkin, paint_leg},
                         {kUdderSkin, paint_udder},
                         {kHornSkin, paint_horn},
                         {kEarSkin, paint_ear},
                         {kTailSkin, paint_tail},
                         {kTuftSkin, paint_tuft},
                         {kBellSkin, paint_bell}});
}

}  // namespace

ModelAsset make_cow() {
    const Rig rig = build_rig();
    std::vector<NamedPose> frames;
    for (int i = 0; i < 40; ++i) frames.push_back({frame_name("stand", i), stand_pose(rig, i)});
    // The game's frame table puts her fall at 178..183; she stands still in between.
    for (int i = 40; i < 178; ++i) frames.push_back({frame_name("hold", i), stand_pose(rig, 0)});
    for (int i = 0; i < 6; ++i) frames.push_back({frame_name("death", i), death_pose(rig, i)});
    return {bake_md2(rig.puppet, frames, kSkinSize, kSkinSize, "models/cow/cow.png"), paint_skin()};
}

}  // namespace floebound::tools
