#include "world/terrain.h"

#include "media/image.h"
#include "media/texture.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"
#include "world/terrain_items.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace floebound {

namespace {

constexpr float grid_spacing = 64;
constexpr int fallback_map_side = 16;

// Stands in for a map that did not load, every pixel the same.
ImageHandle make_uniform_map(const unsigned char (&rgba)[4]) {
    ImageHandle map = make_blank_image(fallback_map_side, fallback_map_side);
    if (!map) return nullptr;
    const std::size_t pixel_count = static_cast<std::size_t>(map->tex_width) * map->tex_height;
    for (std::size_t i = 0; i < pixel_count; ++i) std::memcpy(&map->pixels[i], rgba, sizeof rgba);
    return map;
}

// A height map or colour map from a file, or one that changes nothing: level
// ground, plain white.
ImageHandle load_map(const char* path, const unsigned char (&fallback)[4]) {
    ImageHandle map = load_image(path);
    return map ? std::move(map) : make_uniform_map(fallback);
}

constexpr unsigned char flat_ground[4] = {0, 128, 0, 255};
constexpr unsigned char plain_white[4] = {255, 255, 255, 255};

void emit(const TerrainVertex& vertex) {
    glNormal3f(vertex.normal.x, vertex.normal.y, vertex.normal.z);
    glVertex3f(vertex.position.x, vertex.position.y, vertex.position.z);
}

}  // namespace

Terrain::Terrain(const char* height_map_path) : ground_image_(load_image("data/grass4.png")) {
    make_texture(ground_image_.get());
    const ImageHandle height_map = load_map(height_map_path, flat_ground);
    if (height_map) {
        build_terrain_mesh(mesh_, *height_map, nullptr, grid_spacing);
        place_terrain_items(*height_map, grid_spacing);
    }
}

Terrain::Terrain(const char* height_map_path, const char* colour_map_path)
    : ground_image_(load_image("data/detail.png")) {
    make_texture(ground_image_.get());
    const ImageHandle colour_map = load_map(colour_map_path, plain_white);
    const ImageHandle height_map = load_map(height_map_path, flat_ground);
    if (height_map) {
        build_terrain_mesh(mesh_, *height_map, colour_map.get(), grid_spacing);
        free_scenery_items();
        load_scenery_items();
        place_terrain_items(*height_map, grid_spacing);
    }
}

void Terrain::draw() {
    if (mesh_.vertices.empty()) return;
    // The vertex colours (colour map, highlight, grid lines) are meant to show
    // under the light, so they drive the material while the terrain draws; the
    // saved lighting state keeps that material from leaking into later drawing.
    glPushAttrib(GL_LIGHTING_BIT);
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // Without its picture the ground goes untextured rather than wearing
    // whatever texture happens to be bound.
    if (ground_image_ && ground_image_->texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, ground_image_->texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glFrontFace(GL_CW);

    draw_ground();
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_TEXTURE_2D);
    draw_cursor_highlight();
    glDepthFunc(GL_ALWAYS);
    draw_grid_lines();

    glPopAttrib();
    glEnable(GL_LIGHTING);
    glDepthFunc(GL_LESS);
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < scenery_item_count(); ++i) draw_scenery_item(i);
}

void Terrain::draw_ground() const {
    const std::size_t strip_length = std::size_t{2} * mesh_.columns;
    for (int r = 0; r < mesh_.rows; ++r) {
        const TerrainVertex* strip = &mesh_.vertices[r * strip_length];
        glBegin(GL_TRIANGLE_STRIP);
        for (std::size_t j = 0; j < strip_length; ++j) {
            const TerrainVertex& vertex = strip[j];
            unsigned char rgba[4];
            std::memcpy(rgba, &vertex.colour, sizeof rgba);
            glTexCoord2f(vertex.s, vertex.t);
            glColor3f(rgba[0] / 255.0f, rgba[1] / 255.0f, rgba[2] / 255.0f);
            emit(vertex);
        }
        glEnd();
    }
}

// Drawn over the ground at equal depth, hence GL_LEQUAL.
void Terrain::draw_cursor_highlight() const {
    const int first = cursor_cell_first_vertex(mesh_, cursor_);
    if (first < 0) return;
    glBegin(GL_TRIANGLE_STRIP);
    glColor4f(1, 1, 0.4f, 0.5f);
    for (int k = 0; k < 4; ++k) emit(mesh_.vertices[first + k]);
    glEnd();
}

// The lines lie exactly on the ground they trace, where a depth test would let
// them flicker in and out, so they are drawn over whatever is there.
void Terrain::draw_grid_lines() const {
    // Far beyond 1 so that the colour still clamps to pure white once the
    // light has scaled it.
    constexpr float overbright_white = 255;
    glColor3f(overbright_white, overbright_white, overbright_white);
    for (int r = 0; r < mesh_.rows; ++r) {
        glBegin(GL_LINE_STRIP);
        for_each_grid_line_vertex(mesh_, r, [this](int index) { emit(mesh_.vertices[index]); });
        glEnd();
    }
}

}  // namespace floebound
