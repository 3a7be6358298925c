// The installed game as a player starts it from the desktop menu: the desktop
// entry's launcher, run from a directory without the game's files.

#include "game_session.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

std::string desktop_exec_line() {
    std::ifstream entry(FLOEBOUND_STAGE "/usr/share/applications/com.kelpworks.floebound.desktop");
    std::string line;
    while (std::getline(entry, line))
        if (line.rfind("Exec=", 0) == 0) return line.substr(5);
    return "";
}

int distinct_colours(const GameSession::Screenshot& shot) {
    std::set<std::array<int, 3>> colours;
    for (int y = 0; y < shot.height; y += 4)
        for (int x = 0; x < shot.width; x += 4) colours.insert(shot.at(x, y));
    return static_cast<int>(colours.size());
}

}  // namespace

// In play the HUD text opens the fonts, so the run also shows that the
// installed game folder's font, a link to the font package's Vera, opens.
TEST(InstalledGame, LauncherShowsTheIntroFromAnUnrelatedDirectoryAndPlaysWithTheFontPackagesFont) {
    // The session starts the staged launcher; the menu starts the installed one.
    ASSERT_EQ(FLOEBOUND_STAGE + desktop_exec_line(), FLOEBOUND_GAME_BINARY);

    GameSession session(GameSession::Options{});
    ASSERT_TRUE(session.display_ok()) << "Xvfb did not start";
    ASSERT_FALSE(session.find_window().empty()) << "no game window\n" << session.game().output();

    // Sky, snow, hills and the splash picture, not an empty or one-colour
    // screen: a game that found no pictures shows a few flat colours.
    std::this_thread::sleep_for(500ms);
    const GameSession::Screenshot shot = session.screenshot();
    ASSERT_FALSE(shot.rgb.empty()) << "no screenshot";
    EXPECT_GT(distinct_colours(shot), 50);
    EXPECT_LT(shot.at(shot.width / 2, shot.height / 2)[0], 120) << "the dark splash picture in the middle";

    // Into play, the frame rate shown too, then quit from the popup.
    ASSERT_TRUE(session.leave_intro());
    for (const char* key : {"F12", "Escape"}) ASSERT_TRUE(session.key(key));
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    ASSERT_EQ(session.game().wait(10s), 0) << session.game().output();
    EXPECT_EQ(session.game().output().find("Error loading font"), std::string::npos) << session.game().output();
}
