#pragma once

#include <string>

#include "raster.h"

namespace floebound::tools {

// A finished picture and where it goes, relative to the game's data folder.
struct NamedPicture {
    std::string path;
    Raster picture;
};

}  // namespace floebound::tools
