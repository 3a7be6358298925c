#pragma once

#include "app/renderable.h"
#include "world/terrain_mesh.h"

struct Image;

// The ground of every scene: a lit, textured height field with white grid
// lines over its flat part and the player's cursor cell highlighted.
class Terrain : public Renderable {
public:
    // Builds the mesh from a PNG height map, 64 units between grid points, and
    // covers it with "data/grass4.png". Needs a current OpenGL context for the
    // ground texture. A height map that does not load gives a flat 16 by 16
    // field; a missing ground picture leaves the ground untextured.
    explicit Terrain(const char* height_map_path);
    ~Terrain() override;
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    // Leaves lighting on, texturing on, the depth test at GL_LESS and the front
    // face clockwise.
    void draw() override;
    void update(int) override {}
    bool handle_key(int, bool) override { return false; }
    bool is_active() const override { return true; }

    void set_cursor(int first, int second) { set_terrain_cursor(cursor_, mesh_, first, second); }
    TerrainCursor get_cursor() const { return cursor_; }
    const TerrainMesh& mesh() const { return mesh_; }

private:
    void draw_ground() const;
    void draw_cursor_highlight() const;
    void draw_grid_lines() const;

    Image* ground_image_;
    TerrainMesh mesh_;
    TerrainCursor cursor_;
};
