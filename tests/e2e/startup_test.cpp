#include "disk_audio.h"
#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// The sky: clear colour (0.7, 0.9, 1.0) in 8-bit channels.
void expect_sky(const GameSession::Screenshot& shot, int x, int y) {
    const auto pixel = shot.at(x, y);
    EXPECT_NEAR(pixel[0], 179, 1) << "at " << x << "," << y;
    EXPECT_NEAR(pixel[1], 230, 1) << "at " << x << "," << y;
    EXPECT_EQ(pixel[2], 255) << "at " << x << "," << y;
}

// A display number no server holds: its lock file is where every X server
// on this machine leaves one.
std::string display_without_server() {
    int number = 500;
    while (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) ++number;
    return ":" + std::to_string(number);
}

}  // namespace

TEST(GameStartup, OpensTheCaptionedWindowAtTheDesktopSizeWithSkyGroundAndSplash) {
    GameSession session(GameSession::Options{});
    ASSERT_TRUE(session.display_ok()) << "Xvfb did not start";
    const std::string window = session.find_window();
    ASSERT_FALSE(window.empty()) << "no window titled \"Floebound by Kelpworks\"\n" << session.game().output();
    EXPECT_EQ(session.window_size(window), "1024x768");

    std::this_thread::sleep_for(500ms);
    const GameSession::Screenshot shot = session.screenshot();
    ASSERT_EQ(shot.width, 1024);
    ASSERT_EQ(shot.height, 768);
    // The intro camera looks down on the field: sky above the far hills.
    for (int x : {0, 512, 1023})
        for (int y : {0, 40}) expect_sky(shot, x, y);
    // The splash panel, dark slate, sits in the middle over white snow.
    const auto middle = shot.at(512, 384);
    EXPECT_LT(middle[0], 120) << "the splash picture should cover the middle";
    const auto snow = shot.at(100, 700);
    EXPECT_GT(snow[0], 180) << "snow-covered ground below the splash";

    ASSERT_TRUE(session.key("Escape"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}

// The game folder's file counts, also when the game starts elsewhere.
TEST(GameStartup, ScreensizeFileChoosesTheMode) {
    const ScratchDir elsewhere;
    elsewhere.write_file("screensize.txt", "1024 768\n");
    GameSession::Options options;
    options.screensize_txt = "800 600\n";
    options.working_dir = elsewhere.path();
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    const std::string window = session.find_window();
    ASSERT_FALSE(window.empty()) << session.game().output();
    EXPECT_EQ(session.window_size(window), "800x600");
    ASSERT_TRUE(session.key("Escape"));
    EXPECT_EQ(session.game().wait(10s), 0);
}

TEST(GameStartup, ScreensizeBelowTheMinimumMeansTheDesktopSize) {
    GameSession::Options options;
    options.screensize_txt = "300 200";
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    const std::string window = session.find_window();
    ASSERT_FALSE(window.empty()) << session.game().output();
    EXPECT_EQ(session.window_size(window), "1024x768");
    ASSERT_TRUE(session.key("Escape"));
    EXPECT_EQ(session.game().wait(10s), 0);
}

TEST(GameStartup, WithoutAnAudioDeviceTheGameSaysSoAndEnds) {
    GameSession::Options options;
    options.env = {{"SDL_AUDIODRIVER", "no-such-driver"}};
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    EXPECT_EQ(session.game().wait(10s), 1);
    EXPECT_EQ(session.game().output(), "Unable to open audio!\n");
}

// Where no OpenGL window can open, one line says why, before anything loads.
TEST(GameStartup, WithoutAnOpenGLDisplayTheGameSaysWhyAndEnds) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> env;
        std::vector<std::string> x_server_args;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"no server at DISPLAY", {{"DISPLAY", display_without_server()}}, {"-noreset"}, {}},
        // SDL would fall back to a text console and take the terminal over.
        {"DISPLAY unset", {{"DISPLAY", ""}}, {"-noreset"}, {}},
        {"a server without GLX", {}, {"-noreset", "-extension", "GLX"}, {}},
        {"a server without GLX, windowed", {}, {"-noreset", "-extension", "GLX"}, {"--windowed"}},
    };
    const std::string start = "floebound: cannot open an OpenGL window: ";
    for (const Case& c : cases) {
        GameSession::Options options;
        options.env = c.env;
        options.x_server_args = c.x_server_args;
        options.args = c.args;
        GameSession session(options);
        ASSERT_TRUE(session.display_ok()) << c.what;
        EXPECT_EQ(session.game().wait(5s), 1) << c.what << "\n" << session.game().output();
        const std::string output = session.game().output();
        EXPECT_EQ(output.compare(0, start.size(), start), 0) << c.what << "\n" << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << c.what << "\n" << output;
        EXPECT_EQ(output.back(), '\n') << c.what;
    }
    GameSession::Options options;
    options.x_server_args = {"-noreset", "-extension", "GLX"};
    options.env = {{"SDL_AUDIODRIVER", "no-such-driver"}};
    GameSession session(options);
    EXPECT_EQ(session.game().wait(5s), 1);
    EXPECT_EQ(session.game().output(), "Unable to open audio!\n") << "the audio device is opened first";
}

