#include "puzzle/rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace floebound;

namespace {

Grid open_field() { return Grid{}; }

RestingPenguin at(int column, int row, int heading, int crowd = 1, bool cow_here = false) {
    return {column, row, heading, crowd, cow_here};
}

void expect_walk(const PenguinMove& move, int column, int row, RuleSound sound) {
    EXPECT_EQ(move.action, PenguinAction::walk);
    EXPECT_EQ(move.column, column);
    EXPECT_EQ(move.row, row);
    EXPECT_EQ(move.sound, sound);
}

std::string printed(RuleMessage message, int heading) {
    ::testing::internal::CaptureStdout();
    print_rule_message("Gus", message, heading);
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(Rules, OnlyOpenSquaresCanBeEnteredAndTheEdgeIsClosed) {
    Grid grid = open_field();
    const CellKind open[] = {CellKind::empty, CellKind::penguin_square, CellKind::target, CellKind::skateboard_square,
                             CellKind::cow, CellKind::goat_cw, CellKind::goat_ccw};
    const CellKind closed[] = {CellKind::tree, CellKind::bucket, CellKind::fire, CellKind::tunafish,
                               CellKind::off_grid, static_cast<CellKind>(12)};
    int column = -1;
    int row = -1;
    for (CellKind kind : open) {
        grid.set_cell(4, 5, kind);
        EXPECT_TRUE(can_step(grid, 4, 4, 0, column, row)) << static_cast<int>(kind);
        EXPECT_EQ(column, 4);
        EXPECT_EQ(row, 5);
    }
    for (CellKind kind : closed) {
        grid.set_cell(4, 5, kind);
        EXPECT_FALSE(can_step(grid, 4, 4, 0, column, row)) << static_cast<int>(kind);
    }
    EXPECT_FALSE(can_step(grid, 0, 0, 6, column, row));
    EXPECT_FALSE(can_step(grid, 7, 7, 1, column, row));
    EXPECT_EQ(grid.cell_at(-1, 3), CellKind::off_grid);
    EXPECT_EQ(grid.cell_at(3, 8), CellKind::off_grid);
}

TEST(Rules, StraightOnInEveryDirection) {
    const Grid grid = open_field();
    for (int heading = 0; heading < direction_count; ++heading) {
        const DirectionStep step = direction_steps[heading];
        expect_walk(decide_resting_penguin(grid, at(3, 3, heading)), 3 + step.column, 3 + step.row, RuleSound::none);
    }
    expect_walk(decide_resting_penguin(grid, at(3, 3, 2)), 4, 3, RuleSound::none);
}

TEST(Rules, OnlyTheFirstCountedPenguinGoesStraightOn) {
    const Grid grid = open_field();
    EXPECT_EQ(decide_resting_penguin(grid, at(3, 3, 2, 2)).action, PenguinAction::wait);
    EXPECT_EQ(decide_resting_penguin(grid, at(3, 3, 2, 5)).action, PenguinAction::wait);

    // Goats and turning back ignore the crowd.
    Grid goat = open_field();
    goat.set_cell(3, 3, CellKind::goat_ccw);
    expect_walk(decide_resting_penguin(goat, at(3, 3, 0, 3)), 4, 3, RuleSound::turn);
    expect_walk(decide_resting_penguin(grid, at(3, 7, 0, 2)), 3, 6, RuleSound::tipped);
}

TEST(Rules, GoatSquaresTurnAQuarterEachWay) {
    Grid grid = open_field();
    grid.set_cell(3, 3, CellKind::goat_cw);
    expect_walk(decide_resting_penguin(grid, at(3, 3, 0)), 2, 3, RuleSound::turn);  // heading 6
    grid.set_cell(3, 3, CellKind::goat_ccw);
    expect_walk(decide_resting_penguin(grid, at(3, 3, 0)), 4, 3, RuleSound::turn);  // heading 2
    expect_walk(decide_resting_penguin(grid, at(3, 3, 2)), 3, 2, RuleSound::turn);  // heading 4
    grid.set_cell(3, 3, CellKind::goat_cw);
    expect_walk(decide_resting_penguin(grid, at(3, 3, 1)), 2, 4, RuleSound::turn);  // diagonal 7
}

TEST(Rules, GoatBlockedByATreeIsConfusedAndCarriesOn) {
    Grid grid = open_field();
    grid.set_cell(3, 3, CellKind::goat_cw);
    grid.set_cell(2, 3, CellKind::tree);
    PenguinMove move = decide_resting_penguin(grid, at(3, 3, 0));
    expect_walk(move, 3, 4, RuleSound::none);
    ASSERT_EQ(move.message_count, 1);
    EXPECT_EQ(move.messages[0], RuleMessage::confused_by_goat_cw);

    // Confused and then blocked by a bucket: both lines.
    grid.set_cell(3, 4, CellKind::bucket);
    move = decide_resting_penguin(grid, at(3, 3, 0));
    EXPECT_EQ(move.action, PenguinAction::stay);
    ASSERT_EQ(move.message_count, 2);
    EXPECT_EQ(move.messages[0], RuleMessage::confused_by_goat_cw);
    EXPECT_EQ(move.messages[1], RuleMessage::assertion_failure);

    Grid ccw = open_field();
    ccw.set_cell(0, 3, CellKind::goat_ccw);  // its turn, to heading 6, would leave the field
    move = decide_resting_penguin(ccw, at(0, 3, 4));
    ASSERT_EQ(move.message_count, 1);
    EXPECT_EQ(move.messages[0], RuleMessage::confused_by_goat_ccw);
    expect_walk(move, 0, 2, RuleSound::none);
}

TEST(Rules, TreesAndTheEdgeTurnPenguinsBack) {
    Grid grid = open_field();
    expect_walk(decide_resting_penguin(grid, at(3, 7, 0)), 3, 6, RuleSound::tipped);
    grid.set_cell(3, 4, CellKind::tree);
    expect_walk(decide_resting_penguin(grid, at(3, 3, 0)), 3, 2, RuleSound::tipped);

    // Reverse closed: a quarter turn (+2), then the other (+6), each said aloud.
    grid.set_cell(3, 2, CellKind::tree);
    PenguinMove move = decide_resting_penguin(grid, at(3, 3, 0));
    expect_walk(move, 4, 3, RuleSound::none);
    ASSERT_EQ(move.message_count, 1);
    EXPECT_EQ(move.messages[0], RuleMessage::turning_a_bit);
    EXPECT_EQ(move.new_heading, 2);

    grid.set_cell(4, 3, CellKind::tree);
    move = decide_resting_penguin(grid, at(3, 3, 0));
    expect_walk(move, 2, 3, RuleSound::none);
    EXPECT_EQ(move.messages[0], RuleMessage::turning_more);
    EXPECT_EQ(move.new_heading, 6);

    grid.set_cell(2, 3, CellKind::tree);
    move = decide_resting_penguin(grid, at(3, 3, 0));
    EXPECT_EQ(move.action, PenguinAction::stay);
    ASSERT_EQ(move.message_count, 1);
    EXPECT_EQ(move.messages[0], RuleMessage::stuck);
}

TEST(Rules, BucketsFiresAndTunafishAheadAreNeverExpected) {
    for (CellKind blocker : {CellKind::bucket, CellKind::fire, CellKind::tunafish}) {
        Grid grid = open_field();
        grid.set_cell(3, 4, blocker);
        const PenguinMove move = decide_resting_penguin(grid, at(3, 3, 0));  // sides and back are free
        EXPECT_EQ(move.action, PenguinAction::stay);
        ASSERT_EQ(move.message_count, 1);
        EXPECT_EQ(move.messages[0], RuleMessage::assertion_failure);
    }
}

TEST(Rules, PenguinsStayOnACowsSquareOnlyWhileTheCowIsThere) {
    Grid grid = open_field();
    grid.set_cell(3, 3, CellKind::cow);
    EXPECT_EQ(decide_resting_penguin(grid, at(3, 3, 2, 4, true)).action, PenguinAction::join_cow);
    expect_walk(decide_resting_penguin(grid, at(3, 3, 2, 1, false)), 4, 3, RuleSound::none);
}

TEST(Rules, ConsoleLinesReadExactly) {
    EXPECT_EQ(printed(RuleMessage::confused_by_goat_cw, 0), "Actor Gus: confused by goat CW\n");
    EXPECT_EQ(printed(RuleMessage::confused_by_goat_ccw, 0), "Actor Gus: confused by goat CCW\n");
    EXPECT_EQ(printed(RuleMessage::turning_a_bit, 2), "Actor Gus: stuck; turning a bit.  Now headed 2 (N)\n");
    EXPECT_EQ(printed(RuleMessage::turning_more, 7), "Actor Gus: stuck; turning more.  Now headed 7 (SW)\n");
    EXPECT_EQ(printed(RuleMessage::stuck, 0), "Actor Gus: stuck.  Stopping\n");
    EXPECT_EQ(printed(RuleMessage::assertion_failure, 0), "Actor Gus: Assertion failure!\n");
}
