#pragma once

#include "media/image.h"

#include <cstdint>
#include <vector>

namespace floebound {

// One triangle corner, interleaved as fixed-function OpenGL takes it:
// texture-2, normal-3, vertex-3. Three consecutive corners make a triangle.
struct ObjCorner {
    float s, t;
    float nx, ny, nz;
    float x, y, z;
};

// The triangles of one material, corners first_corner to end_corner - 1,
// sorted so that the wide ones come first.
struct ObjGroup {
    std::int32_t first_corner;
    std::int32_t end_corner;
    Image* material_image;  // the material table's, not owned; may be null
    std::int32_t wide_corners;  // 3 * the triangles with an edge longer than 250 units
    float box[6];  // min x, y, z, max x, y, z of the group's corners
};

constexpr int max_obj_name = 63;
constexpr int max_material_name = 255;

// One static model: its triangles de-indexed into `corners`, split into
// material groups. The model owns its default texture.
struct ObjModel {
    char name[max_obj_name + 1];
    float placement[16];  // column-major; the identity after loading
    std::int32_t group_count;  // the groups closed, or every one counted while none has closed
    std::vector<ObjGroup> groups;  // one for each group the first pass counted
    std::int32_t position_count;
    ImageHandle texture;  // the model's default picture, its texture made
    std::vector<ObjCorner> corners;  // 3 * the face lines of the file
};

struct ObjMaterial {
    char name[max_material_name + 1];
    std::uint32_t colour;  // bytes red, green, blue, alpha in memory order; alpha 255
    Image* image;  // from "map_Kd", its texture made; null without one
};

// Reads "models/<name>.obj" with "models/<name>.mtl" into the next free slot
// of the scenery table and returns that slot, which the table keeps. The
// default texture is "data/<name>.png", else "models/<name>/<name>.png", else
// a blank 8 by 8. Reports every stage on the console. Null, taking no slot and
// holding nothing, when the OBJ file does not open ("Couldn't find %s\n"),
// when the name is empty or longer than 63 characters, or when all 32 slots
// are taken. Faces naming
// positions or texture coordinates not read yet, and groups or faces beyond
// what the first pass counted, are skipped with a line each; nothing in the
// files can make it read or write out of bounds.
[[nodiscard]] ObjModel* load_obj(const char* name);

// Releases a slot's texture and arrays and leaves it empty.
void release_obj_model(ObjModel& model);

// The longest of a triangle's three squared edge lengths.
float longest_squared_edge(const ObjCorner* triangle);

// Squared distance between two corners' positions.
float squared_distance(const ObjCorner& a, const ObjCorner& b);

}  // namespace floebound
