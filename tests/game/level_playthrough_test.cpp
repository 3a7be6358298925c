// Every shipped level played to its end in-process, as a player would: the
// level checker's solution given with the keys, the level updated in the
// main loop's longest slices, and space moving on to the next level.

#include "level_scene.h"
#include "playthrough.h"
#include "puzzle/rules.h"

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace floebound;

namespace {

// Several minutes of play: more than any penguin needs to fall and walk to its
// cow, and a cow to tip, after one drop command.
constexpr int settle_update_limit = 20000;
// A closed popup is carried out by the next update.
constexpr int popup_update_limit = 3;
// Seconds for the hint's search, a millisecond an update.
constexpr int hint_update_limit = 30000;

int cows_on(const Grid& field) {
    int cows = 0;
    for (CellKind kind : field.cells) cows += kind == CellKind::cow;
    return cows;
}

class LevelPlaythrough : public LevelScene {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LevelScene::SetUp());
        // The popups show the game's own pictures, loaded once.
        ASSERT_NO_FATAL_FAILURE(link_game_file("data/menu"));
    }

    void press(KeyCode key) { level->handle_key(key, false); }
    void release(KeyCode key) { level->handle_key(key, true); }

    void give(const PopupChoice& choice) {
        for (std::size_t i = 0; i + 1 < choice.keys.size(); ++i) {
            press(choice.keys[i]);
            release(choice.keys[i]);
        }
        int column = -1;
        int row = -1;
        level->cursor_square(column, row);
        ASSERT_EQ(Square({column, row}), Square({choice.column, choice.row})) << "the arrows missed the square";
        ASSERT_NE(level->popup, nullptr) << "space opened no popup";

        press(choice.keys.back());
        for (int n = 0; n < popup_update_limit && level->popup; ++n) update();
        ASSERT_EQ(level->popup, nullptr) << "the popup did not close";
        release(choice.keys.back());
    }

    // A drop command is done when the level is won, or when no cow is tipping
    // over and every penguin stands for good: on a cow, or stuck (as the
    // penguins of a tipped cow may end up).
    bool settled() const {
        if (level->cows.empty()) return true;
        for (const Actor& cow : level->cows)
            if (cow.dying) return false;
        for (const Actor& penguin : level->penguins) {
            if (penguin.is_active()) return false;
            const Square square = square_of(penguin);
            const bool cow_here = level->cell_at(square.column, square.row) == CellKind::cow;
            const RestingPenguin alone{square.column, square.row, penguin.facing_direction(), 1, cow_here};
            const PenguinAction action = decide_resting_penguin(level->grid, alone).action;
            if (action != PenguinAction::join_cow && action != PenguinAction::stay) return false;
        }
        return true;
    }

    void wait_until_settled() {
        int n = 0;
        for (; n < settle_update_limit && !settled(); ++n) update();
        ASSERT_TRUE(settled()) << "after " << n << " updates, " << level->cows.size() << " cows left; penguins at\n"
                               << penguins_text();
    }

    int resting_on(Square square) const {
        int count = 0;
        for (const Actor& penguin : level->penguins) count += !penguin.is_active() && square_of(penguin) == square;
        return count;
    }

    std::string penguins_text() const {
        std::string text;
        for (const Actor& penguin : level->penguins) {
            const Square square = square_of(penguin);
            text += "  (" + std::to_string(square.column) + "," + std::to_string(square.row) + ") heading " +
                    std::to_string(penguin.facing_direction()) + (penguin.is_active() ? " moving\n" : " still\n");
        }
        return text;
    }

    void give(const PlayerCommand& command) {
        const std::size_t penguins_before = level->penguins.size();
        for (const PopupChoice& choice : keys.choices_for(command)) ASSERT_NO_FATAL_FAILURE(give(choice));
        if (command.kind == PlayerCommand::drop_penguins) {
            ASSERT_EQ(level->penguins.size(), penguins_before + static_cast<std::size_t>(command.penguins));
            ASSERT_NO_FATAL_FAILURE(wait_until_settled());
        } else {
            ASSERT_EQ(level->cell_at(command.column, command.row), command.goat);
        }
    }

    // Asks the checker for the loaded level's solution and plays it to the win.
    void play(const LevelToPlay& to_play) {
        ASSERT_TRUE(level->grid == to_play.field) << "the level loaded is not the file's";
        const Solution solution = solve_level(to_play.field, to_play.penguin_max, to_play.goat_max);
        ASSERT_EQ(solution.verdict, Verdict::solvable) << solution.reason;
        SCOPED_TRACE("the checker's solution: " + describe_commands(solution.commands));

        // An entry missing for want of supplies shows as a choice that
        // changed nothing.
        std::size_t most_goats = 0;
        for (const PlayerCommand& command : solution.commands) {
            ASSERT_NO_FATAL_FAILURE(give(command));
            most_goats = std::max(most_goats, level->goats.size());
        }

        EXPECT_TRUE(level->cows.empty()) << level->cows.size() << " cows left; penguins at\n" << penguins_text();
        EXPECT_EQ(static_cast<int>(level->penguins.size()), solution.penguins);
        EXPECT_EQ(static_cast<int>(most_goats), solution.goats) << "goats standing at once";
        EXPECT_LE(solution.penguins, to_play.penguin_max);
        EXPECT_LE(solution.goats, to_play.goat_max);
    }

    // h, and the updates until the answer comes: a first command of some
    // solution, read off the hint line and the cursor as a player reads them;
    // nothing when the hint names no command.
    std::optional<PlayerCommand> ask_hint() {
        press(key_h);
        release(key_h);
        for (int n = 0; n < hint_update_limit && level->hint_text() == "Hint: thinking..."; ++n) {
            SDL_Delay(1);
            update();
        }
        const std::string& hint = level->hint_text();
        int column = 0;
        int row = 0;
        level->cursor_square(column, row);
        keys.cursor_moved_to(column, row);
        const CellKind here = level->cell_at(column, row);
        int penguins = 0;
        if (hint == "Hint: a clockwise goat here") return PlayerCommand{PlayerCommand::place_goat, column, row, CellKind::goat_cw};
        if (hint == "Hint: a counter-clockwise goat here")
            return PlayerCommand{PlayerCommand::place_goat, column, row, CellKind::goat_ccw};
        if (hint == "Hint: turn this goat")
            return PlayerCommand{PlayerCommand::turn_goat, column, row,
                                 here == CellKind::goat_cw ? CellKind::goat_ccw : CellKind::goat_cw};
        if (hint == "Hint: clear this goat") return PlayerCommand{PlayerCommand::clear_goat, column, row, CellKind::empty};
        if (std::sscanf(hint.c_str(), "Hint: drop %d penguin", &penguins) == 1)
            return PlayerCommand{PlayerCommand::drop_penguins, column, row, CellKind::empty, penguins};
        return std::nullopt;
    }

    // Follows the game's hints to the win.
    void play_by_hints() {
        for (int commands = 0; !level->cows.empty(); ++commands) {
            ASSERT_LT(commands, 200) << "the hints go round in circles";
            const std::optional<PlayerCommand> hint = ask_hint();
            ASSERT_TRUE(hint) << "no command in \"" << level->hint_text() << "\"";
            ASSERT_NO_FATAL_FAILURE(give(*hint));
        }
    }

    PlayerKeys keys;
};

}  // namespace

