#include "scenes/level_catalogue.h"

#include "app/game_folder.h"
#include "app/profile.h"
#include "game/level_sequence.h"
#include "puzzle/level_file.h"
#include "puzzle/proven_best.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace floebound {

namespace {

// The best file is one line a level; this is room for thousands.
constexpr std::size_t max_best_bytes = 1 << 20;

ProvenBestTable read_best_table() {
    std::string problem;
    const std::optional<std::string> text = read_small_file(game_file(proven_best_path), max_best_bytes, problem);
    return text ? parse_proven_best(*text) : ProvenBestTable{};
}

// The parts of an entry its file gives: the field and the shown name.
LevelFile fill_from_file(CatalogueEntry& entry, const std::string& bytes) {
    LevelFile file = parse_level_file(bytes.data(), bytes.size());
    entry.field = field_of(file);
    if (file.name) entry.name = printable_level_name(*file.name, shown_name_length);
    return file;
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
        fill_from_file(entry, *bytes);
        entry.best = proven_best_for(best, std::filesystem::path(entry.path).filename().string(), *bytes);
    }
    return entries;
}

void read_own_levels(std::vector<CatalogueEntry>& catalogue, const std::string& folder) {
    catalogue.erase(std::remove_if(catalogue.begin(), catalogue.end(), [](const CatalogueEntry& entry) { return entry.own; }),
                    catalogue.end());
    if (folder.empty()) return;
    std::vector<std::filesystem::path> files;
    std::error_code failure;
    for (std::filesystem::directory_iterator entry(folder, failure), end; !failure && entry != end;
         entry.increment(failure)) {
        const std::filesystem::path& path = entry->path();
        const std::string name = path.filename().string();
        if (path.extension() == ".txt" && name[0] != '.') files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    if (files.size() > max_own_levels) files.resize(max_own_levels);
    for (const std::filesystem::path& path : files) {
        // A FIFO or a folder with a level's name is no level.
        const std::optional<std::string> bytes = read_level_bytes(path.c_str());
        if (!bytes) continue;
        CatalogueEntry& entry = catalogue.emplace_back();
        entry.number = static_cast<int>(catalogue.size()) - 1;
        entry.path = path.string();
        entry.own = true;
        if (!fill_from_file(entry, *bytes).name) entry.name = printable_level_name(path.stem().string(), shown_name_length);
    }
}

std::string level_title(const CatalogueEntry& entry) {
    return entry.own ? "Your level: " + entry.name : level_title(entry.number, entry.name);
}

std::string level_title(int number, const std::string& name) {
    std::string title = "Level " + std::to_string(number + 1);
    if (!name.empty()) title += ": " + name;
    return title;
}

}  // namespace floebound
