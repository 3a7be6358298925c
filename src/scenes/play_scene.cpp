#include "scenes/play_scene.h"

#include "app/camera.h"
#include "app/keys.h"
#include "app/profile.h"
#include "game/level.h"
#include "media/text.h"
#include "puzzle/level_file.h"
#include "scenes/overlay_text.h"
#include "scenes/play_outcome.h"

namespace floebound {

namespace {

constexpr int caption_font = 0;
constexpr int result_font = 1;
// The victory picture is centred and this tall; the result goes below it.
constexpr int victory_picture_height = 128;

}  // namespace

PlayScene::PlayScene(Level& level, Fonts& fonts, Profile& profile, Records& records,
                     const std::vector<CatalogueEntry>& catalogue, int furthest_saved,
                     std::function<void()> open_level_select)
    : level_(level),
      fonts_(fonts),
      profile_(&profile),
      records_(&records),
      catalogue_(&catalogue),
      furthest_saved_(furthest_saved),
      open_level_select_(std::move(open_level_select)) {}

PlayScene::PlayScene(Level& level, Fonts& fonts) : level_(level), fonts_(fonts), trial_(true) {}

std::unique_ptr<PlayScene> PlayScene::trial(Level& level, Fonts& fonts) {
    return std::unique_ptr<PlayScene>(new PlayScene(level, fonts));
}

void PlayScene::draw() {
    // A level started while another screen was on top is seen at once.
    notice_start();
    level_.draw();
    level_.end_frame();

    const bool show_result = win_noted_ && !victory_line_.empty();
    if (caption_left_ms_ <= 0 && !show_result) return;
    begin_hud(camera);
    FontTable& fonts = fonts_.table();
    if (caption_left_ms_ > 0) draw_centred_overlay_text(fonts, caption_.c_str(), caption_font, camera.screen_height / 6);
    if (show_result) {
        const int below_picture = (camera.screen_height + victory_picture_height) / 2 + 12;
        draw_centred_overlay_text(fonts, victory_line_.c_str(), result_font, below_picture);
        if (new_best_) draw_centred_overlay_text(fonts, "New best", result_font, below_picture + 24, {255, 220, 90, 0});
    }
    end_hud(camera);
}

void PlayScene::update(int elapsed_ms) {
    notice_start();
    level_.update(elapsed_ms);
    if (caption_left_ms_ > 0) caption_left_ms_ -= elapsed_ms;
    if (level_.run.won && !win_noted_) notice_win();
}

void PlayScene::save_progress() {
    if (trial_ || level_.progress.furthest <= furthest_saved_) return;
    furthest_saved_ = level_.progress.furthest;
    profile_->save(progress_file, progress_key, furthest_saved_ + 1);
}

void PlayScene::handle_key(int key, bool released) {
    if (trial_) {
        if (key == key_escape && !level_.popup_open) {
            if (released) done_ = true;
            return;
        }
        level_.handle_key(key, released);
        return;
    }
    if (key == key_l && !level_.popup_open) {
        if (!released) open_level_select_();
        return;
    }
    level_.handle_key(key, released);
}

int PlayScene::time_scale() const { return level_.time_scale(); }

bool PlayScene::ends_game() const { return level_.quit_requested; }

void PlayScene::notice_start() {
    if (level_.run.started == seen_start_) return;
    seen_start_ = level_.run.started;
    const std::string name = printable_level_name(level_.level_name, shown_name_length);
    caption_ = trial_ ? (name.empty() ? "Trying the level" : "Trying " + name) : level_title(level_.level_number, name);
    caption_left_ms_ = caption_ms;
    win_noted_ = false;
    victory_line_.clear();
    new_best_ = false;
}

// A win by play goes into the records; one by tab only moves on.
void PlayScene::notice_win() {
    win_noted_ = true;
    if (level_.run.skipped || !level_.run.playable) return;
    const LevelResult win{level_.run.most_goats, level_.run.dropped, level_.run.lost, level_.run.time_ms};
    victory_line_ = victory_line(win.goats, win.lost, proven_best());
    if (trial_) return;
    new_best_ = add_win(*records_, level_.current_path(), win);
    profile_->save_text(records_file, records_text(*records_));
}

std::optional<int> PlayScene::proven_best() const {
    if (trial_ || level_.plays_one_file() || level_.level_number >= static_cast<int>(catalogue_->size()))
        return std::nullopt;
    return (*catalogue_)[static_cast<std::size_t>(level_.level_number)].best;
}

}  // namespace floebound
