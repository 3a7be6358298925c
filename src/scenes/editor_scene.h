#pragma once

#include "app/orbit.h"
#include "app/scene.h"
#include "editor/level_editor.h"
#include "game/level_state.h"
#include "game/popup.h"
#include "world/terrain.h"

#include <functional>
#include <memory>
#include <string>

namespace floebound {

struct GameAssets;
struct KindPictures;
class Level;

// What the editor borrows from the game for the whole of its stay: the level
// (its ground and view draw the field, and it plays the tries), the assets,
// the kind popup's pictures, and a way to put a try of the level on top.
struct EditorSurroundings {
    Level& level;
    GameAssets& assets;
    KindPictures& kind_pictures;
    std::function<void(std::unique_ptr<Scene>)> push;
};

// The level editor as a screen: the field drawn as in play with the same
// camera keys and cursor, the level's name and supplies at the top, the
// verdict and the help line at the bottom, the square popup, and a question
// before leaving with unsaved changes. p tries the level through the play
// scene, escape there comes back to the field as it was. What it says on its
// lines goes to the console too.
class EditorScene : public Scene {
public:
    // left is called as it leaves; ends_game_when_left for an editor the
    // game was started in.
    EditorScene(LevelDocument document, SaveTarget target, EditorSurroundings surroundings,
                std::function<void()> left, bool ends_game_when_left);
    ~EditorScene() override;

    void draw() override;
    void update(int elapsed_ms) override;
    void handle_key(int key, bool released) override;
    bool is_done() const override { return done_; }
    bool ends_game_on_press(int key) const override;
    bool ends_game() const override { return done_ && ends_game_when_left_; }
    bool takes_text() const override { return editor_.name_field() != nullptr; }

private:
    void show_document();
    void say_what_is_new();
    void try_level();
    void leave();
    void draw_lines();
    void answer_question(int key, bool released);

    LevelEditor editor_;
    EditorSurroundings surroundings_;
    std::function<void()> left_;
    bool ends_game_when_left_;
    Orbit orbit_{1.0f, 4.74f, 800, 0, 0, 0};
    // The field as the view draws it, for the document's revision shown.
    LevelState state_;
    unsigned long shown_revision_ = 0;
    // Leaving with unsaved changes: the quit popup's yes and no.
    std::unique_ptr<Popup> question_;
    // The level's own place, given back when the editor goes.
    TerrainCursor level_cursor_;
    bool tried_ = false;
    bool trying_ = false;  // a try is on top, until this draws again
    bool level_played_one_file_ = false;
    std::string level_file_;
    int level_number_ = 0;
    std::string trial_file_;
    std::string said_verdict_;
    std::string said_help_;
    bool done_ = false;
};

}  // namespace floebound
