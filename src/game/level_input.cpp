#include "game/level.h"

#include "app/keys.h"
#include "game/game_assets.h"
#include "media/sound.h"
#include "puzzle/rules.h"
#include "world/terrain.h"

#include <algorithm>
#include <cstdio>

namespace floebound {

namespace {

constexpr int goat_cycle_ms = 1500;
constexpr float drop_height = 2000;

// Cursor values of the field's first and last squares on the terrain.
constexpr int first_field_cursor = field_cursor_offset;
constexpr int last_field_cursor = field_cursor_offset + grid_side - 1;

// What the HUD's hint line says, by index; it only ever moves forward.
enum Hint : int {
    hint_arrows = 0,
    hint_activate_penguin = 1,
    hint_place_goat = 2,
    hint_reverse_goat = 3,
    hint_eight_penguins = 4,
    hint_out_of_goats = 5,
    hint_camera = 6,
    hint_blank = 7,
};

int length_of(const std::deque<Actor>& actors) { return static_cast<int>(actors.size()); }

}  // namespace

void Level::update(int elapsed_ms) {
    orbit_step(orbit, elapsed_ms);
    if (goat_clock > 0) {
        goat_clock -= elapsed_ms;
        if (goat_clock <= 0) goat_clock += goat_cycle_ms;
    }

    if (!cows.empty()) run.time_ms += elapsed_ms;
    walk_penguins(elapsed_ms);
    update_cows(elapsed_ms);
    follow_hint();
    update_actors(trees, elapsed_ms);
    update_actors(skateboards, elapsed_ms);
    update_fires(elapsed_ms);

    // A won level takes no more commands: space moves on instead. A popup
    // still closes when it is answered, or it would keep every later space,
    // and the quit popup still quits.
    const bool won = cows.empty();
    if (won) {
        hint_index = hint_index > hint_out_of_goats ? hint_blank : hint_camera;
        note_won();
    }

    if (!popup) return;
    popup->update(elapsed_ms);
    popup_open = popup->is_active();
    if (popup_open) return;
    const PopupCommand command = popup->selected_command();
    close_popup();
    if (won && command != PopupCommand::quit_yes) return;
    int column = 0;
    int row = 0;
    cursor_square(column, row);
    apply_command(command, column, row);
    run.most_goats = std::max(run.most_goats, static_cast<int>(goats.size()));
}

void Level::apply_command(PopupCommand command, int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    const int square = row * grid_side + column;  // as goats names it
    switch (command) {
    case PopupCommand::clear:
        set_cell(column, row, CellKind::empty);
        // That square's goat goes, wherever it stands in the list.
        goats.erase(std::remove(goats.begin(), goats.end(), square), goats.end());
        break;
    case PopupCommand::goat_cw:
        // Reversing a goat keeps it the same goat.
        if (cell_at(column, row) != CellKind::goat_ccw) goats.push_back(square);
        set_cell(column, row, CellKind::goat_cw);
        break;
    case PopupCommand::goat_ccw:
        if (cell_at(column, row) != CellKind::goat_cw) goats.push_back(square);
        set_cell(column, row, CellKind::goat_ccw);
        break;
    case PopupCommand::penguin: {
        Actor& penguin = penguins.emplace_back();
        // Without its model the penguin still walks, undrawn.
        static_cast<void>(penguin.load_model(assets_.models, next_penguin_name(), "models/penguin/tris.md2",
                                             "models/penguin/penguin.png"));
        penguin.set_position(centre.x, drop_height, centre.z);
        assets_.sounds.play(SoundId::falling);
        break;
    }
    case PopupCommand::skateboard: {
        Actor& board = skateboards.emplace_back();
        static_cast<void>(board.load_model(assets_.models, "Skateboard", "models/skateboard/board.md2",
                                           "models/skateboard/board.png"));
        board.set_position(centre.x, drop_height, centre.z);
        break;
    }
    case PopupCommand::restart:
        restart_level();
        break;
    case PopupCommand::quit_yes:
        quit_requested = true;
        break;
    case PopupCommand::close:
    case PopupCommand::quit_no:
        break;
    }
}

bool Level::handle_key(int key, bool released) {
    if (popup && popup->handle_key(key, released)) return true;

    if (orbit_key(orbit, key, released)) {
        if (hint_index == hint_camera) hint_index = hint_blank;
        return true;
    }

    switch (key) {
    case key_tab:
        if (!cows.empty()) run.skipped = true;
        cows.clear();
        return true;
    case key_f:
        fast_forward = !released;
        return true;
    case key_h:
        if (!released) ask_hint();
        return true;
    case key_page_up:
        if (!released) step_level(-1);
        return true;
    case key_page_down:
        if (!released) step_level(+1);
        return true;
    case key_return:
    case key_space:
        if (released) return true;
        if (cows.empty()) {
            advance_level();
        } else if (!popup_open) {
            open_command_popup();
        }
        return true;
    case key_escape:
        // On the release, so that the popup's own escape handling only sees
        // the next escape.
        if (released) {
            Popup& quit_popup = open_popup();
            quit_popup.add_entry(PopupCommand::quit_yes);
            quit_popup.add_entry(PopupCommand::quit_no);
        }
        return true;
    case key_up:
    case key_down:
    case key_right:
    case key_left:
        if (!released) move_cursor(key);
        if (hint_index == hint_arrows) hint_index = hint_activate_penguin;
        return true;
    default:
        return false;
    }
}

// The next level counts as reached once this one is won, whether played or
// skipped; the last level's next is the first, already reached.
void Level::note_won() {
    if (!run.won) {
        run.won = true;
        run.dropped = length_of(penguins);
        run.lost = penguins_stuck();
    }
    if (only_file_.empty() && level_number + 1 < progress.count && level_number + 1 > progress.furthest)
        progress.furthest = level_number + 1;
}

// Page Up and Page Down: one level back or on, never past the furthest reached.
void Level::step_level(int step) {
    const int number = level_number + step;
    if (!only_file_.empty() || number < 0 || number > progress.furthest || number >= progress.count) return;
    go_to_level(number);
}

// Up and down step along the columns, right and left along the rows, never
// off the field.
void Level::move_cursor(int arrow_key) {
    const TerrainCursor cursor = terrain->get_cursor();
    int first = cursor.first;
    int second = cursor.second;
    if (arrow_key == key_up && second < last_field_cursor) ++second;
    if (arrow_key == key_down && second > first_field_cursor) --second;
    if (arrow_key == key_right && first < last_field_cursor) ++first;
    if (arrow_key == key_left && first > first_field_cursor) --first;
    terrain->set_cursor(first, second);
}

Popup& Level::open_popup() {
    close_popup();
    popup = std::make_unique<Popup>(assets_);
    popup_open = true;
    return *popup;
}

void Level::open_command_popup() {
    int column = 0;
    int row = 0;
    cursor_square(column, row);
    Popup& choices = open_popup();

    const int goats_used = static_cast<int>(goats.size());
    const int penguins_used = length_of(penguins);
    const int skateboards_used = length_of(skateboards);

    switch (cell_at(column, row)) {
    case CellKind::empty:
        if (goats_used > 0 && hint_index <= hint_place_goat) {
            hint_index = hint_reverse_goat;
        } else if (goats_used >= goatMax && hint_index == hint_eight_penguins) {
            hint_index = hint_out_of_goats;
        } else if (penguins_used < cow_tip_count && hint_index <= hint_reverse_goat) {
            hint_index = hint_eight_penguins;
        }
        if (goats_used < goatMax) {
            choices.add_entry(PopupCommand::goat_cw);
            choices.add_entry(PopupCommand::goat_ccw);
        } else {
            std::printf("Out of goats!\n");
            if (hint_index <= hint_eight_penguins) hint_index = hint_out_of_goats;
        }
        break;
    case CellKind::penguin_square:
        if (penguins_used == 0 && hint_index <= hint_activate_penguin) hint_index = hint_place_goat;
        if (penguins_used >= cow_tip_count) {
            if (hint_index == hint_eight_penguins) {
                hint_index = hint_out_of_goats;
            } else if (hint_index <= hint_out_of_goats) {
                hint_index = hint_camera;
            }
        }
        if (penguins_used < penguinMax) {
            choices.add_entry(PopupCommand::penguin);
        } else {
            std::printf("Out of penguins!\n");
        }
        break;
    case CellKind::skateboard_square:
        if (skateboards_used < skateboardMax) {
            choices.add_entry(PopupCommand::skateboard);
        } else {
            std::printf("Out of skateboards!\n");
        }
        break;
    // A goat can be turned, or cleared to be placed elsewhere.
    case CellKind::goat_cw:
        choices.add_entry(PopupCommand::goat_ccw);
        choices.add_entry(PopupCommand::clear);
        break;
    case CellKind::goat_ccw:
        choices.add_entry(PopupCommand::goat_cw);
        choices.add_entry(PopupCommand::clear);
        break;
    default:
        break;
    }
    choices.add_entry(PopupCommand::close);
    choices.add_entry(PopupCommand::restart);
}

}  // namespace floebound
