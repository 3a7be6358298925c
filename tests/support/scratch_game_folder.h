#pragma once

#include "process.h"

#include <string>

// A fresh scratch folder made the game folder while it lives, so that the
// loaders open the paths the game names ("data/field.png") inside it. Tests
// write those files by their full paths, from file(). On destruction the
// game folder is the working directory again and the folder goes.
class ScratchGameFolder : public ScratchDir {
public:
    ScratchGameFolder();
    ~ScratchGameFolder();

    // The full path of a file the game names.
    std::string file(const std::string& name) const { return path() + "/" + name; }
};
