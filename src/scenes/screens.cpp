#include "scenes/screens.h"

#include "app/game_folder.h"
#include "app/profile.h"
#include "frontend/menu.h"
#include "game/game_assets.h"
#include "game/level.h"

#include <algorithm>
#include <cstdio>

namespace floebound {

namespace {

// Records of levels the game does not have (a level set that changed) are
// kept for when they come back, and said once.
void note_records_elsewhere(const Records& records, const std::vector<CatalogueEntry>& catalogue) {
    int elsewhere = 0;
    for (const auto& record : records)
        elsewhere += std::none_of(catalogue.begin(), catalogue.end(),
                                  [&](const CatalogueEntry& entry) { return entry.path == record.first; });
    if (elsewhere > 0)
        std::printf("Keeping the records of %d level%s the game does not have\n", elsewhere, elsewhere == 1 ? "" : "s");
}

std::vector<CatalogueEntry> read_all_levels(int level_count, const std::string& levels_folder) {
    std::vector<CatalogueEntry> catalogue = read_catalogue(level_count);
    read_own_levels(catalogue, levels_folder);
    return catalogue;
}

}  // namespace

Screens::Screens(Level& level, Menu& menu, GameAssets& assets, Profile& profile, KindPictures& kind_pictures,
                 int level_count, int furthest_saved)
    : level_(level),
      menu_(menu),
      assets_(assets),
      levels_folder_(player_levels_folder(profile.folder())),
      catalogue_(read_all_levels(level_count, levels_folder_)),
      records_(profile.read_records()),
      editor_surroundings_{level, assets, kind_pictures,
                           [this](std::unique_ptr<Scene> scene) { stack_.push(std::move(scene)); }},
      play_(level, assets.fonts, profile, records_, catalogue_, furthest_saved, [this] { open_level_select(false); }),
      intro_(menu, [this] { open_level_select(true); }) {
    note_records_elsewhere(records_, catalogue_);
    stack_.push(play_);
}

void Screens::start_with_intro() { stack_.push(intro_); }

void Screens::start_editing(LevelDocument document, const std::string& path) {
    stack_.push(std::make_unique<EditorScene>(std::move(document), edit_target(path, game_file("data"), levels_folder_),
                                              editor_surroundings_, nullptr, true));
}

void Screens::open_level_select(bool over_intro) {
    int current = level_.plays_one_file() ? 0 : level_.level_number;
    if (level_.plays_one_file())
        for (const CatalogueEntry& entry : catalogue_)
            if (entry.own && entry.path == level_.current_path()) current = entry.number;
    LevelSelectScene::Editing editing;
    editing.new_level = [this] { new_level(); };
    editing.edit_level = [this](int index) { edit_level(index); };
    stack_.push(std::make_unique<LevelSelectScene>(
        catalogue_, records_, level_.progress.furthest, current, assets_.fonts,
        [this, over_intro](int index) { choose_level(index, over_intro); }, editing));
}

void Screens::choose_level(int index, bool over_intro) {
    if (over_intro) menu_.start_play();
    const CatalogueEntry& entry = catalogue_[static_cast<std::size_t>(index)];
    if (entry.own) {
        std::printf("Playing your level %s\n", entry.path.c_str());
        level_.play_only(entry.path.c_str());
        return;
    }
    // The level being played, chosen again, is taken up where it was.
    const bool same = !level_.plays_one_file() && index == level_.level_number && !level_.cows.empty();
    if (!same) level_.go_to_level(index);
}

void Screens::new_level() {
    LevelDocument document = new_document();
    document.name = unused_level_name(levels_folder_, "New level");
    open_editor(std::move(document), target_in_folder(levels_folder_));
}

void Screens::edit_level(int index) {
    const CatalogueEntry& entry = catalogue_[static_cast<std::size_t>(index)];
    // The player's own level is theirs to change; a shipped one is copied.
    std::optional<LevelDocument> document = open_document(entry.own ? entry.path : game_file(entry.path.c_str()));
    if (!document) {
        std::printf("Cannot edit %s: it no longer reads\n", entry.path.c_str());
        return;
    }
    if (entry.own) {
        open_editor(std::move(*document), target_for_file(entry.path));
        return;
    }
    const std::string name = document->name.empty() ? level_title(entry.number, "") : document->name;
    document->name = unused_level_name(levels_folder_, name + " copy");
    open_editor(std::move(*document), target_in_folder(levels_folder_));
}

// An editor opened from the level select goes back to it, which then lists
// what was saved.
void Screens::open_editor(LevelDocument document, SaveTarget target) {
    stack_.push(std::make_unique<EditorScene>(std::move(document), std::move(target), editor_surroundings_,
                                              [this] { read_own_levels(catalogue_, levels_folder_); }, false));
}

}  // namespace floebound
