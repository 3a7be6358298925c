#include "game/level.h"

#include "game/game_assets.h"
#include "game/level_sequence.h"
#include "puzzle/level_file.h"

#include <cstdio>

namespace floebound {

namespace {

struct ActorLook {
    const char* name;
    const char* model_path;
    const char* skin_path;
};

constexpr ActorLook tree_look{"Tree", "models/shrub/tris.md2", "models/shrub/s6.png"};
constexpr ActorLook cow_look{"Cow", "models/cow/tris.md2", "models/cow/cow.png"};
constexpr ActorLook tunafish_look{"Tunafish", "models/tuna/tris.md2", "models/tuna/tuna.png"};
constexpr ActorLook bucket_look{"Bucket", "models/bucket/tris.md2", "models/bucket/bucket.png"};

// Set up in place on the list's last element: the lists keep their elements
// where they are, and an actor's emitter is not worth copying.
Actor& add_actor(ModelCache& models, std::deque<Actor>& actors, const ActorLook& look, int column, int row) {
    Actor& actor = actors.emplace_back();
    // Without its model the actor still plays its part, undrawn.
    static_cast<void>(actor.load_model(models, look.name, look.model_path, look.skin_path));
    const CellCentre centre = cell_centre(column, row);
    actor.set_position(centre.x, centre.y, centre.z);
    return actor;
}

void add_fire(std::deque<ParticleEmitter>& fires, EmitterParams* params, const Image* sheet, int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    emitter_start(fires.emplace_back(), params, sheet, centre.x, centre.y, centre.z);
}

}  // namespace

void set_up_level_state(LevelState& state, const LevelFile& file, GameAssets& assets) {
    state.cows.clear();
    state.penguins.clear();
    state.skateboards.clear();
    state.buckets.clear();
    state.trees.clear();
    state.tunafish_list.clear();
    state.goats.clear();
    state.fires.clear();
    for (int row = 0; row < grid_side; ++row) {
        for (int column = 0; column < grid_side; ++column) {
            const std::optional<CellKind> kind = file.cells[row * grid_side + column];
            if (!kind) continue;
            switch (*kind) {
            case CellKind::tree: add_actor(assets.models, state.trees, tree_look, column, row); break;
            case CellKind::cow:
                // The cow's model loads first, then the sheet, as they always did.
                add_actor(assets.models, state.cows, cow_look, column, row)
                    .start_emitter(&cow_params, assets.particle_sheet.get(), 0, 22, -18);
                break;
            case CellKind::tunafish: add_actor(assets.models, state.tunafish_list, tunafish_look, column, row); break;
            case CellKind::bucket: add_actor(assets.models, state.buckets, bucket_look, column, row); break;
            case CellKind::fire:
                add_fire(state.fires, &fire_params_1, assets.particle_sheet.get(), column, row);
                add_fire(state.fires, &fire_params_2, assets.particle_sheet.get(), column, row);
                break;
            default: break;
            }
            state.set_cell(column, row, *kind);
        }
    }
    state.penguinMax = file.penguinMax.value_or(0);
    state.goatMax = file.goatMax.value_or(0);
    state.skateboardMax = file.skateboardMax.value_or(0);
}

void Level::load_level(const char* path) {
    const std::optional<LevelFile> file = read_level_file(path);

    close_popup();
    level_name.clear();
    run = LevelRun{run.started + 1};

    // A level that does not open keeps the old field and, with no cows, is won.
    if (!file) {
        set_up_level_state(*this, LevelFile{}, assets_);
        return;
    }
    set_up_level_state(*this, *file, assets_);
    if (file->name) level_name = *file->name;
    run.playable = !cows.empty();
}

void Level::restart_level() {
    if (!only_file_.empty()) {
        load_level(only_file_.c_str());
        return;
    }
    const LevelPath path = numbered_level_path(level_number);
    if (level_file_exists(path.text)) {
        load_level(path.text);
        return;
    }
    level_number = 0;
    load_level(level_path(0).text);
}

void Level::advance_level() {
    // A level played on its own comes round again, as the last one does.
    if (only_file_.empty()) {
        ++level_number;
        if (!level_file_exists(level_path(level_number).text)) level_number = 0;
    }
    start_current_level();
}

void Level::go_to_level(int number) {
    only_file_.clear();
    level_number = number;
    start_current_level();
}

void Level::play_only(const char* path) {
    only_file_ = path;
    level_number = 0;
    start_current_level();
}

std::string Level::current_path() const { return only_file_.empty() ? level_path(level_number).text : only_file_; }

// Loads the current level fresh, with the camera back where a level starts.
void Level::start_current_level() {
    load_level(current_path().c_str());
    orbit.orbit_theta = 1.0f;
    orbit.orbit_phi = 4.74f;
    orbit.orbit_dist = 800;
}

}  // namespace floebound
