#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

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

}  // namespace

// A new player's first minutes: the four intro pictures, then the first level
// played as its solution says (a clockwise goat at column 1, row 2, then eight
// penguins dropped at column 1, row 6), the victory picture, space to the
// next level, and the frame-rate readout.
TEST(PlayFirstLevel, FromTheSplashThroughAWonLevelToLevelTwo) {
    GameSession session({width, height, std::nullopt, {}, std::nullopt});
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
    const std::vector<bool> level_one_text = white_pixels(level_one, width - 160, 20, 100, 20);
    EXPECT_GT(count(level_one_text), 15) << "\"Level 1\" in white at the top right";

    // The cursor starts on column 3, row 3: down and left lower the column and the row.
    press(session, "Down", 2);
    press(session, "Left");
    press(session, "space", 2);  // the goat popup; its first entry is the clockwise goat
    press(session, "Right", 4);
    for (int penguin = 0; penguin < 8; ++penguin) press(session, "space", 2);

    bool won = false;
    const auto deadline = std::chrono::steady_clock::now() + 90s;
    while (!won && std::chrono::steady_clock::now() < deadline && session.game().running()) {
        std::this_thread::sleep_for(2s);
        won = victory_shown(session.screenshot());
    }
    ASSERT_TRUE(won) << session.game().output();
    EXPECT_EQ(session.game().output().find("Out of"), std::string::npos) << session.game().output();
    EXPECT_EQ(session.game().output().find("stuck"), std::string::npos) << session.game().output();

    press(session, "space");
    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot level_two = session.screenshot();
    EXPECT_FALSE(victory_shown(level_two));
    const std::vector<bool> level_two_text = white_pixels(level_two, width - 160, 20, 100, 20);
    EXPECT_GT(count(level_two_text), 15);
    EXPECT_NE(level_two_text, level_one_text) << "the level number should have changed";

    // The readout sits at the bottom right once F12 is released.
    const std::vector<bool> before = white_pixels(level_two, width - 160, height - 80, 150, 20);
    press(session, "F12");
    std::this_thread::sleep_for(300ms);
    const std::vector<bool> after = white_pixels(session.screenshot(), width - 160, height - 80, 150, 20);
    EXPECT_GT(count(after), count(before) + 15) << "the frame-rate readout should show";

    press(session, "Escape");
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}
