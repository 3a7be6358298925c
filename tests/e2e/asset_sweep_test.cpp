// The real game with one of its generated files missing or damaged: it must
// start, pass the intro, drop a penguin and quit with status 0 all the same.
// One case per file; the suite's run shards the missing-file cases over
// several tests, and the damaged-file cases run with the deep fuzzing.
#include "damaged_bytes.h"
#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

namespace fs = std::filesystem;

// Every file the game may read. The scenery models are only read by a terrain
// form the game never builds; their own test covers them.
std::vector<std::string> game_files() {
    std::vector<std::string> files;
    const fs::path game_dir = FLOEBOUND_GAME_DIR;
    for (const char* top : {"data", "models"}) {
        std::error_code missing;
        for (fs::recursive_directory_iterator it(game_dir / top, missing), end; it != end; ++it) {
            const std::string relative = it->path().lexically_relative(game_dir).string();
            if (it->is_regular_file() && relative.rfind("models/enviro/", 0) != 0) files.push_back(relative);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The seed of the damage: FLOEBOUND_DAMAGE_SEED, so deep runs can vary it.
std::uint32_t damage_seed() {
    const char* seed = std::getenv("FLOEBOUND_DAMAGE_SEED");
    return seed ? static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)) : 0;
}

std::string damaged(const std::string& relative) {
    return damaged_bytes(read_file(std::string(FLOEBOUND_GAME_DIR) + "/" + relative), relative, damage_seed());
}

std::string last_lines(const std::string& output, int count = 30) {
    std::size_t start = output.size();
    for (int line = 0; line <= count && start > 0; ++line) start = output.rfind('\n', start - 1);
    return start == std::string::npos ? output : output.substr(start + 1);
}

// Starts the game, plays past the intro, drops a penguin on the first level's
// penguin square, (3,6), and quits through the popup.
void play_briefly(const std::string& file, const std::optional<std::string>& contents) {
    GameSession::Options options;
    options.screen_width = 640;
    options.screen_height = 480;
    options.key_pause_ms = 60;
    options.changed_files[file] = contents;
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    const std::string change = contents ? " damaged (seed " + std::to_string(damage_seed()) + ")" : " missing";
    const auto context = [&] {
        return "with " + file + change + ", the game's last lines:\n" + last_lines(session.game().output());
    };
    ASSERT_FALSE(session.find_window().empty()) << context();
    ASSERT_TRUE(session.leave_intro()) << context();
    const std::size_t before_drop = session.game().output().size();
    // Without its file the first level is an empty field, won at once: space
    // goes on to the second, whose penguin square is (1,6).
    const bool first_level_won = file == "data/level.txt" && !contents;
    const std::vector<std::string> drop = first_level_won
        ? std::vector<std::string>{"space", "Down", "Down", "Right", "Right", "Right", "space", "space"}
        : std::vector<std::string>{"Right", "Right", "Right", "space", "space"};
    for (const std::string& key : drop) ASSERT_TRUE(session.key(key)) << context();
    // The drop shows as the penguin model's or skin's console line, unless one
    // of them is missing (the loaders pass over a missing file in silence) or
    // the damage took the first level's penguin square.
    const bool drop_shows = contents ? file != "data/level.txt"
                                     : file != "models/penguin/tris.md2" && file != "models/penguin/penguin.png";
    if (drop_shows) {
        ASSERT_TRUE(session.game().wait_for_output("models/penguin/", 10s) &&
                    session.game().output().find("models/penguin/", before_drop) != std::string::npos)
            << "no penguin was dropped " << context();
    }
    ASSERT_TRUE(session.key("Escape")) << context();
    ASSERT_TRUE(session.key_down("space")) << context();
    ASSERT_TRUE(session.key_up("space")) << context();
    EXPECT_EQ(session.game().wait(20s), 0) << context();
}

std::string test_name(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class MissingFile : public testing::TestWithParam<std::string> {};
class DamagedFile : public testing::TestWithParam<std::string> {};

}  // namespace

TEST(AssetSweep, FindsTheGeneratedFiles) {
    const std::vector<std::string> files = game_files();
    EXPECT_GT(files.size(), 60u) << "the assets were not generated in " FLOEBOUND_GAME_DIR;
}

TEST_P(MissingFile, GameStillPlaysAndQuits) { play_briefly(GetParam(), std::nullopt); }
TEST_P(DamagedFile, GameStillPlaysAndQuits) { play_briefly(GetParam(), damaged(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Each, MissingFile, testing::ValuesIn(game_files()), test_name);
INSTANTIATE_TEST_SUITE_P(Each, DamagedFile, testing::ValuesIn(game_files()), test_name);
