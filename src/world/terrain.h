#pragma once

#include "app/renderable.h"
#include "media/image.h"
#include "world/terrain_mesh.h"

namespace floebound {

// The ground of every scene: a lit, textured height field with white grid
// lines over its flat part and the player's cursor cell highlighted.
class Terrain : public Renderable {
public:
    // Builds the mesh from a PNG height map, 64 units between grid points, and
    // covers it with "data/grass4.png". Needs a current OpenGL context for the
    // ground texture. A height map that does not load gives a flat 16 by 16
    // field; a missing ground picture leaves the ground untextured.
    // Stands the loaded scenery items on it when there are more than ten.
    explicit Terrain(const char* height_map_path);
    // The scenery form: covered with "data/detail.png", each vertex tinted by
    // the colour map's pixel (plain white when it does not load); reloads the
    // scenery items and stands them on it. The items stay loaded after the
    // terrain is gone, until free_scenery_items.
    Terrain(const char* height_map_path, const char* colour_map_path);
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    // Leaves lighting on, texturing on, the depth test at GL_LESS and the front
    // face clockwise; then calls every scenery item's draw hook.
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

    ImageHandle ground_image_;
    TerrainMesh mesh_;
    TerrainCursor cursor_;
};

}  // namespace floebound
