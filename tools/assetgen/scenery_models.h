#pragma once

#include <string>
#include <vector>

#include "named_picture.h"
#include "raster.h"

namespace floebound::tools {

// The static scenery: trees (a trunk and a crown, each its own material) and
// grass tufts (crossed upright quads under a cut-out blade picture), as OBJ
// and MTL text with their pictures. The game reads "models/<name>.obj",
// "models/<name>.mtl" and the pictures from "models/<name>/", and shows each
// model at 0.75 times its file units (an eighth when loading, six times when
// placed on the ground).
struct SceneryModel {
    std::string name;  // e.g. "enviro/tree2"
    std::string obj;
    std::string mtl;
    std::vector<NamedPicture> pictures;  // paths relative to the model's folder
};

// tree2, tree4, tree5, grass1 to grass6 and grass_scatt under "enviro/".
std::vector<SceneryModel> make_scenery_models();

// The ground texture of the scenery terrain: light, neutral and fine, so the
// colour map's tint shows through. 256 by 256, opaque.
Raster draw_detail_texture();

}  // namespace floebound::tools
