#pragma once

#include "puzzle/grid.h"

#include <optional>
#include <string>
#include <vector>

namespace floebound {

// What the level select shows of one level, read from its file once.
struct CatalogueEntry {
    int number = 0;              // in the sequence, from 0
    std::string path;            // as the game names it: "data/level003.txt"
    std::string name;            // printable, shortened; empty when the file has none
    Grid field;                  // the squares the file draws
    std::optional<int> best;     // the fewest goats proven for these very bytes
    bool own = false;            // one of the player's levels: path is its file
};

// The longest level name a caption or tile shows, in characters.
constexpr std::size_t shown_name_length = 28;

// Levels 0 to count - 1 of the sequence, with the proven best where the
// game folder's best file holds one for the same bytes. A level that no
// longer reads keeps its number, with an empty field and no name.
std::vector<CatalogueEntry> read_catalogue(int count);

// "Level 12: Fish market", or "Level 12" without a name; "Your level: Slalom"
// for one of the player's.
std::string level_title(int number, const std::string& name);
std::string level_title(const CatalogueEntry& entry);

// The player's own levels after the shipped ones, read again: the level
// files in folder (the profile's levels folder) by file name, each shown by
// the name it gives or, without one, by its file's.
void read_own_levels(std::vector<CatalogueEntry>& catalogue, const std::string& folder);

// At most this many of the player's levels are listed.
constexpr std::size_t max_own_levels = 1000;

}  // namespace floebound
