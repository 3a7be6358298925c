#pragma once

#include <optional>
#include <string>

namespace floebound {

// The line under the victory picture after a win by play: how many goats
// stood at once, set against the proven fewest when it is known.
//   "Solved with 2 goats: the best possible"
//   "Solved with 3 goats; 2 is possible"
//   "Solved with 2 goats, 1 penguin lost; none need be lost"
//   "Solved with 3 goats" (no best known)
std::string victory_line(int goats, int lost, std::optional<int> best);

// "1:05.3", the time on the level's clock.
std::string play_time_text(int time_ms);

}  // namespace floebound
