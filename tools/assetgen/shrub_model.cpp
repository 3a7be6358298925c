// The tree: a stout trunk with root flares under a crown of leafy clumps,
// about 50 units tall, swaying a little in the breeze.
//
// The game also lays the skin flat on the ground under tree and fire squares,
// so the skin is painted as a picture in its own right: a round bush seen
// from above (the crown's top at the centre, its underside at the rim) on a
// ring of bark-brown leaf litter, fading out toward the corners. Every crown
// clump maps onto that disk, the trunk and roots onto the ring.

#include "app/angles.h"
#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;
constexpr float kPi = static_cast<float>(pi);

// In skin units from the picture's centre.
constexpr float kCrownRadius = 0.40f;
constexpr float kLitterInner = 0.41f;
constexpr float kLitterOuter = 0.46f;
constexpr float kFadeOuter = 0.5f;

constexpr Colour kLeafDark = rgb(44, 104, 42);
constexpr Colour kLeafMid = rgb(74, 142, 52);
constexpr Colour kLeafLight = rgb(156, 204, 84);
constexpr Colour kBark = rgb(112, 78, 50);
constexpr Colour kBarkDark = rgb(66, 44, 30);

// Lat-long surface coordinates onto the crown disk: the top pole at the
// centre, the bottom pole on the disk's edge.
Vec2 crown_skin(Vec2 p) {
    const float angle = 2 * kPi * p.u;
    return {0.5f + kCrownRadius * p.v * std::cos(angle), 0.5f + kCrownRadius * p.v * std::sin(angle)};
}

// A tube's surface onto a stretch of the litter ring, bark running across it.
UvMap litter_skin(float first_degrees, float last_degrees) {
    return [=](Vec2 p) -> Vec2 {
        const float angle = (first_degrees + (last_degrees - first_degrees) * p.u) * kPi / 180.0f;
        const float radius = kLitterInner + 0.01f + (kLitterOuter - kLitterInner - 0.02f) * p.v;
        return {0.5f + radius * std::cos(angle), 0.5f + radius * std::sin(angle)};
    };
}

struct Rig {
    Puppet puppet;
    int trunk, crown;
    int clumps[5];
};

Rig build_rig() {
    Rig rig;
    Puppet& p = rig.puppet;
    rig.trunk = p.add_joint(Puppet::kNoParent, {0, 0, kGroundZ});
    rig.crown = p.add_joint(rig.trunk, {0, 0, -2});
    p.add_part(rig.trunk, tube(4.4f, 3.2f, 24.0f, 8, litter_skin(200, 340), {false, false}),
               translate({0, 0, kGroundZ}));
    for (int i = 0; i < 3; ++i)
        p.add_part(rig.trunk, tube(1.8f, 0.0f, 6.0f, 5, litter_skin(20 + 50 * i, 60 + 50 * i), {false, false}),
                   translate({0, 0, kGroundZ + 3.5f}) * rotate_z(40 + 120.0f * i) * rotate_y(106));

    const UvMap crown = crown_skin;
    p.add_part(rig.crown, ellipsoid({16.5f, 16.5f, 13.0f}, 12, 8, crown), translate({0, 0, 9}));
    const Vec3 clump_centres[5] = {{10, 7, 4}, {-7, 10, 6}, {-9, -8, 3}, {8, -10, 7}, {2, -1, 17}};
    const float clump_radii[5] = {9.5f, 9.0f, 10.0f, 9.0f, 9.0f};
    for (int i = 0; i < 5; ++i) {
        rig.clumps[i] = p.add_joint(rig.crown, clump_centres[i]);
        const float r = clump_radii[i];
        p.add_part(rig.clumps[i], ellipsoid({r, r, r * 0.85f}, 9, 6, crown), translate(clump_centres[i]));
    }
    return rig;
}

// A slow sway of the whole crown with the clumps stirring out of step.
Pose breeze_pose(const Rig& rig, int frame) {
    constexpr int kLength = 40;
    const float a = loop_angle(frame, kLength);
    Pose pose = rig.puppet.rest();
    pose[rig.trunk] = rotate_x(1.2f * std::sin(a)) * rotate_y(0.8f * std::sin(a + 1));
    pose[rig.crown] = rotate_x(1.5f * std::sin(a + 0.6f));
    for (int i = 0; i < 5; ++i) {
        const float stir = 1 + 0.03f * std::sin(2 * a + 1.3f * i);
        pose[rig.clumps[i]] = scale({stir, stir, stir});
    }
    return pose;
}

