#include "scenes/level_catalogue.h"

#include "app/game_folder.h"
#include "app/profile.h"
#include "game/level_sequence.h"
#include "puzzle/level_file.h"
#include "puzzle/proven_best.h"

#include <filesystem>

namespace floebound {

namespace {

// The best file is one line a level; this is room for thousands.
constexpr std::size_t max_best_bytes = 1 << 20;

ProvenBestTable read_best_table() {
    std::string problem;
    const std::optional<std::string> text = read_small_file(game_file(proven_best_path), max_best_bytes, problem);
    return text ? parse_proven_best(*text) : ProvenBestTable{};
}

}  // namespace

std::vector<CatalogueEntry> read_catalogue(int count) {
    const ProvenBestTable best = read_best_table();
    std::vector<CatalogueEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int number = 0; number < count; ++number) {
        CatalogueEntry& entry = entries.emplace_back();
        entry.number = number;
        entry.path = level_path(number).text;
        const std::optional<std::string> bytes = read_level_bytes(entry.path.c_str());
        if (!bytes) continue;
        const LevelFile file = parse_level_file(bytes->data(), bytes->size());
        entry.field = field_of(file);
        if (file.name) entry.name = printable_level_name(*file.name, shown_name_length);
        entry.best = proven_best_for(best, std::filesystem::path(entry.path).filename().string(), *bytes);
    }
    return entries;
}

std::string level_title(int number, const std::string& name) {
    std::string title = "Level " + std::to_string(number + 1);
    if (!name.empty()) title += ": " + name;
    return title;
}

}  // namespace floebound
