#include "staged_install.h"

#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class StagedInstall : public testing::Environment {
public:
    void SetUp() override {
        std::filesystem::remove_all(FLOEBOUND_STAGE);
        const CommandResult install =
            run_command({CMAKE_COMMAND, "--install", FLOEBOUND_BUILD_DIR, "--prefix", "/usr", "--component", "game"},
                        {{"DESTDIR", FLOEBOUND_STAGE}}, std::chrono::minutes(2));
        ASSERT_EQ(install.status, 0) << install.output;
        // A root the game is installed in has its font package too; the
        // game folder's data/vera.ttf links to that package's file.
        const std::filesystem::path font = FLOEBOUND_STAGE FLOEBOUND_VERA_FONT;
        std::filesystem::create_directories(font.parent_path());
        std::filesystem::create_symlink(FLOEBOUND_VERA_FONT, font);
    }
};

const testing::Environment* const staged_install = testing::AddGlobalTestEnvironment(new StagedInstall);

}  // namespace

std::string installed(const std::string& path) { return std::string(FLOEBOUND_STAGE) + "/usr/" + path; }

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
