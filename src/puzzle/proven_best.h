#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace floebound {

// The fewest goats standing at once that any solution of a shipped level
// needs, as the checker's search proved it when the game was built, in the
// game folder's "data/best.txt", one level a line:
//   best=2 hash=5c3f0e8a1b2d4c6e level=level003.txt
// The hash is of the level file's bytes, so a level changed since then gets
// no best at all rather than a wrong one.

constexpr const char* proven_best_path = "data/best.txt";

// FNV-1a, 64 bits: a changed level is told apart, nothing more is asked of it.
std::uint64_t level_file_hash(std::string_view bytes);

struct ProvenBestEntry {
    int goats;
    std::uint64_t hash;
};

// By the level file's name without its folder ("level003.txt").
using ProvenBestTable = std::map<std::string, ProvenBestEntry>;

std::string proven_best_line(const std::string& level_name, int goats, std::uint64_t hash);

// The lines that are well formed; any other line is skipped, so a damaged
// file costs only the levels it spoils.
ProvenBestTable parse_proven_best(std::string_view text);

// The best for a level file whose bytes are these, when the table holds one
// made from the same bytes.
std::optional<int> proven_best_for(const ProvenBestTable& table, const std::string& level_name,
                                   std::string_view bytes);

}  // namespace floebound
