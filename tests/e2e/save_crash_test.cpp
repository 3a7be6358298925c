#include "app/profile.h"
#include "game_session.h"
#include "profile_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr int kills = 100;
constexpr int longest_wait_ms = 700;

// Four spaces leave the intro; then each m saves the settings, and each tab
// with the space after it wins a level and saves the progress: a save every
// few frames for longer than the longest wait before the kill.
std::vector<std::string> saving_keys(const std::string& display) {
    std::vector<std::string> command = {"env", "DISPLAY=" + display, "xdotool", "key", "--delay", "10",
                                        "space", "space", "space", "space"};
    for (int i = 0; i < 40; ++i) command.insert(command.end(), {"m", "Tab", "m", "space"});
    return command;
}

// The profile's temporary files, each left by a kill in the middle of a save;
// removed, so that each kill's are counted once.
int remove_temporary_files(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().front() != '.') continue;
        std::filesystem::remove(entry.path());
        ++count;
    }
    return count;
}

}  // namespace

// Each file afterwards holds the old content or the new, never a part.
TEST(SavesSurviveACrash, KilledAtRandomWhileSavingEachProfileFileReadsBackWhole) {
    const ScratchDir home;
    const std::string folder = profile_folder_in(home.path());
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> wait_ms(0, longest_wait_ms);
    int cut_short = 0;
    for (int kill = 0; kill < kills; ++kill) {
        // Level 2 asked for counts as reached, and the first frame saves it.
        std::filesystem::create_directories(folder);
        const std::string progress = folder + "/" + floebound::progress_file;
        std::ofstream(progress) << "furthest_level=1\n";
        GameSession::Options options;
        options.screen_width = 640;
        options.screen_height = 480;
        options.home = home.path();
        options.args = {"--level", "2"};
        GameSession session(options);
        ASSERT_TRUE(session.display_ok());
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (read_file(progress) != "furthest_level=2\n" && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
        ASSERT_TRUE(session.game().running()) << session.game().output();
        ASSERT_EQ(read_file(progress), "furthest_level=2\n") << session.game().output();

        const ChildProcess keys(saving_keys(session.display()), "");
        const int waited = wait_ms(random);
        std::this_thread::sleep_for(std::chrono::milliseconds(waited));
        ::kill(session.game().pid(), SIGKILL);
        ASSERT_EQ(session.game().wait(10s), 128 + SIGKILL) << session.game().output();
        ASSERT_EQ(profile_problems(folder), "")
            << "seed " << seed << ", kill " << kill << " after " << waited << " ms\n" << session.game().output();
        cut_short += remove_temporary_files(folder);
    }
    std::printf("%d of %d kills cut a save short\n", cut_short, kills);
}
