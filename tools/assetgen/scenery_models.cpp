#include "scenery_models.h"

#include <cmath>

#include "app/angles.h"
#include "obj_writer.h"
#include "random.h"
#include "skin_paint.h"

namespace floebound::tools {

namespace {

constexpr float kPi = static_cast<float>(pi);
constexpr UvRect kWholePicture{0, 0, 1, 1};

struct Cone {
    float radius, height, base;  // base: height of the cone's rim above the ground
};

struct TreeShape {
    const char* name;
    float trunk_radius, trunk_height;
    std::vector<Cone> cones;       // a pine's layers; empty for a round crown
    Vec3 crown_radii;              // a round crown's size, at the trunk's top
    Colour crown_light, crown_dark;
};

struct GrassShape {
    const char* name;
    float width, height;
    int quads;
    float turn_degrees;
    int blades;
    Colour tip, root;
};

Raster bark_picture() {
    Raster bark = blank_picture(64, 64);
    paint_region(bark, kWholePicture, [](Vec2 p) {
        // Furrows run up the trunk: noise stretched along v.
        const float furrow = fractal_noise({p.u * 12, p.v * 1.5f, 0}, 3, 71);
        return mix(rgb(70, 46, 30), rgb(128, 92, 60), smoothstep(-0.5f, 0.5f, furrow));
    });
    return bark;
}

Raster crown_picture(Colour light, Colour dark, unsigned seed) {
    Raster crown = blank_picture(128, 128);
    paint_region(crown, kWholePicture, [=](Vec2 p) {
        const float clumps = fractal_noise({p.u * 8, p.v * 8, 0}, 4, seed);
        return mix(dark, light, smoothstep(-0.4f, 0.5f, clumps));
    });
    return crown;
}

// Tapered blades rising from the bottom edge on a clear background.
Raster blade_picture(const GrassShape& shape, unsigned seed) {
    Canvas canvas(64, 64);
    canvas.fill({0, 0, 0, 0});
    Xorshift random(seed);
    for (int i = 0; i < shape.blades; ++i) {
        const double root = 0.08 + 0.84 * (i + 0.5) / shape.blades + 0.04 * random.bipolar();
        const double tip = root + 0.18 * random.bipolar();
        const double top = 0.05 + 0.35 * random.unit();
        const Colour c = mix(shape.root, shape.tip, static_cast<float>(random.unit()));
        const Rgba colour{static_cast<std::uint8_t>(c.r * 255), static_cast<std::uint8_t>(c.g * 255),
                          static_cast<std::uint8_t>(c.b * 255), 255};
        canvas.fill_triangle({root - 0.035, 1.0}, {root + 0.035, 1.0}, {tip, top}, colour);
    }
    return canvas.image();
}

void add_cones(Mesh& crown, const std::vector<Cone>& cones) {
    for (const Cone& cone : cones)
        add(crown, tube(cone.radius, 0, cone.height, 10, uv_rect(kWholePicture), {true, false}),
            translate({0, 0, cone.base}));
}

SceneryModel make_tree(const TreeShape& shape, unsigned seed) {
    Mesh trunk = tube(shape.trunk_radius, shape.trunk_radius * 0.7f, shape.trunk_height, 8, uv_rect(kWholePicture),
                      {false, true});
    Mesh crown;
    if (shape.cones.empty()) {
        add(crown, ellipsoid(shape.crown_radii, 12, 8, uv_rect(kWholePicture)),
            translate({0, 0, shape.trunk_height + shape.crown_radii.z * 0.6f}));
    } else {
        add_cones(crown, shape.cones);
    }
    const std::string file = std::string(shape.name);
    SceneryModel model;
    model.name = "enviro/" + file;
    model.obj = encode_obj({{"trunk", "bark", trunk}, {"crown", "crown", crown}}, file + ".mtl",
                           ObjFaceForm::with_normals);
    const Colour mid = mix(shape.crown_dark, shape.crown_light, 0.5f);
    model.mtl = encode_mtl({{"bark", {0.45f, 0.32f, 0.2f}, "bark.png"}, {"crown", {mid.r, mid.g, mid.b}, "crown.png"}});
    model.pictures = {{"bark.png", bark_picture()}, {"crown.png", crown_picture(shape.crown_light, shape.crown_dark, seed)}};
    return model;
}

// Upright quads through the tuft's centre, each seen from both sides.
Mesh tuft(float width, float height, int quads, float turn_degrees) {
    Mesh mesh;
    for (int q = 0; q < quads; ++q) {
        const float angle = (turn_degrees + 180.0f * q / quads) * kPi / 180.0f;
        const Vec3 half{0.5f * width * std::cos(angle), 0.5f * width * std::sin(angle), 0};
        const int first = static_cast<int>(mesh.vertices.size());
        mesh.vertices.insert(mesh.vertices.end(),
                             {-half, half, half + Vec3{0, 0, height}, -half + Vec3{0, 0, height}});
        const Corner bottom_left{first, {0, 1}}, bottom_right{first + 1, {1, 1}}, top_right{first + 2, {1, 0}},
            top_left{first + 3, {0, 0}};
        mesh.triangles.push_back({{bottom_left, bottom_right, top_right}});
        mesh.triangles.push_back({{bottom_left, top_right, top_left}});
        mesh.triangles.push_back({{bottom_left, top_right, bottom_right}});
        mesh.triangles.push_back({{bottom_left, top_left, top_right}});
    }
    return mesh;
}

SceneryModel grass_model(const std::string& file, const Mesh& mesh, const GrassShape& colours, unsigned seed) {
    SceneryModel model;
    model.name = "enviro/" + file;
    model.obj = encode_obj({{"blades", "blades", mesh}}, file + ".mtl", ObjFaceForm::without_normals);
    const Colour mid = mix(colours.root, colours.tip, 0.5f);
    model.mtl = encode_mtl({{"blades", {mid.r, mid.g, mid.b}, "blades.png"}});
    model.pictures = {{"blades.png", blade_picture(colours, seed)}};
    return model;
}

// Small tufts strewn over about a square's width.
Mesh scattered_tufts() {
    Mesh mesh;
    Xorshift random(977);
    for (int i = 0; i < 7; ++i) {
        const Vec3 at{40.0f * random.bipolar(), 40.0f * random.bipolar(), 0};
        add(mesh, tuft(12 + 6 * static_cast<float>(random.unit()), 10 + 8 * static_cast<float>(random.unit()), 2,
                       180 * static_cast<float>(random.unit())),
            translate(at));
    }
    return mesh;
}

}  // namespace

std::vector<SceneryModel> make_scenery_models() {
    const Colour pine_light = rgb(70, 130, 80), pine_dark = rgb(24, 66, 44);
    const TreeShape trees[] = {
        {"tree2", 6, 40, {{40, 50, 30}, {32, 44, 58}, {22, 36, 86}}, {}, pine_light, pine_dark},
        {"tree4", 7, 56, {}, {42, 42, 38}, rgb(120, 170, 70), rgb(46, 96, 40)},
        {"tree5", 5, 50, {{26, 60, 40}, {20, 50, 80}, {13, 40, 116}}, {}, rgb(90, 140, 96), rgb(30, 70, 52)},
    };
    std::vector<SceneryModel> models;
    unsigned seed = 401;
    for (const TreeShape& tree : trees) models.push_back(make_tree(tree, seed++));

    const Colour green = rgb(120, 176, 70), straw = rgb(196, 186, 110), root = rgb(52, 88, 40);
    const GrassShape grasses[] = {
        {"grass1", 24, 20, 2, 0, 9, green, root},   {"grass2", 30, 26, 3, 15, 12, green, root},
        {"grass3", 18, 32, 2, 45, 7, straw, root},  {"grass4", 36, 18, 3, 0, 14, straw, root},
        {"grass5", 28, 24, 2, 30, 10, rgb(150, 190, 90), root}, {"grass6", 32, 30, 4, 10, 16, green, root},
    };
    for (const GrassShape& grass : grasses)
        models.push_back(grass_model(grass.name, tuft(grass.width, grass.height, grass.quads, grass.turn_degrees),
                                     grass, seed++));
    models.push_back(
        grass_model("grass_scatt", scattered_tufts(), {"grass_scatt", 0, 0, 0, 0, 11, green, root}, seed++));
    return models;
}

Raster draw_detail_texture() {
    Raster detail = blank_picture(256, 256);
    paint_region(detail, kWholePicture, [](Vec2 p) {
        const float grain = fractal_noise({p.u * 32, p.v * 32, 0}, 3, 613);
        return rgb(236, 238, 240) * (1.0f + 0.05f * grain);
    });
    return detail;
}

}  // namespace floebound::tools
