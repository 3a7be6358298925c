#pragma once

#include "editor/level_document.h"
#include "puzzle/level_file.h"
#include "puzzle/level_solver.h"

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace floebound {

inline LevelDocument document_from(const std::string& text) {
    return document_of(parse_level_file(text.data(), text.size()));
}

// What floebound-generate --cows 2 --goats 2 --seed 3 writes, which its
// README line scores "2 goats, 16 penguins, 26 commands, difficulty 85".
inline const std::string generated_level =
    "F....x..\n........\nD.....C.\nF....B..\n........\n.....S..\n..x.BC.D\n.......B\n"
    "penguinMax=16\ngoatMax=2\n";

// Unsolvable, and the search takes seconds to give up on it with eight goats
// to lay, at its bound of memory.
inline const std::string slow_level =
    "C......C\n........\n...C....\n........\n....D...\n........\n..C.....\nC......C\n"
    "penguinMax=48\ngoatMax=8\n";

// Polls like a frame loop does until the answer is in; the test fails on
// the way out if it never comes.
template <typename Ask>
std::optional<Solution> wait_for_answer(Ask ask, std::chrono::milliseconds patience = std::chrono::seconds(120)) {
    const auto give_up = std::chrono::steady_clock::now() + patience;
    std::optional<Solution> answer = ask();
    while (!answer && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        answer = ask();
    }
    return answer;
}

}  // namespace floebound
