#pragma once

#include <string>
#include <vector>

#include "mesh_builder.h"

namespace floebound::tools {

// Static models as the game's OBJ/MTL loader reads them: every position and
// texture coordinate first, then each part as a named group with its
// material, closed by a bare "g" line. Meshes are built Z up like the MD2
// models; the files are Y up. Texture v runs down the picture, as for skins.

struct ObjPart {
    std::string group;
    std::string material;
    Mesh mesh;
};

// "f v/vt/vn" faces with one normal per face, or "f v/vt" without normals.
enum class ObjFaceForm { with_normals, without_normals };

std::string encode_obj(const std::vector<ObjPart>& parts, const std::string& mtl_file, ObjFaceForm form);

struct MtlEntry {
    std::string name;
    float diffuse[3];
    std::string texture_file;  // beside the model, in its own folder
};

std::string encode_mtl(const std::vector<MtlEntry>& materials);

}  // namespace floebound::tools
