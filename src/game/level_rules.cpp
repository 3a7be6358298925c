#include "game/level.h"

#include "game/game_assets.h"
#include "media/sound.h"
#include "puzzle/rules.h"

#include <cmath>

namespace floebound {

namespace {

bool is_on_field(int column, int row) { return column >= 0 && column < grid_side && row >= 0 && row < grid_side; }

// Penguins sharing a square fan out around its centre in list order, half a
// square out, and drift back once alone. Eased once per update.
void ease_crowd_offset(Actor& penguin, int crowd) {
    Vector3 target = {0, 0, 0};
    if (crowd > 1) {
        const float angle = 0.75f * static_cast<float>(crowd);
        target.x = cell_width / 2 * std::cos(angle);
        target.z = cell_width / 2 * std::sin(angle);
    }
    penguin.draw_offset = penguin.draw_offset * 0.98f + target * 0.02f;
}

void play_rule_sound(const SoundBank& sounds, RuleSound sound) {
    switch (sound) {
    case RuleSound::none: break;
    case RuleSound::turn: sounds.play(SoundId::turn); break;
    case RuleSound::tipped: sounds.play(SoundId::tipped); break;
    }
}

Actor* first_actor_on(std::deque<Actor>& actors, int column, int row) {
    for (Actor& actor : actors) {
        int actor_column = 0;
        int actor_row = 0;
        actor.cell_of(actor_column, actor_row);
        if (actor_column == column && actor_row == row) return &actor;
    }
    return nullptr;
}

}  // namespace

void Level::walk_penguins(int elapsed_ms) {
    int crowd_count[grid_cells] = {};
    int tip_count[grid_cells] = {};
    for (Actor& penguin : penguins) {
        penguin.update(elapsed_ms);
        int column = 0;
        int row = 0;
        penguin.cell_of(column, row);
        // Penguins only ever stand on the field; one that did not would count
        // as alone and could not meet a cow.
        const int cell = is_on_field(column, row) ? row * grid_side + column : -1;
        const int crowd = cell >= 0 ? ++crowd_count[cell] : 1;
        ease_crowd_offset(penguin, crowd);
        if (penguin.is_active()) continue;

        // The rules ask after a cow only on a cow's square.
        Actor* cow = cell_at(column, row) == CellKind::cow ? first_actor_on(cows, column, row) : nullptr;
        const RestingPenguin resting{column, row, penguin.facing_direction(), crowd, cow != nullptr};
        const PenguinMove move = decide_resting_penguin(grid, resting);
        for (int i = 0; i < move.message_count; ++i)
            print_rule_message(penguin.display_name, move.messages[i], move.new_heading);
        switch (move.action) {
        case PenguinAction::walk: penguin.walk_to_cell(move.column, move.row); break;
        case PenguinAction::join_cow:
            if (++tip_count[cell] >= cow_tip_count) cow->start_dying();
            break;
        case PenguinAction::wait:
        case PenguinAction::stay: break;
        }
        play_rule_sound(assets_.sounds, move.sound);
    }
}

int Level::penguins_stuck() const {
    int stuck = 0;
    int crowd_count[grid_cells] = {};
    for (const Actor& penguin : penguins) {
        int column = 0;
        int row = 0;
        penguin.cell_of(column, row);
        if (!is_on_field(column, row)) continue;
        const int crowd = ++crowd_count[row * grid_side + column];
        if (penguin.is_active()) continue;
        const bool cow_here = cell_at(column, row) == CellKind::cow;
        const RestingPenguin resting{column, row, penguin.facing_direction(), crowd, cow_here};
        stuck += decide_resting_penguin(grid, resting).action == PenguinAction::stay;
    }
    return stuck;
}

void Level::update_cows(int elapsed_ms) {
    for (auto cow = cows.begin(); cow != cows.end(); ++cow) {
        cow->update(elapsed_ms);
        if (!cow->death_finished()) continue;
        int column = 0;
        int row = 0;
        cow->cell_of(column, row);
        if (is_on_field(column, row)) set_cell(column, row, CellKind::empty);
        cows.erase(cow);
        // Removing a cow invalidates the pass, so it starts over from the front.
        update_cows(elapsed_ms);
        assets_.sounds.play(SoundId::tipped);
        return;
    }
}

void Level::update_actors(std::deque<Actor>& actors, int elapsed_ms) {
    for (Actor& actor : actors) actor.update(elapsed_ms);
}

void keep_fires_burning(std::deque<ParticleEmitter>& fires, ParticleSheet& particle_sheet, int elapsed_ms) {
    for (ParticleEmitter& fire : fires) {
        if (emitter_update(fire, elapsed_ms))
            emitter_start(fire, fire.params, particle_sheet.get(), fire.origin.x, fire.origin.y, fire.origin.z);
    }
}

void Level::update_fires(int elapsed_ms) { keep_fires_burning(fires, assets_.particle_sheet, elapsed_ms); }

}  // namespace floebound
