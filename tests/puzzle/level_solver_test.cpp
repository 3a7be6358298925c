// The level checker's search: what it proves, what it refuses, and that it
// always ends.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/level_file.h"
#include "puzzle/level_solver.h"
#include "puzzle/penguin_walk.h"

using namespace floebound;

namespace {

// Eight rows of level-file characters, read as the game reads them.
Grid field(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return field_of(parse_level_file(text.data(), text.size()));
}

// Penguin square (1,6) below a cow at row 2, column 5: one goat where they meet.
const std::vector<std::string> corner = {
    "........", "........", ".....C..", "........", "........", "........", ".D......", "........",
};

}  // namespace

TEST(PenguinWalk, EndsOnACowStuckOrInCircles) {
    // Up column 1, back at the edge, down to the far edge and up again.
    const WalkResult circles = walk_alone(field(corner), {1, 6, 4});
    EXPECT_EQ(circles.end, WalkEnd::loops);
    EXPECT_EQ(circles.last.column, 1);

    Grid grid = field(corner);
    grid.set_cell(1, 2, CellKind::goat_cw);
    const WalkResult onto_cow = walk_alone(grid, {1, 6, 4});
    EXPECT_EQ(onto_cow.end, WalkEnd::on_cow);
    EXPECT_EQ(onto_cow.last.column, 5);
    EXPECT_EQ(onto_cow.last.row, 2);
    EXPECT_EQ(onto_cow.last.heading, 2);  // toward column + 1
    EXPECT_TRUE(onto_cow.went_straight[5 * grid_side + 1]);
    EXPECT_FALSE(onto_cow.went_straight[2 * grid_side + 1]) << "turned on the goat";

    grid.set_cell(1, 2, CellKind::empty);
    grid.set_cell(1, 3, CellKind::bucket);
    const WalkResult stuck = walk_alone(grid, {1, 6, 4});
    EXPECT_EQ(stuck.end, WalkEnd::stuck);
    EXPECT_EQ(stuck.last.row, 4);
}

TEST(LevelSolver, FindsTheFewestGoatsWhateverTheSupply) {
    for (int goat_max : {1, 2, 4, 1000}) {
        const Solution solution = solve_level(field(corner), 10, goat_max);
        ASSERT_EQ(solution.verdict, Verdict::solvable) << goat_max;
        EXPECT_EQ(solution.goats, 1);
        EXPECT_EQ(solution.penguins, 8);
        EXPECT_EQ(describe_commands(solution.commands), "goat cw (1,2); 8 penguins (1,6)");
        EXPECT_EQ(command_count(solution.commands), 9);
    }
    const Solution without = solve_level(field(corner), 10, 0);
    EXPECT_EQ(without.verdict, Verdict::unsolvable);
    EXPECT_EQ(without.reason,
              "no sequence of commands tips every cow with 10 penguins and 0 goats; without goats a penguin "
              "dropped at (1,6) walks in circles");
}

TEST(LevelSolver, ExplainsFieldsThatNoSearchCanSolve) {
    std::vector<std::string> rows(grid_side, "........");
    rows[6] = ".D......";
    EXPECT_EQ(solve_level(field(rows), 8, 2).reason,
              "no cow on the field, so there is no puzzle: the level is won before it starts");

    EXPECT_EQ(solve_level(field({"........", "........", ".....C..", "........", "........", "........", "........",
                                 "........"}),
                          8, 2)
                  .reason,
              "no penguin square to drop penguins on");
    EXPECT_EQ(solve_level(field(corner), 7, 2).reason, "penguinMax is 7, and tipping a cow takes 8 penguins");
    EXPECT_EQ(solve_level(field(corner), -3, 2).verdict, Verdict::unsolvable);

    // Trees on every side; a diagonal gap does not count, penguins only ever
    // walk along rows and columns.
    const std::vector<std::string> fenced = {
        "........", "....x...", "...xCx..", "....x...", "........", "........", ".D......", "........",
    };
    EXPECT_EQ(solve_level(field(fenced), 16, 4).reason, "no penguin can reach the cow at (4,2)");
}

