#include "editor/live_verdict.h"

#include "puzzle/difficulty.h"

#include <utility>

namespace floebound {

LiveVerdict::LiveVerdict(long work_limit) : work_limit_(work_limit), thread_([this] { run(); }) {}

LiveVerdict::~LiveVerdict() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        cancel_.store(true, std::memory_order_relaxed);
    }
    wake_.notify_one();
    thread_.join();
}

void LiveVerdict::check(const LevelDocument& document) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = document;
        ++asked_;
        cancel_.store(true, std::memory_order_relaxed);
    }
    wake_.notify_one();
}

std::optional<Solution> LiveVerdict::answer() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (answered_ != asked_) return std::nullopt;
    return answer_;
}

void LiveVerdict::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_) return;
        const LevelDocument document = std::move(*waiting_);
        waiting_.reset();
        const unsigned long asked = asked_;
        // Cleared under the lock: a check after this point sets it again.
        cancel_.store(false, std::memory_order_relaxed);
        lock.unlock();
        Solution solution =
            solve_level(document.field, document.penguinMax, document.goatMax, work_limit_, &cancel_);
        lock.lock();
        if (asked == asked_) {
            answer_ = std::move(solution);
            answered_ = asked;
        }
    }
}

namespace {

std::string plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::string verdict_line(const std::optional<Solution>& answer) {
    if (!answer) return "Searching...";
    switch (answer->verdict) {
    case Verdict::solvable:
        return "Solvable: " + plural(answer->goats, "goat") + ", " + plural(answer->penguins, "penguin") + ", " +
               plural(command_count(answer->commands), "command") + ", difficulty " +
               std::to_string(difficulty_of(*answer).score);
    case Verdict::unsolvable: return "Not solvable: " + answer->reason;
    case Verdict::undecided: return "No answer within the limit";
    }
    return "";
}

std::vector<CommandSquare> solution_squares(const Solution& solution) {
    std::vector<CommandSquare> squares;
    for (const PlayerCommand& command : solution.commands)
        squares.push_back({command.column, command.row, describe_commands({command})});
    return squares;
}

}  // namespace floebound
