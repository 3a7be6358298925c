#include "disk_audio.h"
#include "game_session.h"
#include "scenes/level_select.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

constexpr int width = 800;
constexpr int height = 600;

GameSession::Options options_with(const std::string& home, std::vector<std::string> args = {}) {
    GameSession::Options options;
    options.screen_width = width;
    options.screen_height = height;
    options.home = home;
    options.args = std::move(args);
    return options;
}

void keys(GameSession& session, const std::vector<std::string>& names) {
    for (const std::string& name : names) ASSERT_TRUE(session.key(name)) << name;
}

void quit(GameSession& session) {
    ASSERT_TRUE(session.key("Escape"));
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}

// Which pixels of "Level N" at the top right are pure white.
std::vector<bool> level_number(GameSession& session) {
    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot shot = session.screenshot();
    std::vector<bool> white;
    for (int y = 20; y < 40; ++y)
        for (int x = width - 160; x < width - 60; ++x) {
            const auto p = shot.at(x, y);
            white.push_back(p[0] == 255 && p[1] == 255 && p[2] == 255);
        }
    return white;
}

void write_file(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Seconds until the game prints the text.
double seconds_until(GameSession& session, const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    if (!session.game().wait_for_output(text, 90s)) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

// Winning (here skipping with tab) is saved: the next start continues at level
// 2, Page Up and Page Down move within what is reached, and a damaged
// progress file or a missing home only costs the progress.
TEST(PlayerProgress, ContinuesWhereItWasLeftAndSurvivesADamagedFile) {
    const ScratchDir home;
    std::vector<bool> first, second;
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        ASSERT_TRUE(session.leave_intro());
        first = level_number(session);
        keys(session, {"Tab", "space"});
        second = level_number(session);
        ASSERT_NE(first, second);
        quit(session);
    }
    const std::string progress = home.path() + "/.local/share/floebound/progress.txt";
    EXPECT_EQ(read_file(progress), "furthest_level=2\n");
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        ASSERT_TRUE(session.leave_intro());
        EXPECT_EQ(level_number(session), second) << "the game should continue at level 2";
        keys(session, {"Page_Down"});
        EXPECT_EQ(level_number(session), second) << "level 3 is not reached yet";
        keys(session, {"Page_Up"});
        EXPECT_EQ(level_number(session), first);
        keys(session, {"Page_Down"});
        EXPECT_EQ(level_number(session), second);
        quit(session);
    }

    const std::string damaged("\x89PNG\r\n\0\0garbage", 15);
    write_file(progress, damaged);
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        ASSERT_TRUE(session.leave_intro());
        EXPECT_EQ(level_number(session), first);
        quit(session);
        EXPECT_NE(session.game().output().find("Ignoring " + progress + ": "), std::string::npos)
            << session.game().output();
    }
    EXPECT_EQ(read_file(progress), damaged) << "reading must leave the file alone";

    GameSession::Options homeless = options_with(home.path());
    homeless.env = {{"HOME", ""}};
    GameSession session(homeless);
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());
    keys(session, {"Tab", "space"});
    quit(session);
    EXPECT_NE(session.game().output().find("No home folder: progress and settings will not be saved\n"),
              std::string::npos)
        << session.game().output();
}

namespace {

// The colour of the level select's tile for level index, inside its bottom
// right corner where no text reaches.
std::array<int, 3> tile_colour(GameSession& session, int index) {
    std::this_thread::sleep_for(300ms);
    const floebound::TileCorner corner = floebound::tile_corner(floebound::select_layout(width, height), index);
    return session.screenshot().at(corner.x + floebound::tile_width - 3, corner.y + floebound::tile_height - 3);
}

std::array<int, 3> top_middle(GameSession& session) {
    std::this_thread::sleep_for(300ms);
    return session.screenshot().at(width / 2, 5);
}

// The supply rows at the top left: penguins and goats used and left.
std::vector<std::uint8_t> supplies(GameSession& session) {
    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot shot = session.screenshot();
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 140; ++x)
            for (int c : shot.at(x, y)) pixels.push_back(static_cast<std::uint8_t>(c));
    return pixels;
}

