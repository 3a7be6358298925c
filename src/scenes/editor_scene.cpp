#include "scenes/editor_scene.h"

#include "app/camera.h"
#include "app/keys.h"
#include "app/profile.h"
#include "editor/kind_picker_view.h"
#include "game/game_assets.h"
#include "game/level.h"
#include "media/text.h"
#include "puzzle/level_file.h"
#include "scenes/overlay_text.h"
#include "scenes/play_scene.h"

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace floebound {

namespace {

constexpr int title_font = 1;
constexpr int verdict_font = 2;
constexpr int line_font = 3;
constexpr int left_margin = 16;

// Somewhere a try's level file can lie while it is played: it is gone when
// the editor goes.
std::string trial_folder() {
    std::error_code failure;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(failure);
    return failure ? "/tmp" : folder.string();
}

}  // namespace

EditorScene::EditorScene(LevelDocument document, SaveTarget target, EditorSurroundings surroundings,
                         std::function<void()> left, bool ends_game_when_left)
    : editor_(std::move(document), std::move(target)),
      surroundings_(std::move(surroundings)),
      left_(std::move(left)),
      ends_game_when_left_(ends_game_when_left),
      level_cursor_(surroundings_.level.terrain->get_cursor()) {
    surroundings_.kind_pictures.load_unless_loaded();
    show_document();
}

EditorScene::~EditorScene() {
    if (!trial_file_.empty()) std::remove(trial_file_.c_str());
}

// The view draws a LevelState: the document's file read back, so that what
// shows is what a save writes.
void EditorScene::show_document() {
    const std::string text = document_text(editor_.document());
    set_up_level_state(state_, parse_level_file(text.data(), text.size()), surroundings_.assets);
    shown_revision_ = editor_.history().revision();
}

void EditorScene::draw() {
    if (trying_) {
        trying_ = false;
        std::printf("Editor: back from trying the level\n");
    }
    say_what_is_new();
    Terrain& terrain = *surroundings_.level.terrain;
    // The ground is the level's, so is its cursor: lent for this frame.
    const TerrainCursor level_cursor = terrain.get_cursor();
    terrain.set_cursor(editor_.cursor_row() + field_cursor_offset, editor_.cursor_column() + field_cursor_offset);
    surroundings_.level.view().draw_field(state_, terrain);
    terrain.set_cursor(level_cursor.first, level_cursor.second);

    draw_lines();
    if (const KindPicker* picker = editor_.picker()) draw_kind_picker(*picker, surroundings_.kind_pictures);
    if (question_) question_->draw();
}

void EditorScene::draw_lines() {
    begin_hud(camera);
    glEnable(GL_TEXTURE_2D);
    FontTable& fonts = surroundings_.assets.fonts.table();
    const LevelDocument& document = editor_.document();
    std::string title;
    if (const NameField* field = editor_.name_field())
        title = "Name: " + field->text() + "_";
    else
        title = document.name.empty() ? "A level without a name (n names it)" : document.name;
    if (editor_.dirty()) title += "  (not saved)";
    draw_overlay_text(fonts, title.c_str(), title_font, left_margin, 14);
    draw_overlay_text(fonts, editor_.supplies_line().c_str(), line_font, left_margin, 40);
    if (question_) {
        draw_centred_overlay_text(fonts, "Leave without saving? The changes since the last save are lost", title_font,
                                  camera.screen_height / 2 - 100);
    }
    draw_overlay_text(fonts, editor_.verdict_line().c_str(), verdict_font, left_margin, camera.screen_height - 52);
    draw_overlay_text(fonts, editor_.help_line().c_str(), line_font, left_margin, camera.screen_height - 26);
    end_hud(camera);
}

// The console hears each new verdict and each thing the help line says
// besides the keys, once.
void EditorScene::say_what_is_new() {
    const std::string verdict = editor_.verdict_line();
    if (verdict != said_verdict_) {
        said_verdict_ = verdict;
        std::printf("Editor: %s\n", verdict.c_str());
    }
    const std::string help = editor_.help_line();
    if (help != said_help_) {
        said_help_ = help;
        if (help != LevelEditor::keys_text) std::printf("Editor: %s\n", help.c_str());
    }
}

void EditorScene::update(int elapsed_ms) {
    orbit_step(orbit_, elapsed_ms);
    Level::update_actors(state_.cows, elapsed_ms);
    Level::update_actors(state_.trees, elapsed_ms);
    keep_fires_burning(state_.fires, surroundings_.assets.particle_sheet, elapsed_ms);
}

void EditorScene::handle_key(int key, bool released) {
    if (question_) {
        answer_question(key, released);
        return;
    }
    // The camera's keys, but s saves here and x tilts down instead; none of
    // them while a name is typed.
    if (!editor_.name_field() && key != key_s) {
        if (orbit_key(orbit_, key == key_x ? key_s : key, released)) return;
    }
    const EditorRequest request = editor_.handle_key(key, released);
    if (editor_.history().revision() != shown_revision_) show_document();
    say_what_is_new();
    switch (request) {
    case EditorRequest::none: break;
    case EditorRequest::play: try_level(); break;
    case EditorRequest::leave:
        if (!editor_.dirty()) {
            leave();
            break;
        }
        question_ = std::make_unique<Popup>(surroundings_.assets);
        question_->add_entry(PopupCommand::quit_yes);
        question_->add_entry(PopupCommand::quit_no);
        std::printf("Editor: leave without saving?\n");
        break;
    }
}

// The popup closes on a key; what it closed with is acted on at once, so
// that an editor the game started in ends on that very press.
void EditorScene::answer_question(int key, bool released) {
    question_->handle_key(key, released);
    if (question_->is_active()) return;
    const bool leaving = question_->selected_command() == PopupCommand::quit_yes;
    question_.reset();
    if (leaving) leave();
}

bool EditorScene::ends_game_on_press(int) const { return done_ && ends_game_when_left_; }

// The level as it stands goes to a file of its own, which the level plays
// from its start as the play scene plays any level file.
void EditorScene::try_level() {
    Level& level = surroundings_.level;
    std::string error;
    const std::string folder = trial_folder();
    const std::string name = "floebound-try-" + std::to_string(getpid()) + ".txt";
    if (!write_file_atomically(folder, name, document_text(editor_.document()), error)) {
        std::printf("Editor: cannot try the level: %s\n", error.c_str());
        return;
    }
    trial_file_ = folder + "/" + name;
    if (!tried_) {
        tried_ = true;
        level_played_one_file_ = level.plays_one_file();
        level_file_ = level.current_path();
        level_number_ = level.level_number;
    }
    level.play_only(trial_file_.c_str());
    level.terrain->set_cursor(editor_.cursor_row() + field_cursor_offset,
                              editor_.cursor_column() + field_cursor_offset);
    std::printf("Editor: trying the level\n");
    trying_ = true;
    surroundings_.push(PlayScene::trial(level, surroundings_.assets.fonts));
}

// The level goes back to what it played before the first try, where it was.
void EditorScene::leave() {
    Level& level = surroundings_.level;
    if (tried_) {
        if (level_played_one_file_)
            level.play_only(level_file_.c_str());
        else
            level.go_to_level(level_number_);
    }
    level.terrain->set_cursor(level_cursor_.first, level_cursor_.second);
    done_ = true;
    std::printf("Editor: left\n");
    if (left_) left_();
}

}  // namespace floebound
