#include "puzzle/rules.h"

#include <cstdio>
#include <utility>

namespace floebound {

const DirectionStep direction_steps[direction_count] = {
    {0, +1}, {+1, +1}, {+1, 0}, {+1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, +1},
};

const char* const direction_names[direction_count] = {"W", "NW", "N", "NE", "E", "SE", "S", "SW"};

namespace {

int turned(int direction, int by) { return (direction + by) % direction_count; }

void add_message(PenguinMove& move, RuleMessage message) { move.messages[move.message_count++] = message; }

void set_walk(PenguinMove& move, int column, int row, RuleSound sound) {
    move.action = PenguinAction::walk;
    move.column = column;
    move.row = row;
    move.sound = sound;
}

// Blocked ahead: turn back from trees and the edge, trying the reverse, then
// each quarter turn; anything else in the way is a situation the walk never
// expects.
void decide_blocked(const Grid& grid, const RestingPenguin& p, PenguinMove& move) {
    const DirectionStep ahead = direction_steps[p.heading];
    const CellKind blocker = grid.cell_at(p.column + ahead.column, p.row + ahead.row);
    if (blocker != CellKind::tree && blocker != CellKind::off_grid) {
        add_message(move, RuleMessage::assertion_failure);
        return;
    }
    int column = 0;
    int row = 0;
    if (can_step(grid, p.column, p.row, turned(p.heading, 4), column, row)) {
        set_walk(move, column, row, RuleSound::tipped);
        return;
    }
    for (auto [by, message] : {std::pair{2, RuleMessage::turning_a_bit}, std::pair{6, RuleMessage::turning_more}}) {
        if (can_step(grid, p.column, p.row, turned(p.heading, by), column, row)) {
            set_walk(move, column, row, RuleSound::none);
            move.new_heading = turned(p.heading, by);
            add_message(move, message);
            return;
        }
    }
    add_message(move, RuleMessage::stuck);
}

}  // namespace

bool is_enterable(CellKind kind) {
    switch (kind) {
    case CellKind::empty:
    case CellKind::penguin_square:
    case CellKind::target:
    case CellKind::skateboard_square:
    case CellKind::cow:
    case CellKind::goat_cw:
    case CellKind::goat_ccw:
        return true;
    default:
        return false;
    }
}

bool can_step(const Grid& grid, int column, int row, int direction, int& next_column, int& next_row) {
    const DirectionStep step = direction_steps[direction];
    if (!is_enterable(grid.cell_at(column + step.column, row + step.row))) return false;
    next_column = column + step.column;
    next_row = row + step.row;
    return true;
}

PenguinMove decide_resting_penguin(const Grid& grid, const RestingPenguin& p) {
    PenguinMove move;
    int column = 0;
    int row = 0;
    switch (grid.cell_at(p.column, p.row)) {
    case CellKind::goat_cw:
        if (can_step(grid, p.column, p.row, turned(p.heading, 6), column, row)) {
            set_walk(move, column, row, RuleSound::turn);
            return move;
        }
        add_message(move, RuleMessage::confused_by_goat_cw);
        break;
    case CellKind::goat_ccw:
        if (can_step(grid, p.column, p.row, turned(p.heading, 2), column, row)) {
            set_walk(move, column, row, RuleSound::turn);
            return move;
        }
        add_message(move, RuleMessage::confused_by_goat_ccw);
        break;
    case CellKind::cow:
        if (p.cow_here) {
            move.action = PenguinAction::join_cow;
            return move;
        }
        break;
    default:
        break;
    }

    if (can_step(grid, p.column, p.row, p.heading, column, row)) {
        // Of the penguins resting on one square only the first counted goes on.
        if (p.crowd > 1) {
            move.action = PenguinAction::wait;
            return move;
        }
        set_walk(move, column, row, RuleSound::none);
        return move;
    }
    decide_blocked(grid, p, move);
    return move;
}

void print_rule_message(const char* display_name, RuleMessage message, int new_heading) {
    switch (message) {
    case RuleMessage::confused_by_goat_cw:
        std::printf("Actor %s: confused by goat CW\n", display_name);
        break;
    case RuleMessage::confused_by_goat_ccw:
        std::printf("Actor %s: confused by goat CCW\n", display_name);
        break;
    case RuleMessage::turning_a_bit:
        std::printf("Actor %s: stuck; turning a bit.  Now headed %d (%s)\n", display_name, new_heading,
                    direction_names[new_heading]);
        break;
    case RuleMessage::turning_more:
        std::printf("Actor %s: stuck; turning more.  Now headed %d (%s)\n", display_name, new_heading,
                    direction_names[new_heading]);
        break;
    case RuleMessage::stuck:
        std::printf("Actor %s: stuck.  Stopping\n", display_name);
        break;
    case RuleMessage::assertion_failure:
        std::printf("Actor %s: Assertion failure!\n", display_name);
        break;
    }
}

}  // namespace floebound