bool appears_within(const std::string& path, std::chrono::seconds timeout) {
    for (auto waited = 0ms; waited < timeout; waited += 200ms) {
        if (!read_file(path).empty()) return true;
        std::this_thread::sleep_for(200ms);
    }
    return false;
}

}  // namespace

// A level won by play is solved, at the best possible with no goats; one
// skipped with tab is not; l shows it all and gives the level back as it
// was; the records outlive the game, and a damaged records file costs only
// the records.
TEST(PlayerLevelSelect, ShowsWhatWasSolvedAndPlaysTheLevelChosen) {
    const ScratchDir home;
    const std::string profile = home.path() + "/.local/share/floebound";
    std::array<int, 3> best_colour{}, skipped_colour{}, locked_colour{};
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        ASSERT_TRUE(session.leave_intro());
        const std::array<int, 3> sky = top_middle(session);
        // Level 1's solution: eight penguins from (3,6), fast-forwarded.
        ASSERT_TRUE(session.key_down("f"));
        keys(session, {"Right", "Right", "Right"});
        for (int penguin = 0; penguin < 8; ++penguin) keys(session, {"space", "space"});
        ASSERT_TRUE(appears_within(profile + "/records.txt", 60s)) << session.game().output();
        ASSERT_TRUE(session.key_up("f"));
        EXPECT_EQ(read_file(profile + "/records.txt").rfind("goats=0 dropped=8 lost=0 time_ms=", 0), 0u)
            << read_file(profile + "/records.txt");
        keys(session, {"space"});
        const std::vector<bool> level_two = level_number(session);
        keys(session, {"Tab", "space"});
        // A goat on level 3, to be found standing after the select.
        keys(session, {"space", "space"});
        const std::vector<std::uint8_t> before = supplies(session);

        keys(session, {"l"});
        EXPECT_NE(top_middle(session), sky) << "the select screen covers the level";
        best_colour = tile_colour(session, 0);
        skipped_colour = tile_colour(session, 1);
        locked_colour = tile_colour(session, 3);
        EXPECT_NE(best_colour, skipped_colour);
        EXPECT_NE(skipped_colour, locked_colour);
        EXPECT_NE(tile_colour(session, 2), skipped_colour) << "level 3 is reached, not skipped";
        keys(session, {"Right", "space"});
        EXPECT_NE(top_middle(session), sky) << "a level not reached cannot be chosen";
        keys(session, {"Escape"});
        EXPECT_EQ(top_middle(session), sky);
        EXPECT_EQ(supplies(session), before) << "the level comes back with its goat standing";

        keys(session, {"l", "Left", "space"});
        EXPECT_EQ(top_middle(session), sky);
        EXPECT_EQ(level_number(session), level_two);
        quit(session);
    }
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        keys(session, {"l"});
        EXPECT_EQ(tile_colour(session, 0), best_colour) << "solved after a restart";
        EXPECT_EQ(tile_colour(session, 1), skipped_colour) << "a level skipped with tab is not solved";
        keys(session, {"Escape"});
        ASSERT_TRUE(session.key("Escape"));
        EXPECT_EQ(session.game().wait(10s), 0) << "escape over the intro ends the game";
    }
    const std::string progress = read_file(profile + "/progress.txt");
    write_file(profile + "/records.txt", std::string("\x7f" "ELF\0\0 goats=1", 14));
    {
        GameSession session(options_with(home.path()));
        ASSERT_FALSE(session.find_window().empty()) << session.game().output();
        keys(session, {"l"});
        EXPECT_EQ(tile_colour(session, 0), skipped_colour) << "no records from a damaged file";
        keys(session, {"Escape", "Escape"});
        EXPECT_EQ(session.game().wait(10s), 0);
        EXPECT_NE(session.game().output().find("Ignoring " + profile + "/records.txt: "), std::string::npos)
            << session.game().output();
    }
    EXPECT_EQ(read_file(profile + "/progress.txt"), progress);
}

