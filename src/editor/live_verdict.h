#pragma once

#include "editor/level_document.h"
#include "puzzle/level_solver.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace floebound {

// How much the editor's search may do for one verdict: about a second here,
// ten times what the hardest shipped level takes.
constexpr long editor_work_limit = 50'000'000;

// The checker's answer for the level as it stands, searched on a thread of
// its own so that no frame waits for it. Each check cancels the search
// running and starts one for the new field; an answer is only ever shown for
// the check it was searched for.
class LiveVerdict {
public:
    explicit LiveVerdict(long work_limit = editor_work_limit);
    ~LiveVerdict();
    LiveVerdict(const LiveVerdict&) = delete;
    LiveVerdict& operator=(const LiveVerdict&) = delete;

    // Never waits for the search: it is told to stop and takes the new
    // field up as soon as it has.
    void check(const LevelDocument& document);

    // The answer for the last check, once it is in.
    std::optional<Solution> answer() const;

private:
    void run();

    const long work_limit_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    // Guarded by mutex_: the field waiting to be searched, the latest check's
    // number and the answer with the number it is for.
    std::optional<LevelDocument> waiting_;
    unsigned long asked_ = 0;
    std::optional<Solution> answer_;
    unsigned long answered_ = 0;
    bool stopping_ = false;
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

// The verdict line: "Solvable: 2 goats, 16 penguins, 12 commands, difficulty
// 85", "Not solvable: " and the checker's reason, "Searching..." while there
// is no answer yet, or "No answer within the limit".
std::string verdict_line(const std::optional<Solution>& answer);

// The squares of the solution's commands, in the order they are given.
struct CommandSquare {
    int column;
    int row;
    std::string command;  // in the checker's words: "goat cw (1,2)"
};
std::vector<CommandSquare> solution_squares(const Solution& solution);

}  // namespace floebound
