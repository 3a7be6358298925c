#pragma once

#include <string>

#include "raster.h"

// A finished picture and where it goes, relative to the game's data folder.
struct NamedPicture {
    std::string path;
    Raster picture;
};