TEST(LevelSolver, CountsTheTwoCowsEightPenguinsCanTipInARow) {
    // The penguins on a tipped cow walk on, here onto the cow behind it.
    const std::vector<std::string> in_a_row = {
        ".C......", ".C......", "........", "........", "........", "........", ".D......", "........",
    };
    const Solution chain = solve_level(field(in_a_row), 8, 0);
    ASSERT_EQ(chain.verdict, Verdict::solvable) << chain.reason;
    EXPECT_EQ(describe_commands(chain.commands), "8 penguins (1,6)");
    EXPECT_EQ(chain.cascades, 1);
    EXPECT_GT(chain.positions, 0);
    // The cow in the corner is reached only by walking on from the other.
    const std::vector<std::string> behind = {
        "......CC", ".......x", "........", "........", "........", "........", ".D......", "........",
    };
    const Solution cascade = solve_level(field(behind), 8, 1);
    ASSERT_EQ(cascade.verdict, Verdict::solvable) << cascade.reason;
    EXPECT_EQ(cascade.penguins, 8);

    // Out of line, the second cow needs eight of its own.
    const std::vector<std::string> apart = {
        "........", "........", "...C....", "........", "..C.....", "........", "...D....", "........",
    };
    EXPECT_EQ(solve_level(field(apart), 8, 0).verdict, Verdict::unsolvable);
    // A negative goatMax, as a level file may give, is no goats at all.
    const Solution no_supply = solve_level(field(in_a_row), 8, -21474);
    ASSERT_EQ(no_supply.verdict, Verdict::solvable) << no_supply.reason;
    EXPECT_EQ(no_supply.goats, 0);
    EXPECT_EQ(solve_level(field(apart), 16, -1).verdict, Verdict::unsolvable);
    const Solution sixteen = solve_level(field(apart), 16, 2);
    ASSERT_EQ(sixteen.verdict, Verdict::solvable) << sixteen.reason;
    EXPECT_LE(sixteen.penguins, 16);
    EXPECT_GT(sixteen.penguins, 8);
}

// A hint's search: from the goats the player placed and the penguins already
// on a cow, never past what the supplies leave.
TEST(LevelSolver, GoesOnFromAStatePartWayThrough) {
    PlayState state;
    state.grid = field(corner);
    state.grid.set_cell(1, 2, CellKind::goat_cw);
    state.resting[2 * grid_side + 5][2] = 3;
    state.penguins_used = 3;
    const Solution rest = solve_from(state, 10, 1);
    ASSERT_EQ(rest.verdict, Verdict::solvable) << rest.reason;
    EXPECT_EQ(describe_commands(rest.commands), "5 penguins (1,6)");
    EXPECT_EQ(solve_from(state, 7, 1).verdict, Verdict::unsolvable) << "four penguins left, five needed";

    // Every penguin dropped would walk straight on past one stuck in front of
    // the drop square, and wait behind it for ever.
    state.stuck[5 * grid_side + 1] = true;
    EXPECT_EQ(solve_from(state, 10, 1).verdict, Verdict::unsolvable);

    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(solve_from(state, 10, 4, default_work_limit, &cancelled).verdict, Verdict::undecided);
}

TEST(LevelSolver, TurnsAGoatBetweenDropsWhenOneGoatServesTwoCows) {
    // The first cow's penguins walk on and stand stuck before the bucket, out
    // of the way of the second cow's route.
    const std::vector<std::string> junction = {
        "........", "...B....", "........", "C......C", "........", "........", "........", "...D....",
    };
    const Solution solution = solve_level(field(junction), 16, 1);
    ASSERT_EQ(solution.verdict, Verdict::solvable) << solution.reason;
    EXPECT_EQ(describe_commands(solution.commands),
              "goat ccw (3,3); 8 penguins (3,7); turn goat (3,3) to cw; 8 penguins (3,7)");
    EXPECT_EQ(command_count(solution.commands), 18);
}

