#pragma once

#include "puzzle/grid.h"

namespace floebound {

// Headings 0 to 7 in turning order: + 2 and + 6 are the quarter turns, + 4 the
// reverse. 0 is toward row + 1, 2 toward column + 1.
constexpr int direction_count = 8;

struct DirectionStep {
    int column;
    int row;
};
extern const DirectionStep direction_steps[direction_count];
extern const char* const direction_names[direction_count];

// Eight penguins resting on a cow's square tip it.
constexpr int cow_tip_count = 8;

// Squares a penguin may walk onto.
bool is_enterable(CellKind kind);

// True when the neighbour in that direction can be entered; it is then given
// in next_column, next_row.
bool can_step(const Grid& grid, int column, int row, int direction, int& next_column, int& next_row);

// A penguin that has come to rest on a square centre, as the rules see it.
struct RestingPenguin {
    int column;
    int row;
    int heading;    // its facing direction
    int crowd;      // 1 for the first penguin counted on this square in this pass
    bool cow_here;  // a cow actor stands on the square
};

enum class PenguinAction {
    walk,          // walk to (column, row) of the move
    join_cow,      // count towards tipping the cow here, and stay
    wait,          // another penguin on this square goes first
    stay,          // nowhere to go
};

enum class RuleSound { none, turn, tipped };

// What the game prints about a penguin's decision.
enum class RuleMessage {
    confused_by_goat_cw,
    confused_by_goat_ccw,
    turning_a_bit,  // with the new heading
    turning_more,   // with the new heading
    stuck,
    assertion_failure,
};

struct PenguinMove {
    PenguinAction action = PenguinAction::stay;
    int column = 0;
    int row = 0;
    RuleSound sound = RuleSound::none;
    int message_count = 0;
    RuleMessage messages[2] = {};  // a goat's confusion can be followed by a stuck line
    int new_heading = 0;           // for turning_a_bit and turning_more
};

// The whole puzzle in one decision: where a resting penguin goes next. The
// level, the level checker and the tests all ask this; nothing else decides.
PenguinMove decide_resting_penguin(const Grid& grid, const RestingPenguin& penguin);

// The console line for one message, "Actor %s: ..." with the penguin's name.
void print_rule_message(const char* display_name, RuleMessage message, int new_heading);

}  // namespace floebound
