// What the install puts where: the private binaries, the whole generated
// game folder (its font a link to the font package's), the launchers and the
// desktop icons.

#include "staged_install.h"

#include "game_asset_paths.h"
#include "icon_art.h"
#include "picture_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace floebound::tools;

namespace fs = std::filesystem;

namespace {

bool is_executable_file(const fs::path& path) {
    return fs::is_regular_file(path) && (fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// Every regular file below a folder (or link to one), by its path relative to
// the folder.
std::set<std::string> files_below(const fs::path& folder) {
    std::set<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(folder).string());
    return files;
}

// The files below a game folder's data/ and models/, by their paths relative
// to the game folder; anything else there is left out.
std::set<std::string> game_files_below(const fs::path& game_folder) {
    std::set<std::string> files;
    for (const char* folder : {"data", "models"})
        for (const std::string& file : files_below(game_folder / folder)) files.insert(fs::path(folder) / file);
    return files;
}

std::set<std::string> file_names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

}  // namespace

TEST(InstalledTree, BinariesSitInAPrivateFolderAndLaunchersInGames) {
    // The game and the level tools, each with a launcher of the same name.
    const std::set<std::string> binaries = {"floebound", "floebound-solve", "floebound-generate"};
    ASSERT_TRUE(fs::is_directory(installed("lib/games/floebound")));
    EXPECT_EQ(file_names_in(installed("lib/games/floebound")), binaries);
    EXPECT_EQ(file_names_in(installed("games")), binaries);
    for (const std::string& name : binaries) {
        EXPECT_TRUE(is_executable_file(installed("lib/games/floebound/" + name))) << name;
        EXPECT_TRUE(is_executable_file(installed("games/" + name))) << name;
        // A staged install must not remember the staging root.
        EXPECT_EQ(read_text(installed("games/" + name)).find(FLOEBOUND_STAGE), std::string::npos) << name;
    }
}

TEST(InstalledTree, HoldsTheWholeGeneratedGameFolderByteForByte) {
    const fs::path built = FLOEBOUND_GAME_DIR;
    const fs::path game = installed("share/games/floebound");
    ASSERT_TRUE(fs::is_directory(game));
    EXPECT_EQ(file_names_in(game), (std::set<std::string>{"data", "models"}));

    const std::set<std::string> got = game_files_below(game);
    EXPECT_EQ(got, game_files_below(built));

    for (const char* asset : kGameAssetPaths) EXPECT_EQ(got.count(asset), 1u) << asset;
    EXPECT_EQ(got.count("data/level.txt"), 1u) << "the first level";
    for (const std::string& file : got)
        EXPECT_EQ(read_text(game / file), read_text(built / file)) << file << " differs from the build's";
}

// The build's game folder holds a copy of the font; the installed one links,
// relative to where it is installed, to the font package's own file.
TEST(InstalledTree, TheFontIsALinkToTheFontPackagesVera) {
    const fs::path link = installed("share/games/floebound/data/vera.ttf");
    ASSERT_TRUE(fs::is_symlink(link)) << link;
    const fs::path target = fs::read_symlink(link);
    EXPECT_TRUE(target.is_relative()) << target;
    EXPECT_EQ(("/usr/share/games/floebound/data" / target).lexically_normal(), FLOEBOUND_VERA_FONT);
    EXPECT_TRUE(fs::is_regular_file(FLOEBOUND_VERA_FONT));
}

TEST(InstalledTree, DesktopIconsAreThePenguinEmblemAtEveryHicolorSize) {
    const fs::path hicolor = installed("share/icons/hicolor");
    std::set<std::string> expected_sizes;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        expected_sizes.insert(folder);
        const fs::path icon = hicolor / folder / "apps" / "com.kelpworks.floebound.png";
        ASSERT_TRUE(fs::is_regular_file(icon)) << icon;
        EXPECT_EQ(file_names_in(hicolor / folder / "apps"), std::set<std::string>{icon.filename()});
        const Picture picture = read_png(icon);
        ASSERT_EQ(picture.width, size);
        ASSERT_EQ(picture.height, size);
        EXPECT_TRUE(picture.rgba == draw_penguin_icon(size).rgba) << folder << " is not the window icon's art";
    }
    EXPECT_EQ(file_names_in(hicolor), expected_sizes);
}
