// The level editor in the real game, as a level maker uses it: keys make a
// level, the verdict it shows is the level checker's for the saved file, a
// try comes back to the same field, undo takes squares back, a folder that
// cannot be written keeps the editor going, and a saved level shows in the
// level select.

#include "game_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr int width = 800;
constexpr int height = 600;

GameSession::Options options_with(std::vector<std::string> args, const std::string& home = "") {
    GameSession::Options options;
    options.screen_width = width;
    options.screen_height = height;
    if (!home.empty()) options.home = home;
    options.args = std::move(args);
    return options;
}

void keys(GameSession& session, const std::vector<std::string>& names) {
    for (const std::string& name : names) ASSERT_TRUE(session.key(name)) << name;
}

// Waits for a line the editor says, the console's text after the last
// "Editor: " that starts with `start`; the rest of that line.
std::string editor_says(GameSession& session, const std::string& start) {
    const std::string marker = "Editor: " + start;
    if (!session.game().wait_for_output(marker, 60s)) return "(never said: " + start + ")";
    const std::string output = session.game().output();
    const std::size_t at = output.rfind(marker);
    return output.substr(at + 8, output.find('\n', at) - at - 8);
}

// "G goat(s), P penguins, N commands" in a verdict or a checker's line.
std::string figures(const std::string& line) {
    std::smatch match;
    static const std::regex numbers("(\\d+) goats?, (\\d+) penguins?, (\\d+) commands?");
    return std::regex_search(line, match, numbers) ? match[0].str() : "(no figures in: " + line + ")";
}

// The share of pixels that differ clearly between two screenshots.
double changed_share(const GameSession::Screenshot& a, const GameSession::Screenshot& b, int top, int bottom) {
    int changed = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width; ++x) {
            const auto p = a.at(x, y), q = b.at(x, y);
            changed += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 60;
        }
    return static_cast<double>(changed) / (a.width * (bottom - top));
}

CommandResult check(const std::string& folder, const std::string& file) {
    return run_command({FLOEBOUND_SOLVE_BINARY, folder + "/" + file});
}

}  // namespace

TEST(EditorSession, TheVerdictIsTheCheckersAndATryComesBackToTheSameField) {
    GameSession session(options_with({"--edit", "new.txt"}));
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    EXPECT_EQ(editor_says(session, "Not solvable: "),
              "Not solvable: no cow on the field, so there is no puzzle: the level is won before it starts");

    // A penguin square under the cursor, a cow two rows on and a column up,
    // one goat to lay.
    keys(session, {"1", "Up", "Left", "Left", "4", "Tab", "equal"});
    const std::string verdict = editor_says(session, "Solvable: ");
    EXPECT_EQ(verdict.rfind("Solvable: 1 goat, 8 penguins, 9 commands, difficulty ", 0), 0u) << verdict;

    const GameSession::Screenshot before = session.screenshot();
    keys(session, {"p"});
    editor_says(session, "trying the level");
    std::this_thread::sleep_for(500ms);
    const GameSession::Screenshot trying = session.screenshot();
    keys(session, {"Escape"});
    editor_says(session, "back from trying the level");
    std::this_thread::sleep_for(300ms);
    const GameSession::Screenshot after = session.screenshot();
    ASSERT_EQ(before.width, width);
    ASSERT_EQ(after.width, width);
    EXPECT_GT(changed_share(before, trying, 0, 60), 0.02) << "the try shows play's HUD, not the editor's lines";
    EXPECT_LT(changed_share(before, after, 0, height), 0.01) << "the field or its lines changed over the try";

    // Typed with shift, and m is a letter here, not the sound key.
    keys(session, {"n", "S", "a", "m", "Return", "s"});
    EXPECT_EQ(editor_says(session, "Saved "), "Saved ./new.txt");
    EXPECT_NE(read_file(session.folder() + "/new.txt").find("\nname=Sam\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(session.folder() + "/home/.local/share/floebound/settings.txt"));
    const CommandResult solvable = check(session.folder(), "new.txt");
    EXPECT_EQ(solvable.status, 0) << solvable.output;
    EXPECT_EQ(figures(solvable.output), figures(verdict)) << solvable.output;

    // Three steps back: the name, the goat, then the cow; the history
    // outlived the try.
    keys(session, {"u", "u", "u"});
    editor_says(session, "Not solvable: no cow on the field");
    keys(session, {"s"});
    session.game().wait_for_output("Editor: Saved ./new.txt\n", 10s);
    const std::string undone = read_file(session.folder() + "/new.txt");
    EXPECT_EQ(undone.find('C'), std::string::npos) << undone;
    EXPECT_NE(undone.find("...D...."), std::string::npos) << undone;

    // The cow again, fenced in by trees: the checker's own reason.
    keys(session, {"r", "Down", "2", "Up", "Up", "2", "Down", "Left", "2", "Right", "Right", "2", "s"});
    const std::string fenced = editor_says(session, "Not solvable: no penguin");
    EXPECT_EQ(fenced, "Not solvable: no penguin can reach the cow at (4,1)");
    session.game().wait_for_output("Editor: Saved ./new.txt\n", 10s);
    const CommandResult unsolvable = check(session.folder(), "new.txt");
    EXPECT_EQ(unsolvable.status, 1) << unsolvable.output;
    EXPECT_EQ(unsolvable.output, "unsolvable " + session.folder() + "/new.txt: " + fenced.substr(14) + "\n");

    // Saved, so escape leaves at once, and the game with it.
    keys(session, {"Escape"});
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}

// A levels folder that cannot be made keeps every change and the editor
// running, with the reason; once it can be, the level saves and the level
// select lists it after the shipped ones.
TEST(EditorSession, AnUnwritableFolderKeepsTheEditorAndASavedLevelShowsInTheSelect) {
    const ScratchDir home;
    const std::string profile = home.path() + "/.local/share/floebound";
    std::filesystem::create_directories(profile);
    home.write_file(".local/share/floebound/levels", "in the way");
    GameSession session(options_with({}, home.path()));
    ASSERT_TRUE(session.display_ok());
    ASSERT_FALSE(session.find_window().empty()) << session.game().output();
    ASSERT_TRUE(session.leave_intro());
    keys(session, {"l", "n"});
    editor_says(session, "Not solvable: no cow");
    keys(session, {"1", "Up", "Left", "Left", "4", "s"});
    EXPECT_EQ(editor_says(session, "Not saved: "), "Not saved: " + profile + "/levels: Not a directory");
    EXPECT_TRUE(session.game().running());
    std::vector<std::string> left_behind;
    for (const auto& entry : std::filesystem::directory_iterator(profile)) left_behind.push_back(entry.path().filename());
    EXPECT_EQ(left_behind, std::vector<std::string>{"levels"});
    EXPECT_EQ(read_file(profile + "/levels"), "in the way");

    std::filesystem::remove(profile + "/levels");
    keys(session, {"s"});
    const std::string saved = profile + "/levels/New level.txt";
    EXPECT_EQ(editor_says(session, "Saved "), "Saved " + saved);
    keys(session, {"Escape"});
    editor_says(session, "left");
    // The last tile is the player's level.
    keys(session, {"Next", "Next", "Next", "space"});
    EXPECT_TRUE(session.game().wait_for_output("Playing your level " + saved + "\n", 10s)) << session.game().output();

    keys(session, {"Escape"});
    ASSERT_TRUE(session.key_down("space"));
    ASSERT_TRUE(session.key_up("space"));
    EXPECT_EQ(session.game().wait(10s), 0) << session.game().output();
}
