#pragma once

#include <map>
#include <optional>
#include <string>

namespace floebound {

// The player's best results, one line a level in the profile's records file:
//   goats=2 dropped=16 lost=0 time_ms=41230 level=data/level003.txt
// A level named is solved. Goats and lost come from one win, the cleanest:
// the fewest penguins lost, then the fewest goats standing at once, so a
// record is at the best possible exactly when some win was. Dropped and the
// time on the level's clock are each the least any win took.

struct LevelResult {
    int goats = 0;
    int dropped = 0;
    int lost = 0;
    int time_ms = 0;
    bool operator==(const LevelResult& other) const {
        return goats == other.goats && dropped == other.dropped && lost == other.lost && time_ms == other.time_ms;
    }
};

// By the level's file as the game names it ("data/level003.txt").
using Records = std::map<std::string, LevelResult>;

// A records file is a few kilobytes; a bigger one is not ours.
constexpr std::size_t max_records_bytes = 256 * 1024;

// The records the text holds, or nothing when any line is not a record: a
// damaged file is refused whole, so no figure from it is ever shown. Blank
// lines are skipped; a level named twice keeps its better figures.
std::optional<Records> parse_records(const std::string& text, std::string& problem);

// The text that parses back to these records, one line a level in order.
std::string records_text(const Records& records);

// Takes a win into the records. True when the level had a record and the win
// betters any of its figures; a first win is no new best.
bool add_win(Records& records, const std::string& level, const LevelResult& win);

}  // namespace floebound
