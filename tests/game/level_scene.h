#pragma once

#include "game/game_assets.h"
#include "game/level.h"
#include "media/sound.h"

#include <gtest/gtest.h>

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "scratch_game_folder.h"

// The longest update the main loop makes.
constexpr int slice_ms = 18;

// A real Level without a window, in a scratch game folder of its own: the
// game's generated models, particle sheet and sound effects are linked in
// from the folder the test starts in (the build's game folder), and each test
// writes the level files it needs under data/. The audio runs on the dummy
// driver.
class LevelScene : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes data/<name> and gives its path as the game names it.
    std::string write_level(const std::string& name, const std::string& text) const;

    // The build's game folder, where the test started, and a link from the
    // scratch folder to one of its files or folders, under the same relative
    // path.
    const std::string& game_dir() const { return start_dir_; }
    void link_game_file(const std::string& name) const;

    // Drops a penguin onto a square the way the penguin command does.
    floebound::Actor& drop_penguin(const char* name, int column, int row);

    // One update slice; the sound effects it started.
    std::vector<floebound::SoundId> update();

    ScratchGameFolder dir;
    std::unique_ptr<floebound::GameAssets> assets;
    std::unique_ptr<floebound::Level> level;

private:
    std::string start_dir_;
};

// Eight field rows from a picture of the field, then the settings text.
std::string level_text(const std::vector<std::string>& rows, const std::string& settings = "");

struct Square {
    int column, row;
    bool operator==(const Square& other) const { return column == other.column && row == other.row; }
};
std::ostream& operator<<(std::ostream& out, const Square& square);

Square square_of(const floebound::Actor& actor);
// The square an actor walks to, or where it stands when it does not walk.
Square destination_of(const floebound::Actor& actor);