TEST_F(LevelPlaythrough, EveryShippedLevelIsWonByTheCheckersSolutionAndTheLastWrapsRoundToTheFirst) {
    const std::vector<std::string> paths = shipped_level_paths(game_dir());
    ASSERT_GE(paths.size(), 2u) << "no numbered level in " << game_dir() << "/data";
    for (const std::string& path : paths) ASSERT_NO_FATAL_FAILURE(link_game_file(path));

    level->load_level(paths.front().c_str());
    for (std::size_t number = 0; number < paths.size(); ++number) {
        SCOPED_TRACE(paths[number]);
        const std::optional<LevelToPlay> to_play = read_level_to_play(paths[number]);
        ASSERT_TRUE(to_play) << "cannot read it";
        ASSERT_EQ(level->level_number, static_cast<int>(number));
        ASSERT_NO_FATAL_FAILURE(play(*to_play));
        if (HasFailure()) return;

        press(key_space);
        release(key_space);
    }

    // Past the last numbered level the game starts again at data/level.txt.
    EXPECT_EQ(level->level_number, 0);
    EXPECT_FALSE(level->cows.empty());
    EXPECT_TRUE(level->grid == read_level_to_play(paths.front())->field);
}

// Small levels of the test's own whose solutions need what the shipped ones
// may not: a tipped cow's penguins walking on to tip the next, and a goat
// placed, turned or cleared between drops. The checker's model of play must
// match the game's.
TEST_F(LevelPlaythrough, CascadesAndGoatsChangedBetweenDropsWorkAsTheCheckerSays) {
    struct OwnLevel {
        const char* name;
        std::vector<std::string> rows;
        int penguin_max;
        int goat_max;
        PlayerCommand::Kind change_between_drops;
    };
    const OwnLevel own_levels[] = {
        {"goat_between_drops.txt",
         {"........", "........", "...C....", "........", "......C.", "........", ".D......", "........"}, 8, 2,
         PlayerCommand::place_goat},
        // The first eight end before the bucket, out of the way.
        {"goat_turned_between_drops.txt",
         {"........", "...B....", "........", ".C....CC", "........", "........", "........", "...D...."}, 16, 1,
         PlayerCommand::turn_goat},
        // One goat at a time: where row 4 meets the penguins' column, then
        // where row 2 does. Both rows end in buckets.
        {"goat_cleared_between_drops.txt",
         {"........", "........", ".....CCB", "........", ".....CB.", "........", ".D......", "........"}, 16, 1,
         PlayerCommand::clear_goat},
    };
    for (const OwnLevel& own : own_levels) {
        SCOPED_TRACE(own.name);
        const std::string settings =
            "penguinMax=" + std::to_string(own.penguin_max) + "\ngoatMax=" + std::to_string(own.goat_max) + "\n";
        const std::string path = write_level(own.name, level_text(own.rows, settings));
        const std::optional<LevelToPlay> to_play = read_level_to_play(path);
        ASSERT_TRUE(to_play);

        // Fewer penguins than the cows need one by one: some must tip two.
        const Solution solution = solve_level(to_play->field, own.penguin_max, own.goat_max);
        ASSERT_EQ(solution.verdict, Verdict::solvable) << solution.reason;
        EXPECT_LT(solution.penguins, cow_tip_count * cows_on(to_play->field));
        bool changed_between_drops = false;
        bool dropped = false;
        for (const PlayerCommand& command : solution.commands) {
            changed_between_drops = changed_between_drops || (dropped && command.kind == own.change_between_drops);
            dropped = dropped || command.kind == PlayerCommand::drop_penguins;
        }
        EXPECT_TRUE(changed_between_drops) << describe_commands(solution.commands);

        level->load_level(path.c_str());
        ASSERT_NO_FATAL_FAILURE(play(*to_play));
    }
}