// With one goat, a goat cleared through its popup can stand elsewhere; a
// penguin dropped with f held reaches the goat, and the bucket after it, at
// least three times sooner than one dropped without.
TEST(PlayerControls, AClearedGoatStandsElsewhereAndHeldFFastForwards) {
    const ScratchDir levels;
    // The penguin lands on (0,7) heading for row 0; a clockwise goat on (0,1)
    // sends it along row 1 to the bucket on (7,1), where it stops for good.
    const std::string level = levels.path() + "/goat.txt";
    write_file(level,
               "........\n"
               ".......B\n"
               "........\n"
               "........\n"
               "........\n"
               "........\n"
               "........\n"
               "D......C\n"
               "penguinMax=8\n"
               "goatMax=1\n");
    GameSession session(options_with(levels.path(), {level}));
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());

    // The cursor starts on (3,3): a goat there, cleared, then one on (0,1).
    keys(session, {"space", "space", "space", "Right", "space"});
    keys(session, {"Down", "Down", "Down", "Left", "Left", "space", "space"});
    EXPECT_EQ(session.game().output().find("Out of goats!"), std::string::npos) << session.game().output();

    keys(session, {"Right", "Right", "Right", "Right", "Right", "Right", "space", "space"});
    const double normal = seconds_until(session, "Actor Gus: Assertion failure!");
    ASSERT_GT(normal, 0) << session.game().output();

    // Restart, and the same with f held throughout.
    keys(session, {"space", "Right", "Right", "space"});
    ASSERT_TRUE(session.key_down("f"));
    keys(session, {"Left", "Left", "Left", "Left", "Left", "Left", "space", "space"});
    keys(session, {"Right", "Right", "Right", "Right", "Right", "Right", "space", "space"});
    const double fast = seconds_until(session, "Actor Penguin: Assertion failure!");
    ASSERT_TRUE(session.key_up("f"));
    ASSERT_GT(fast, 0) << session.game().output();
    EXPECT_GE(normal, 3 * fast) << "normal " << normal << " s, fast forward " << fast << " s";

    // The one goat stands: another square has none to offer.
    keys(session, {"Up", "Up", "space", "Escape"});
    EXPECT_NE(session.game().output().find("Out of goats!"), std::string::npos) << session.game().output();
    quit(session);
}

// A tunafish square shows its fish: the middle of the screen differs from the
// same level with that square empty.
TEST(PlayerView, TunafishAreDrawn) {
    const ScratchDir levels;
    auto middle_of_level = [&](char square) {
        std::string field =
            "C.......\n"
            "........\n"
            "........\n"
            "........\n"
            "...X....\n"
            "........\n"
            "........\n"
            ".D......\n";
        field[4 * 9 + 3] = square;
        write_file(levels.path() + "/fish.txt", field + "penguinMax=8\n");
        // Started elsewhere, the game finds its files in the folder it is
        // given and the player's level file where the player stands.
        GameSession::Options options = options_with(levels.path(), {"fish.txt"});
        options.working_dir = levels.path();
        GameSession session(options);
        EXPECT_FALSE(session.find_window().empty()) << session.game().output();
        EXPECT_TRUE(session.leave_intro());
        std::this_thread::sleep_for(500ms);
        const GameSession::Screenshot shot = session.screenshot();
        std::vector<std::array<int, 3>> pixels;
        for (int y = height / 2 - 100; y < height / 2 + 100; ++y)
            for (int x = width / 2 - 100; x < width / 2 + 100; ++x) pixels.push_back(shot.at(x, y));
        quit(session);
        return pixels;
    };
    const auto with_fish = middle_of_level('f');
    const auto without = middle_of_level('.');
    ASSERT_EQ(with_fish.size(), without.size());
    int changed = 0;
    for (std::size_t i = 0; i < with_fish.size(); ++i)
        changed += std::abs(with_fish[i][0] - without[i][0]) + std::abs(with_fish[i][1] - without[i][1]) +
                       std::abs(with_fish[i][2] - without[i][2]) >
                   60;
    EXPECT_GT(changed, 200) << "pixels that the tunafish changes";
}