// SDL opens and closes a probe connection before its real one, which a
// server that resets when its last client leaves would refuse.
TEST(GameStartup, OpensItsWindowOnAServerThatResetsWhenItsLastClientLeaves) {
    for (int start = 0; start < 3; ++start) {
        GameSession::Options options;
        options.x_server_args = {};
        GameSession session(options);
        ASSERT_TRUE(session.display_ok());
        ASSERT_FALSE(session.find_window().empty()) << "start " << start << "\n" << session.game().output();
        ASSERT_TRUE(session.key("Escape"));
        EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
    }
}

// Every kind of command once, then escape, which during play only opens the
// quit popup. In the sanitizer build the session must end without a report.
TEST(GameStartup, AGoatDropsRestartAndSkipThenEscapeAsksBeforeTheGameEnds) {
    GameSession session(GameSession::Options{});
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.key("h"));
    ASSERT_TRUE(session.leave_intro());
    // The first level's whole solution is one drop; the hint moves the
    // cursor onto its square, and left brings it back.
    ASSERT_TRUE(session.key("h"));
    EXPECT_TRUE(session.game().wait_for_output("Hint: 8 penguins (3,6)\n", 10s)) << session.game().output();
    EXPECT_NE(session.game().output().find("Hint: press space to start playing\n"), std::string::npos);
    for (const char* key : {"Left", "Left", "Left"}) ASSERT_TRUE(session.key(key));
    // The first level has no goats: skipped, the second has one. The cursor
    // starts on (3,3); down and left step along the column and row numbers.
    for (const char* key : {"Tab", "space", "space", "space"}) ASSERT_TRUE(session.key(key));
    for (const char* key : {"Down", "Down", "Right", "Right", "Right"}) ASSERT_TRUE(session.key(key));
    for (int drop = 0; drop < 3; ++drop)
        for (const char* key : {"space", "space"}) ASSERT_TRUE(session.key(key));
    for (const char* key : {"space", "Right", "Right", "space", "Tab", "space"}) ASSERT_TRUE(session.key(key));
    ASSERT_TRUE(session.game().running()) << session.game().output();
    EXPECT_EQ(session.game().output().find("Out of"), std::string::npos) << session.game().output();
    EXPECT_NE(session.game().output().find("Loaded models/penguin/penguin.png"), std::string::npos)
        << "no penguin was dropped\n" << session.game().output();

    // During the intro the press alone would end the game; in play the
    // release opens the quit popup, whose first entry is "quit".
    ASSERT_TRUE(session.key_down("Escape"));
    EXPECT_TRUE(session.game().running()) << session.game().output();
    ASSERT_TRUE(session.key_up("Escape"));
    EXPECT_TRUE(session.game().running()) << session.game().output();
    // Confirmed on the press; the game ends on the next key release.
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}

TEST(GameStartup, WithoutPicturesOrFontTheGameStillRunsAndQuits) {
    GameSession::Options options;
    options.only_data = std::vector<std::string>{"level.txt", "level001.txt"};
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());
    for (const char* key : {"Up", "Left", "space", "Right", "Escape", "F12", "F12"}) ASSERT_TRUE(session.key(key));
    ASSERT_TRUE(session.game().running()) << session.game().output();

    // The quit popup works without its pictures.
    ASSERT_TRUE(session.key("Escape"));
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
    const std::string output = session.game().output();
    EXPECT_NE(output.find("Error loading font: "), std::string::npos) << output;
    EXPECT_NE(output.find("*** Missing image.\n"), std::string::npos) << output;
}

TEST(GameStartup, TheIntroSongIsMixed) {
    ScratchDir audio;
    const std::string mixed = audio.path() + "/mixed.raw";
    GameSession::Options options;
    options.env = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", mixed}};
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    std::this_thread::sleep_for(1500ms);
    ASSERT_TRUE(session.key("Escape"));
    ASSERT_EQ(session.game().wait(10s), 0) << session.game().output();

    const std::vector<std::int16_t> samples = read_disk_audio(mixed);
    ASSERT_GT(samples.size(), 11025u) << "less than a quarter second was mixed";
    std::size_t loud = 0;
    for (std::int16_t sample : samples) loud += std::abs(sample) > 1000;
    EXPECT_GT(loud, samples.size() / 20) << "the mixed output is nearly silent";
}