// The topmost of the scattered leaves at p (in units of the leaf grid): two
// lens-shaped leaves per grid cell, each with its own turn, size and tone.
struct LeafHit {
    bool covered = false;
    float tone = 0;  // 0..1, the leaf's own shade
    float rib = 0;   // 1 on the leaf's midrib
    float edge = 0;  // 0 along the midrib, 1 at the leaf's rim
};

LeafHit leaf_at(Vec2 p, unsigned seed, float keep) {
    const int cx = static_cast<int>(std::floor(p.u)), cy = static_cast<int>(std::floor(p.v));
    LeafHit hit;
    float best = -1;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int k = 0; k < 2; ++k) {
                const auto r = [&](int salt) { return random_at(cx + dx, cy + dy, 2 * k + 16 * salt, seed); };
                const float priority = r(0);
                if (priority > keep || priority <= best) continue;
                const float angle = r(1) * kPi, half_length = 0.55f + 0.3f * r(2);
                const float ox = p.u - (cx + dx + r(3)), oy = p.v - (cy + dy + r(4));
                const float along = (ox * std::cos(angle) + oy * std::sin(angle)) / half_length;
                const float across = -ox * std::sin(angle) + oy * std::cos(angle);
                const float half_width = 0.38f * half_length * (1 - along * along);
                if (std::fabs(along) >= 1 || std::fabs(across) >= half_width) continue;
                best = priority;
                hit = {true, r(5), 1 - smoothstep(0.0f, 0.05f, std::fabs(across)), std::fabs(across) / half_width};
            }
        }
    }
    return hit;
}

// The crown disk: leaves laid flat on the picture, lit as the clump's
// surface there is lit, darker toward the underside at the rim.
Colour paint_crown(Vec2 p, float along, float radius) {
    const LeafHit leaf = leaf_at({p.u / 0.018f, p.v / 0.018f}, 41, 1.0f);
    Colour c = kLeafDark * 0.65f;
    if (leaf.covered) {
        c = mix(kLeafDark, kLeafLight, 0.15f + 0.75f * leaf.tone);
        c = c * (1.05f - 0.25f * leaf.edge);
        c = mix(c, kLeafLight * 1.1f, 0.35f * leaf.rib);
    }
    const Vec3 n = lat_long_direction({along, radius});
    return lit(c, n) * (1 - 0.35f * smoothstep(0.55f, 1.0f, radius));
}

// Earth with bark-like streaks running outward (the trunk shows them running
// up) and a few fallen leaves.
Colour paint_litter(Vec2 p, float angle, float radius) {
    const float grain = fractal_noise({std::cos(angle) * 30, std::sin(angle) * 30, radius * 4}, 3, 47);
    Colour c = mix(kBarkDark, kBark, smoothstep(-0.3f, 0.3f, grain));
    const LeafHit leaf = leaf_at({p.u / 0.03f, p.v / 0.03f}, 53, 0.3f);
    if (leaf.covered) c = mix(mix(kLeafMid, rgb(176, 150, 70), leaf.tone), kBarkDark, 0.3f * leaf.edge);
    return c;
}

Colour paint_skin_texel(Vec2 p) {
    const float dx = p.u - 0.5f, dy = p.v - 0.5f;
    const float radius = std::sqrt(dx * dx + dy * dy);
    float angle = std::atan2(dy, dx);
    if (angle < 0) angle += 2 * kPi;
    if (radius <= kCrownRadius) return paint_crown(p, angle / (2 * kPi), radius / kCrownRadius);
    Colour c = paint_litter(p, angle, radius);
    // A soft shadow where the crown's edge meets the litter.
    c = mix(c, kLeafDark * 0.5f, 1 - smoothstep(kCrownRadius, kLitterInner + 0.004f, radius));
    c.a = 1 - smoothstep(kLitterOuter, kFadeOuter, radius);
    return c;
}

Raster paint_skin() {
    Raster skin = blank_picture(kSkinSize, kSkinSize);
    paint_region(skin, {0, 0, 1, 1}, paint_skin_texel);
    return skin;
}

}  // namespace

ModelAsset make_shrub() {
    const Rig rig = build_rig();
    std::vector<NamedPose> frames;
    for (int i = 0; i < 40; ++i) frames.push_back({frame_name("stand", i), breeze_pose(rig, i)});
    return {bake_md2(rig.puppet, frames, kSkinSize, kSkinSize, "models/shrub/s6.png"), paint_skin()};
}

}  // namespace floebound::tools
