#include "world/terrain_mesh.h"

#include "media/image.h"

#include <algorithm>
#include <cstddef>

namespace floebound {

namespace {

constexpr std::uint32_t opaque_white = 0xffffffffu;
constexpr int flat_green = 128;

const unsigned char* pixel_bytes(const Image& image, int c, int r) {
    const std::size_t index = static_cast<std::size_t>(c) + static_cast<std::size_t>(r) * image.tex_width;
    return reinterpret_cast<const unsigned char*>(&image.pixels[index]);
}

// The colour map should match the height map, but one that does not (a
// picture that failed to load and was replaced) must not be read past its end.
std::uint32_t sample_colour(const Image* colour_map, int c, int r) {
    if (!colour_map || c >= colour_map->width || r >= colour_map->height) return opaque_white;
    return colour_map->pixels[static_cast<std::size_t>(c) + static_cast<std::size_t>(r) * colour_map->tex_width];
}

}  // namespace

TerrainVertex terrain_sample(const Image& height_map, const Image* colour_map, int c, int r, float spacing) {
    TerrainVertex vertex{};
    vertex.position.x = spacing * static_cast<float>(c - height_map.width / 2);
    vertex.position.z = spacing * static_cast<float>(r - height_map.height / 2);
    c = std::clamp(c, 0, height_map.width - 1);
    r = std::clamp(r, 0, height_map.height - 1);
    const int green = pixel_bytes(height_map, c, r)[1];
    vertex.position.y = static_cast<float>(green - flat_green);
    // Every cell shows the whole texture, mirrored in every other column and
    // row so that neighbouring cells meet on matching texels.
    vertex.s = static_cast<float>(c & 1);
    vertex.t = static_cast<float>(r & 1);
    vertex.colour = sample_colour(colour_map, c, r);
    return vertex;
}

void build_terrain_mesh(TerrainMesh& mesh, const Image& height_map, const Image* colour_map, float spacing) {
    mesh.columns = height_map.width;
    mesh.rows = height_map.height;
    mesh.vertices.clear();
    mesh.vertices.reserve(std::size_t{2} * mesh.columns * mesh.rows);
    const auto position = [&](int c, int r) { return terrain_sample(height_map, colour_map, c, r, spacing).position; };
    for (int r = 0; r < mesh.rows; ++r) {
        for (int c = 0; c < mesh.columns; ++c) {
            for (int row = r; row <= r + 1; ++row) {
                TerrainVertex vertex = terrain_sample(height_map, colour_map, c, row, spacing);
                vertex.normal = cross(position(c, row - 1) - position(c, row + 1),
                                      position(c - 1, row) - position(c + 1, row));
                normalize(vertex.normal);
                mesh.vertices.push_back(vertex);
            }
        }
    }
}

void set_terrain_cursor(TerrainCursor& cursor, const TerrainMesh& mesh, int first, int second) {
    if (first >= 0 && first < mesh.rows) cursor.first = first;
    if (second >= 0 && second < mesh.columns) cursor.second = second;
}

int cursor_cell_first_vertex(const TerrainMesh& mesh, const TerrainCursor& cursor) {
    if (cursor.first < 0 || cursor.first >= mesh.rows) return -1;
    if (cursor.second < 0 || cursor.second >= mesh.columns - 1) return -1;
    return cursor.first * 2 * mesh.columns + 2 * cursor.second;
}

bool grid_line_passes(const TerrainMesh& mesh, int index) {
    const std::size_t next = static_cast<std::size_t>(index) + 1;
    if (index < 0 || next >= mesh.vertices.size()) return false;
    return mesh.vertices[index].position.y == 0 && mesh.vertices[next].position.y == 0;
}

}  // namespace floebound
