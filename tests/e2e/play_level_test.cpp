#include "disk_audio.h"
#include "game_session.h"
#include "playthrough.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace floebound;

using namespace std::chrono_literals;

namespace {

constexpr int width = 800;
constexpr int height = 600;

bool is_dark(const std::array<int, 3>& pixel) { return pixel[0] < 120 && pixel[1] < 130; }

// The intro pictures are dark panels over light snow and sky: the box that
// holds every dark pixel must sit in the middle of the screen.
void expect_dark_panel_centred(const GameSession::Screenshot& shot) {
    int left = shot.width, right = -1, top = shot.height, bottom = -1;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (is_dark(shot.at(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GT(right - left, 200) << "no picture on the screen";
    EXPECT_NEAR(left + right, shot.width - 1, 4) << "picture from x " << left << " to " << right;
    EXPECT_NEAR(top + bottom, shot.height - 1, 4) << "picture from y " << top << " to " << bottom;
}

// Pixels that additive white text saturates, in a box of the screen.
std::vector<bool> white_pixels(const GameSession::Screenshot& shot, int x0, int y0, int w, int h) {
    std::vector<bool> white;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const auto p = shot.at(x, y);
            white.push_back(p[0] == 255 && p[1] == 255 && p[2] == 255);
        }
    return white;
}

int count(const std::vector<bool>& flags) {
    int n = 0;
    for (bool flag : flags) n += flag;
    return n;
}

// The victory picture is a dark banner of 256 by 128 in the middle; its
// lowest rows hold no lettering.
bool victory_shown(const GameSession::Screenshot& shot) {
    int dark = 0;
    for (int x = width / 2 - 100; x < width / 2 + 100; x += 2) dark += is_dark(shot.at(x, height / 2 + 50));
    return dark > 90;
}

void press(GameSession& session, const std::string& key, int times = 1) {
    for (int i = 0; i < times; ++i) ASSERT_TRUE(session.key(key));
}

std::string x_key_name(KeyCode key) {
    switch (key) {
    case key_up: return "Up";
    case key_down: return "Down";
    case key_right: return "Right";
    case key_left: return "Left";
    case key_space: return "space";
    default: return "";
    }
}

// The checker's solution for a level file of the game folder.
Solution solution_of(const std::string& level) {
    const std::optional<LevelToPlay> to_play = read_level_to_play(std::string(FLOEBOUND_GAME_DIR) + "/data/" + level);
    if (!to_play) return {};
    return solve_level(to_play->field, to_play->penguin_max, to_play->goat_max);
}

// Between drops the penguins must have come to rest, which the screen does not
// tell: a penguin falls for 377 updates of at most 18 ms, then walks a square
// every 1.28 s; this allows for a walk the length of the field eight times.
constexpr auto settle_time = 7s + 64 * 1280ms;

// Plays a level as its checker solution says, with real keys, until the
// victory picture shows.
void play_to_victory(GameSession& session, PlayerKeys& keys, const std::string& level) {
    const Solution solution = solution_of(level);
    ASSERT_EQ(solution.verdict, Verdict::solvable) << level << ": " << solution.reason;
    SCOPED_TRACE(level + ": " + describe_commands(solution.commands));
    for (std::size_t i = 0; i < solution.commands.size(); ++i) {
        for (const PopupChoice& choice : keys.choices_for(solution.commands[i]))
            for (KeyCode key : choice.keys) ASSERT_NO_FATAL_FAILURE(press(session, x_key_name(key)));
        // Goats change only while no penguin walks.
        const bool last = i + 1 == solution.commands.size();
        if (solution.commands[i].kind == PlayerCommand::drop_penguins && !last) std::this_thread::sleep_for(settle_time);
    }

    bool won = false;
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (!won && std::chrono::steady_clock::now() < deadline && session.game().running()) {
        std::this_thread::sleep_for(2s);
        won = victory_shown(session.screenshot());
    }
    ASSERT_TRUE(won) << session.game().output();
    EXPECT_EQ(session.game().output().find("Out of"), std::string::npos) << session.game().output();
}

// "Level N" in white at the top right.
std::vector<bool> level_number_pixels(const GameSession::Screenshot& shot) {
    return white_pixels(shot, width - 160, 20, 100, 20);
}

// Space on a won level shows the next one, with another number.
GameSession::Screenshot next_level(GameSession& session, const std::vector<bool>& number_before) {
    press(session, "space");
    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot shot = session.screenshot();
    EXPECT_FALSE(victory_shown(shot));
    EXPECT_GT(count(level_number_pixels(shot)), 15);
    EXPECT_NE(level_number_pixels(shot), number_before) << "the level number should have changed";
    return shot;
}

}  // namespace

// A new player's first minutes: the four intro pictures, then the first two
// levels played as the level checker's solutions say, each to the victory
// picture and on with space, and the frame-rate readout.
TEST(PlayFirstLevels, FromTheSplashThroughTwoWonLevelsToLevelThree) {
    GameSession::Options options;
    options.screen_width = width;
    options.screen_height = height;
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();

    std::vector<std::vector<std::uint8_t>> intro_shots;
    for (int screen = 0; screen < 4; ++screen) {
        std::this_thread::sleep_for(300ms);
        const GameSession::Screenshot shot = session.screenshot();
        ASSERT_EQ(shot.width, width);
        SCOPED_TRACE("intro picture " + std::to_string(screen));
        expect_dark_panel_centred(shot);
        for (const auto& earlier : intro_shots) EXPECT_NE(shot.rgb, earlier) << "each step shows a new picture";
        intro_shots.push_back(shot.rgb);
        press(session, "space");
    }

    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot level_one = session.screenshot();
    EXPECT_GT(count(level_number_pixels(level_one)), 15) << "\"Level 1\" in white at the top right";

    PlayerKeys keys;
    ASSERT_NO_FATAL_FAILURE(play_to_victory(session, keys, "level.txt"));
    EXPECT_EQ(session.game().output().find("stuck"), std::string::npos) << session.game().output();
    const GameSession::Screenshot level_two = next_level(session, level_number_pixels(level_one));

    // The readout sits at the bottom right once F12 is released.
    const std::vector<bool> before = white_pixels(level_two, width - 160, height - 80, 150, 20);
    press(session, "F12");
    std::this_thread::sleep_for(300ms);
    const std::vector<bool> after = white_pixels(session.screenshot(), width - 160, height - 80, 150, 20);
    EXPECT_GT(count(after), count(before) + 15) << "the frame-rate readout should show";

    ASSERT_NO_FATAL_FAILURE(play_to_victory(session, keys, "level001.txt"));
    next_level(session, level_number_pixels(level_two));

    press(session, "Escape");
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}

// The mix as SDL's disk audio driver writes it, through the intro, eight
// penguins dropped as fast as the popup allows and the cow they tip: the
// music and the overlapping effects leave headroom, so no sample is clamped.
TEST(PlayFirstLevels, MusicDropsAndATippingCowMixWithoutClipping) {
    ScratchDir audio;
    const std::string mixed = audio.path() + "/mixed.raw";
    GameSession::Options options;
    options.screen_width = width;
    options.screen_height = height;
    options.env = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", mixed}};
    GameSession session(options);
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());
    PlayerKeys keys;
    ASSERT_NO_FATAL_FAILURE(play_to_victory(session, keys, "level.txt"));
    // The eight penguins that stood on the cow walk on in a line and bounce
    // off the field's edge one update after another, two squares on.
    std::this_thread::sleep_for(2 * 1280ms + 2s);
    // A won level takes no quit popup; the next one does.
    press(session, "space");
    press(session, "Escape");
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    ASSERT_EQ(session.game().wait(10s), 0) << session.game().output();

    const std::vector<std::int16_t> samples = read_disk_audio(mixed);
    constexpr int samples_per_second = 2 * 22050;
    ASSERT_GT(samples.size(), 10u * samples_per_second) << "less than ten seconds were mixed";
    std::size_t audible = 0, clamped = 0;
    std::string first_clamped;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        audible += std::abs(samples[i]) > 1000;
        if (samples[i] < 32767 && samples[i] > -32767) continue;
        if (!clamped++) first_clamped = std::to_string(static_cast<double>(i) / samples_per_second) + " s";
    }
    EXPECT_GT(audible, samples.size() / 20) << "the mix is nearly silent";
    EXPECT_EQ(clamped, 0u) << "samples at full scale, the first at " << first_clamped;
}
