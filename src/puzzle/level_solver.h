#pragma once

#include "puzzle/grid.h"
#include "puzzle/rules.h"

#include <array>
#include <atomic>
#include <bitset>
#include <string>
#include <vector>

namespace floebound {

// What the player does, in order.
struct PlayerCommand {
    enum Kind { place_goat, turn_goat, clear_goat, drop_penguins };
    Kind kind;
    int column;
    int row;
    CellKind goat;     // the goat's direction after the command; empty once cleared
    int penguins = 0;  // drop_penguins: how many, one after another
};

enum class Verdict {
    solvable,
    unsolvable,
    undecided,  // the search hit its bound first
};

struct Solution {
    Verdict verdict = Verdict::unsolvable;
    std::vector<PlayerCommand> commands;  // when solvable
    int goats = 0;                        // the most goat squares standing at once: the fewest possible
    int penguins = 0;                     // penguins they drop
    std::string reason;                   // when not solvable
    long work = 0;                        // penguin decisions the search took
    long positions = 0;                   // moments between drops it looked at
    int cascades = 0;                     // cows the solution tips by penguins walking on from another
};

// The default bound on the search, in penguin decisions: ten seconds or so.
constexpr long default_work_limit = 500'000'000;

// Searches for commands that tip every cow within the supplies; see the
// checker's --help for what it assumes. Tries 0 goats standing at once, then
// 1, and so on, so a solution keeps the fewest goat squares standing at once
// possible; gives up, undecided, when the bound runs out first. Setting
// cancel makes it give up, undecided, at its next decision.
Solution solve_level(const Grid& field, int penguin_max, int goat_max, long work_limit = default_work_limit,
                     const std::atomic<bool>* cancel = nullptr);

// A level part-way through, at a moment when no penguin walks: the field with
// the goats the player placed and the cows still standing, the penguins
// resting on each cow's square (by the heading they face, which they walk on
// with once it tips), the squares where a penguin stands stuck, and the
// penguins dropped so far.
struct PlayState {
    Grid grid;
    std::array<std::array<int, direction_count>, grid_cells> resting{};
    std::bitset<grid_cells> stuck;
    int penguins_used = 0;
};

// The search of solve_level from a state part-way through: the goats already
// standing count against goat_max. Setting cancel makes it give up, undecided,
// at its next decision.
Solution solve_from(const PlayState& state, int penguin_max, int goat_max, long work_limit = default_work_limit,
                    const std::atomic<bool>* cancel = nullptr);

// Player commands: one per goat placed, turned or cleared, one per penguin
// dropped.
int command_count(const std::vector<PlayerCommand>& commands);

// "goat cw (1,2); 8 penguins (1,6); clear goat (1,2)": squares are
// (column,row).
std::string describe_commands(const std::vector<PlayerCommand>& commands);

}  // namespace floebound