TEST(LevelSolver, ClearsAGoatToPlaceItElsewhereWhenOneMayStandAtATime) {
    // Each cow needs a clockwise goat where its row meets column 1, and each
    // cow's penguins stand stuck before its bucket. Turned the other way, a
    // goat at (1,2) or (1,4) sends penguins round to its own cow again.
    const std::vector<std::string> two_rows = {
        "........", "........", ".....CB.", "........", ".....CB.", "........", ".D......", "........",
    };
    for (int goat_max : {1, 2}) {
        const Solution solution = solve_level(field(two_rows), 16, goat_max);
        ASSERT_EQ(solution.verdict, Verdict::solvable) << goat_max << ": " << solution.reason;
        EXPECT_EQ(solution.goats, 1);
        EXPECT_EQ(describe_commands(solution.commands),
                  "goat cw (1,4); 8 penguins (1,6); clear goat (1,4); goat cw (1,2); 8 penguins (1,6)");
        EXPECT_EQ(command_count(solution.commands), 19);
    }
}

TEST(LevelSolver, RefusesPlansThatDependOnWhoArrivesFirst) {
    // The upper cow needs no goat, but its penguins walk on down column 5 and
    // stand stuck at (5,5) before the bucket. The other cow's only route, from
    // (1,7) along row 5, walks straight on through (5,5), where a newcomer
    // waits behind them for ever; tipped the other way round, the lower cow's
    // penguins walk in circles. With a cow at (3,5) on that route, its
    // penguins would walk on through (5,5) to tip the last cow: a win does not
    // get them past either.
    for (const char* row_5 : {".......C", "...C...C"}) {
        SCOPED_TRACE(row_5);
        const std::vector<std::string> held_up = {
            ".....D..", "........", ".....C..", "........", "........", row_5, ".....B..", ".D......",
        };
        const Solution solution = solve_level(field(held_up), 16, 1);
        EXPECT_EQ(solution.verdict, Verdict::unsolvable) << describe_commands(solution.commands);

        // With the bucket a row higher they stand stuck at (5,3), off the route.
        std::vector<std::string> off_the_route = held_up;
        off_the_route[4] = ".....B..";
        off_the_route[6] = "........";
        const Solution clear = solve_level(field(off_the_route), 16, 1);
        EXPECT_EQ(describe_commands(clear.commands), "8 penguins (5,0); goat cw (1,5); 8 penguins (1,7)");
    }
}

TEST(LevelSolver, GivesUpAtItsBoundInsteadOfRunningOn) {
    const std::vector<std::string> open = {
        "........", "........", "...C....", "........", "......C.", "........", ".D......", "........",
    };
    const Solution solution = solve_level(field(open), 8, 4, 1000);
    EXPECT_EQ(solution.verdict, Verdict::undecided);
    EXPECT_NE(solution.reason.find("gave up after"), std::string::npos) << solution.reason;
    // Past the bound only the walks of the cascade under way finish.
    EXPECT_LT(solution.work, 1000 + cow_tip_count * grid_cells * direction_count);
}

// A crowded, hopeless field would keep a million positions (400 MB) before
// the default bound of decisions; the hint search runs to that bound.
TEST(LevelSolver, GivesUpBeforeItsMemoryRunsAway) {
    const std::vector<std::string> crowded = {
        "..Cx..C.", "D.....C.", "x..CC...", "C......C", "......CC", "CCx.x...", "C.CxD..C", "xD...D.C",
    };
    const Solution solution = solve_level(field(crowded), 60, 5);
    EXPECT_EQ(solution.verdict, Verdict::undecided);
    EXPECT_NE(solution.reason.find("the bound of the search's memory"), std::string::npos) << solution.reason;
    EXPECT_LT(solution.work, default_work_limit / 2);
}
