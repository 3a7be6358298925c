#pragma once

#include "puzzle/grid.h"
#include "puzzle/level_solver.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace floebound {

// A penguin as the hint reads it: where it stands, the way it faces, and
// whether it is still falling or walking.
struct PenguinOnField {
    int column;
    int row;
    int heading;
    bool moving;
};

// The state to search from, when every penguin is at rest: resting on a cow
// that still stands, or stuck for good. False while one falls, walks, waits
// behind another or is about to set off, or a cow is tipping.
bool read_play_state(const Grid& grid, const std::vector<PenguinOnField>& penguins, PlayState& state);

// What the hint says: a line in words for the screen, one for the console in
// the level checker's terms, and the square it is about, if any.
struct HintAnswer {
    std::string line;
    std::string console;
    bool has_square = false;
    int column = 0;
    int row = 0;
};

// The answer for a search's result: its first command, or why there is none.
HintAnswer hint_for(const Solution& solution);

// How much the hint's search may do: a few seconds at most on a slow machine.
constexpr long hint_work_limit = 200'000'000;

// One search for a hint, run on a thread of its own so that no frame waits
// for it. Dropping it stops the search at its next decision.
class HintSearch {
public:
    HintSearch(const PlayState& state, int penguin_max, int goat_max);
    ~HintSearch();
    HintSearch(const HintSearch&) = delete;
    HintSearch& operator=(const HintSearch&) = delete;

    bool done() const { return done_.load(std::memory_order_acquire); }
    // The result, once done.
    const Solution& result() const { return result_; }

private:
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    Solution result_;
    std::thread thread_;
};

}  // namespace floebound