// Why the checker refuses a plan in which a penguin walks straight on through
// a square where another stands stuck: in the game it waits there for ever.
// The upper cow's penguins end before the bucket at (5,5), on the lower cow's
// only route. With a cow at (3,5) on that route, that cow's penguins are held
// up as well, though they would win the level.
TEST_F(LevelPlaythrough, APenguinStuckOnARouteHoldsUpEveryoneBehindIt) {
    for (const char* row_5 : {".......C", "...C...C"}) {
        SCOPED_TRACE(row_5);
        const std::vector<std::string> held_up = {
            ".....D..", "........", ".....C..", "........", "........", row_5, ".....B..", ".D......",
        };
        const std::string path = write_level("held_up.txt", level_text(held_up, "penguinMax=16\ngoatMax=1\n"));
        level->load_level(path.c_str());
        for (const PlayerCommand& command : {PlayerCommand{PlayerCommand::drop_penguins, 5, 0, CellKind::empty, 8},
                                             PlayerCommand{PlayerCommand::place_goat, 1, 5, CellKind::goat_cw}})
            ASSERT_NO_FATAL_FAILURE(give(command));
        ASSERT_EQ(level->cows.size(), static_cast<std::size_t>(std::count(row_5, row_5 + grid_side, 'C')));
        ASSERT_EQ(resting_on(Square{5, 5}), 8) << penguins_text();

        for (const PopupChoice& choice :
             keys.choices_for({PlayerCommand::drop_penguins, 1, 7, CellKind::empty, cow_tip_count}))
            ASSERT_NO_FATAL_FAILURE(give(choice));
        for (int n = 0; n < settle_update_limit; ++n) update();
        EXPECT_EQ(level->cows.size(), 1u) << "the cow at (7,5) was tipped";
        EXPECT_EQ(level->cell_at(7, 5), CellKind::cow);
        EXPECT_EQ(resting_on(Square{5, 5}), 2 * cow_tip_count) << penguins_text();
    }
}

