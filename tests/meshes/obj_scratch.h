#pragma once

#include "png_fixture.h"
#include "scratch_game_folder.h"

#include <gtest/gtest.h>

#include <string>

// Gives each test a scratch game folder with empty data/ and models/ folders,
// where it writes the OBJ and MTL files it loads; releases the scenery tables
// afterwards, so every test starts with them empty.
class ObjScratch : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The full path of a file the game names, in the scratch folder.
    std::string file(const std::string& name) const { return dir_.file(name); }

    // Writes text (or any bytes) to a path under the scratch folder, making
    // its folders.
    void write(const std::string& path, const std::string& text);

    // load_obj(name) with the console captured; the slot it filled, or -1.
    std::string load(const char* name, int* slot = nullptr);

private:
    ScratchGameFolder dir_;
};

// Console output with the lines of pictures that loaded ("Loaded %s (%08x)",
// whose address changes from run to run) taken out.
std::string without_loaded_lines(const std::string& output);
