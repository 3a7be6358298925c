#include "game/hint.h"

#include "puzzle/rules.h"

namespace floebound {

bool read_play_state(const Grid& grid, const std::vector<PenguinOnField>& penguins, PlayState& state) {
    state = PlayState{};
    state.grid = grid;
    int crowd[grid_cells] = {};
    for (const PenguinOnField& penguin : penguins) {
        if (penguin.moving) return false;
        if (penguin.column < 0 || penguin.column >= grid_side || penguin.row < 0 || penguin.row >= grid_side)
            return false;
        const int cell = penguin.row * grid_side + penguin.column;
        const bool cow_here = grid.cells[cell] == CellKind::cow;
        const RestingPenguin resting{penguin.column, penguin.row, penguin.heading, ++crowd[cell], cow_here};
        switch (decide_resting_penguin(grid, resting).action) {
        case PenguinAction::join_cow:
            if (++state.resting[cell][penguin.heading] >= cow_tip_count) return false;
            break;
        case PenguinAction::stay: state.stuck[cell] = true; break;
        case PenguinAction::walk:
        case PenguinAction::wait: return false;
        }
    }
    state.penguins_used = static_cast<int>(penguins.size());
    return true;
}

HintAnswer hint_for(const Solution& solution) {
    HintAnswer answer;
    if (solution.verdict == Verdict::unsolvable) {
        answer.line = answer.console = "Hint: no way to win from here: restart the level";
        return answer;
    }
    if (solution.verdict == Verdict::undecided || solution.commands.empty()) {
        answer.line = answer.console = "Hint: no answer found in time: try restarting the level";
        return answer;
    }
    const PlayerCommand& next = solution.commands.front();
    answer.console = "Hint: " + describe_commands({next});
    answer.has_square = true;
    answer.column = next.column;
    answer.row = next.row;
    switch (next.kind) {
    case PlayerCommand::place_goat:
        answer.line = next.goat == CellKind::goat_cw ? "Hint: a clockwise goat here" : "Hint: a counter-clockwise goat here";
        break;
    case PlayerCommand::turn_goat: answer.line = "Hint: turn this goat"; break;
    case PlayerCommand::clear_goat: answer.line = "Hint: clear this goat"; break;
    case PlayerCommand::drop_penguins:
        answer.line = "Hint: drop " + std::to_string(next.penguins) + (next.penguins == 1 ? " penguin" : " penguins") +
                      " here";
        break;
    }
    return answer;
}

HintSearch::HintSearch(const PlayState& state, int penguin_max, int goat_max)
    : thread_([this, state, penguin_max, goat_max] {
          result_ = solve_from(state, penguin_max, goat_max, hint_work_limit, &cancel_);
          done_.store(true, std::memory_order_release);
      }) {}

HintSearch::~HintSearch() {
    cancel_.store(true, std::memory_order_relaxed);
    thread_.join();
}

}  // namespace floebound
