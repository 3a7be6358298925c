// Runs the real generator binary into scratch folders.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "game_asset_paths.h"
#include "sound_files.h"

namespace fs = std::filesystem;

namespace {

int run_assetgen(const std::string& arguments) {
    const std::string command = std::string("\"") + ASSETGEN_PATH + "\" " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path fresh_folder(const std::string& name) {
    const fs::path folder = fs::current_path() / "assetgen_scratch" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Relative path -> contents, for every file under `root`.
std::map<std::string, std::vector<std::uint8_t>> snapshot(const fs::path& root) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = read_bytes(entry.path().string());
    return files;
}

}  // namespace

TEST(AssetgenRun, TwoRunsWriteEveryGameFileWithIdenticalBytes) {
    const fs::path first = fresh_folder("first"), second = fresh_folder("second");
    ASSERT_EQ(run_assetgen("\"" + first.string() + "\""), 0);
    ASSERT_EQ(run_assetgen("\"" + second.string() + "\""), 0);

    const auto a = snapshot(first), b = snapshot(second);
    for (const char* path : kGameAssetPaths) {
        ASSERT_TRUE(a.count(path)) << path << " was not written";
        EXPECT_FALSE(a.at(path).empty()) << path;
    }
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [path, bytes] : a) {
        ASSERT_TRUE(b.count(path)) << path << " missing from the second run";
        EXPECT_TRUE(bytes == b.at(path)) << path << " differs between runs";
    }
}

TEST(AssetgenRun, FailsLoudlyWhenItCannotWrite) {
    const fs::path folder = fresh_folder("blocked");
    // A plain file where the data folder should go.
    std::ofstream(folder / "data") << "in the way";
    EXPECT_NE(run_assetgen("\"" + folder.string() + "\""), 0);
    EXPECT_NE(run_assetgen(""), 0) << "no output folder given";
}