// m silences everything at once and is remembered; --windowed opens a window
// of 1280 by 720 on a larger desktop, and F11 makes it full screen.
TEST(PlayerSettings, MuteIsRememberedAndF11LeavesTheWindow) {
    const ScratchDir home;
    const std::string mixed = home.path() + "/mixed.raw";
    GameSession::Options options = options_with(home.path(), {"--windowed"});
    options.screen_width = 1600;
    options.screen_height = 900;
    options.env = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", mixed}};
    {
        GameSession session(options);
        const std::string window = session.find_window();
        ASSERT_FALSE(window.empty()) << session.game().output();
        EXPECT_EQ(session.window_size(window), "1280x720");
        std::this_thread::sleep_for(1500ms);
        ASSERT_TRUE(session.key("m"));
        std::this_thread::sleep_for(1500ms);
        ASSERT_TRUE(session.key("F11"));
        EXPECT_EQ(session.window_size(window), "1600x900");
        ASSERT_TRUE(session.key("Escape"));
        EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
    }
    EXPECT_EQ(read_file(home.path() + "/.local/share/floebound/settings.txt"), "mute=1\n");
    const std::vector<std::int16_t> samples = read_disk_audio(mixed);
    ASSERT_GT(samples.size(), 4u * 22050) << "less than two seconds were mixed";
    std::size_t silent_tail = 0;
    while (silent_tail < samples.size() && samples[samples.size() - 1 - silent_tail] == 0) ++silent_tail;
    EXPECT_GT(silent_tail, 22050u) << "the last half second after m should be silent";
    int loud_before = 0;
    for (std::size_t i = 0; i + silent_tail < samples.size(); ++i) loud_before += std::abs(samples[i]) > 1000;
    EXPECT_GT(loud_before, 1000) << "the intro song should play before m";

    // Muted from the start on the next run.
    GameSession session(options);
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    std::this_thread::sleep_for(1500ms);
    ASSERT_TRUE(session.key("Escape"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
    const std::vector<std::int16_t> muted = read_disk_audio(mixed);
    ASSERT_FALSE(muted.empty());
    int loud = 0;
    for (std::int16_t sample : muted) loud += sample != 0;
    EXPECT_EQ(loud, 0);
}

// Command-line mistakes end at once with status 2 and a message: one the
// parser refuses, and those only the game folder can tell.
TEST(PlayerCommandLine, MistakesEndWithStatusTwo) {
    const ScratchDir home;
    const std::string fifo = home.file("level.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--level", "0"}, {"--level", "999"}, {"missing.txt"}, {"data"}, {"--data", home.path()},
             {"--edit", "data"}, {"--edit", fifo}, {"--edit", "/dev/null"}, {"--edit", "data/level.txt/x"}}) {
        std::vector<std::string> argv = {FLOEBOUND_GAME_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess game(argv, FLOEBOUND_GAME_DIR, {{"HOME", home.path()}, {"DISPLAY", ""}});
        EXPECT_EQ(game.wait(10s), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "") << ": " << game.output();
        EXPECT_NE(game.output().find(args[0] == "--edit" ? "floebound: cannot edit " + args[1] + ": " : "floebound: "),
                  std::string::npos)
            << game.output();
    }
    ChildProcess help({FLOEBOUND_GAME_BINARY, "--help"}, FLOEBOUND_GAME_DIR, {{"DISPLAY", ""}});
    EXPECT_EQ(help.wait(10s), 0);
    EXPECT_NE(help.output().find("--windowed"), std::string::npos) << help.output();
    EXPECT_NE(help.output().find("--edit FILE"), std::string::npos) << help.output();
}