// Fields thrown together at random, always the same ones: whatever the checker
// calls solvable there, the game must let the player win by its solution.
// Cows, penguin squares and obstacles land anywhere, so this reaches cases no
// level designer thought of.
TEST_F(LevelPlaythrough, RandomFieldsTheCheckerSolvesAreWonByItsSolution) {
    std::mt19937 random(20261208);
    const std::string obstacles = "xxxxBFfTTS";
    int played = 0;
    for (int n = 0; n < 40 && played < 16; ++n) {
        std::vector<std::string> rows(grid_side, std::string(grid_side, '.'));
        std::vector<int> cells(grid_cells);
        for (int cell = 0; cell < grid_cells; ++cell) cells[cell] = cell;
        std::shuffle(cells.begin(), cells.end(), random);
        auto next = cells.begin();
        const int cows = 1 + static_cast<int>(random() % 3);
        auto put = [&](char square, int count) {
            for (int i = 0; i < count; ++i, ++next) rows[*next / grid_side][*next % grid_side] = square;
        };
        put('C', cows);
        put('D', 1 + static_cast<int>(random() % 2));
        for (int i = 0, count = 4 + static_cast<int>(random() % 9); i < count; ++i)
            put(obstacles[random() % obstacles.size()], 1);

        const std::string name = "random" + std::to_string(n) + ".txt";
        SCOPED_TRACE(name + ":\n" + level_text(rows));
        const int penguin_max = cow_tip_count * cows;
        const std::string path =
            write_level(name, level_text(rows, "penguinMax=" + std::to_string(penguin_max) + "\ngoatMax=3\n"));
        const std::optional<LevelToPlay> to_play = read_level_to_play(path);
        ASSERT_TRUE(to_play);
        if (solve_level(to_play->field, penguin_max, 3, 2'000'000).verdict != Verdict::solvable) continue;

        level->load_level(path.c_str());
        if (played % 2 == 0) {
            ASSERT_NO_FATAL_FAILURE(play(*to_play));
        } else {
            SCOPED_TRACE("following the game's hints");
            ASSERT_NO_FATAL_FAILURE(play_by_hints());
        }
        ++played;
    }
    EXPECT_EQ(played, 16) << "too few of the fields were solvable to say much";
}

// The hint names a move that wins, says when nothing can win any more, and
// gives a short answer whenever it cannot search.
TEST_F(LevelPlaythrough, TheHintLeadsToTheWinAndSaysWhenTheLevelIsLost) {
    // Up column 1 the penguins would stop before the bucket: one clockwise
    // goat at (1,4) sends them along row 4 to the cow.
    const std::vector<std::string> rows = {
        "........", "........", "........", ".B......", ".....C..", "........", ".D......", "........",
    };
    const std::string path = write_level("hinted.txt", level_text(rows, "penguinMax=8\ngoatMax=1\n"));
    level->load_level(path.c_str());
    const std::optional<PlayerCommand> first = ask_hint();
    ASSERT_TRUE(first);
    EXPECT_EQ(describe_commands({*first}), "goat cw (1,4)");
    ASSERT_NO_FATAL_FAILURE(play_by_hints());

    // A penguin dropped before the goat is placed gets stuck: seven are left.
    level->load_level(path.c_str());
    for (const PopupChoice& choice : keys.choices_for({PlayerCommand::drop_penguins, 1, 6, CellKind::empty, 1}))
        ASSERT_NO_FATAL_FAILURE(give(choice));
    ASSERT_NE(level->penguins.front().is_active(), false);
    press(key_h);
    EXPECT_EQ(level->hint_text(), "Hint: wait until the penguins stop");
    ASSERT_NO_FATAL_FAILURE(wait_until_settled());
    EXPECT_EQ(level->hint_text(), "") << "the wait is over";
    EXPECT_FALSE(ask_hint());
    EXPECT_EQ(level->hint_text(), "Hint: no way to win from here: restart the level");

    press(key_space);
    release(key_space);
    ASSERT_NE(level->popup, nullptr);
    press(key_h);
    EXPECT_EQ(level->hint_text(), "Hint: close the menu first");

    level->load_level("data/no-such-level.txt");
    press(key_h);
    EXPECT_EQ(level->hint_text(), "Hint: no cow left to tip: press space for the next level");
}
