// The skateboard: a red deck with kicked-up ends and a star, on two trucks
// and four cream wheels. About 41 units long, nose toward +X.

#include "app/angles.h"
#include "model_asset.h"
#include "puppet.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr int kSkinSize = 256;
constexpr float kPi = static_cast<float>(pi);

constexpr UvRect kDeckSkin{0.0f, 0.0f, 0.5f, 1.0f};
constexpr UvRect kWheelSkin{0.55f, 0.0f, 0.98f, 0.2f};
constexpr UvRect kMetalSkin{0.55f, 0.25f, 0.98f, 0.4f};

constexpr Colour kDeckRed = rgb(214, 58, 48);
constexpr Colour kStripe = rgb(252, 206, 64);
constexpr Colour kStar = rgb(250, 250, 244);
constexpr Colour kWheel = rgb(244, 232, 196);
constexpr Colour kMetal = rgb(170, 176, 186);

constexpr float kHalfLength = 20.5f;
constexpr float kHalfWidth = 6.5f;
constexpr float kThickness = 1.2f;
constexpr float kWheelRadius = 2.3f;
constexpr float kDeckBottom = kGroundZ + 2 * kWheelRadius + 1.2f;
// Where the ends start to kick up.
constexpr float kFlatHalf = 13.0f;

// A stadium: straight sides and round ends.
std::vector<Vec2> deck_outline() {
    std::vector<Vec2> outline;
    constexpr int kEndPoints = 7;
    for (int end : {1, -1}) {
        const float straight = kHalfLength - kHalfWidth;
        for (int i = 0; i <= kEndPoints; ++i) {
            const float a = kPi * (-0.5f + static_cast<float>(i) / kEndPoints) + (end < 0 ? kPi : 0);
            outline.push_back({end * straight + kHalfWidth * std::cos(a), kHalfWidth * std::sin(a)});
        }
    }
    return outline;
}

Puppet build_puppet() {
    Puppet p;
    const int board = p.add_joint(Puppet::kNoParent, {0, 0, kGroundZ});
    const Mesh deck = deformed(slab(deck_outline(), kThickness, uv_rect(kDeckSkin)), [](Vec3 v) {
        const float past = std::fmax(0.0f, std::fabs(v.x) - kFlatHalf);
        return Vec3{v.x, v.y, v.z + 0.07f * past * past};
    });
    p.add_part(board, deck, translate({0, 0, kDeckBottom}));
    const float axle_z = kGroundZ + kWheelRadius;
    for (int end : {1, -1}) {
        const float x = end * 11.5f;
        p.add_part(board, box({1.6f, 2.4f, 0.6f}, uv_rect(kMetalSkin)), translate({x, 0, kDeckBottom - 0.6f}));
        p.add_part(board, box({0.9f, 1.2f, 0.9f}, uv_rect(kMetalSkin)), translate({x, 0, axle_z + 1.2f}));
        p.add_part(board, tube(0.4f, 0.4f, 11.0f, 5, uv_rect(kMetalSkin)), translate({x, 5.5f, axle_z}) * rotate_x(90));
        for (int side : {1, -1})
            p.add_part(board, tube(kWheelRadius, kWheelRadius, 1.8f, 10, uv_rect(kWheelSkin)),
                       translate({x, side * 4.6f + 0.9f, axle_z}) * rotate_x(90));
    }
    return p;
}

// The deck as seen from above, nose at the top: red with a yellow stripe
// across each end and a white star in the middle, darker along the edges.
Colour paint_deck(Vec2 p) {
    const float across = (p.u - 0.5f) * 2;  // -1..1 over the width
    const float along = (0.5f - p.v) * 2;   // -1..1 tail to nose
    Colour c = kDeckRed * (0.95f + 0.05f * value_noise({p.u * 30, p.v * 90, 0}, 81));
    const float stripes = 1 - smoothstep(0.04f, 0.05f, std::fabs(std::fabs(along) - 0.62f));
    c = mix(c, kStripe, stripes);
    // A five-pointed star, taken in the deck's true proportions.
    const float x = across * kHalfWidth, y = along * kHalfLength;
    const float r = std::hypot(x, y), a = std::atan2(x, y);
    const float spikes = std::cos(5 * a);
    const float reach = 3.0f + 2.2f * smoothstep(0.2f, 1.0f, spikes);
    c = mix(c, kStar, 1 - smoothstep(reach - 0.25f, reach + 0.25f, r));
    return c * (1 - 0.25f * smoothstep(0.85f, 1.0f, std::fabs(across)));
}

Colour paint_wheel(Vec2 p) { return lit(kWheel, lat_long_direction({p.u, 0.5f})); }

Colour paint_metal(Vec2 p) { return kMetal * (0.85f + 0.3f * (1 - p.v)); }

Raster paint_skin() {
    return painted_skin(kSkinSize, {170, 176, 186, 255},
                        {{kDeckSkin, paint_deck},
                         {kWheelSkin, paint_wheel},
                         {kMetalSkin, paint_metal}});
}

}  // namespace

ModelAsset make_skateboard() {
    return {bake_md2(build_puppet(), {{frame_name("stand", 0), Pose(1)}}, kSkinSize, kSkinSize,
                     "models/skateboard/board.png"),
            paint_skin()};
}

}  // namespace floebound::tools
