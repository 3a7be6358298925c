#include "game_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The popup's buttons are slate blue where the field is white snow.
bool popup_shown(const GameSession::Screenshot& shot) {
    int button_pixels = 0;
    for (int x = shot.width / 2 - 200; x < shot.width / 2 + 200; x += 4) {
        const auto pixel = shot.at(x, shot.height / 2);
        if (pixel[2] > pixel[0] + 40 && pixel[0] < 140) ++button_pixels;
    }
    return button_pixels > 20;
}

void press(GameSession& session, const std::string& key, int times = 1) {
    for (int i = 0; i < times; ++i) ASSERT_TRUE(session.key(key));
}

}  // namespace

// The first level played as its solution says: a clockwise goat at column 1,
// row 2, then eight penguins dropped at column 1, row 6. They walk up column 1,
// turn onto row 2 and tip the cow; once it is gone, space moves on to the next
// level instead of opening a popup.
TEST(PlayFirstLevel, EightPenguinsRoutedByAGoatTipTheCowAndWinTheLevel) {
    GameSession session({800, 600, std::nullopt, {}});
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());

    // The cursor starts on column 3, row 3: down and left lower the column and the row.
    press(session, "Down", 2);
    press(session, "Left");
    press(session, "space");
    ASSERT_TRUE(popup_shown(session.screenshot())) << "space on an empty square opens the goat popup";
    press(session, "space");  // the first entry: a clockwise goat

    press(session, "Right", 4);
    for (int penguin = 0; penguin < 8; ++penguin) press(session, "space", 2);

    bool won = false;
    const auto deadline = std::chrono::steady_clock::now() + 90s;
    while (!won && std::chrono::steady_clock::now() < deadline && session.game().running()) {
        std::this_thread::sleep_for(3s);
        press(session, "space");
        won = !popup_shown(session.screenshot());
        if (!won) press(session, "Escape");  // close the popup that space opened
    }
    EXPECT_TRUE(won) << session.game().output();
    EXPECT_EQ(session.game().output().find("Out of goats!"), std::string::npos);
    EXPECT_EQ(session.game().output().find("stuck"), std::string::npos) << session.game().output();

    press(session, "Escape");
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}
