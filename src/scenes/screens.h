#pragma once

#include "app/records.h"
#include "app/scene_stack.h"
#include "editor/level_document.h"
#include "editor/level_saving.h"
#include "scenes/editor_scene.h"
#include "scenes/intro_scene.h"
#include "scenes/level_catalogue.h"
#include "scenes/level_select_scene.h"
#include "scenes/play_scene.h"

#include <string>
#include <vector>

namespace floebound {

struct GameAssets;
struct KindPictures;
class Level;
class Menu;
class Profile;

// The game's screens and the ways between them: play at the bottom for the
// whole run, the intro over it (or the editor the game was started in), and
// the level select and the editor, which come and go over them. It reads the
// levels and the player's records once, when it is made.
class Screens {
public:
    Screens(Level& level, Menu& menu, GameAssets& assets, Profile& profile, KindPictures& kind_pictures,
            int level_count, int furthest_saved);
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    void start_with_intro();
    // Started to edit the file at path: the editor instead of the intro, and
    // leaving it ends the game.
    void start_editing(LevelDocument document, const std::string& path);

    SceneStack& stack() { return stack_; }
    // After each frame's updates.
    void save_progress() { play_.save_progress(); }

private:
    void open_level_select(bool over_intro);
    void choose_level(int index, bool over_intro);
    void new_level();
    void edit_level(int index);
    void open_editor(LevelDocument document, SaveTarget target);

    Level& level_;
    Menu& menu_;
    GameAssets& assets_;
    std::string levels_folder_;
    std::vector<CatalogueEntry> catalogue_;
    Records records_;
    EditorSurroundings editor_surroundings_;
    PlayScene play_;
    IntroScene intro_;
    // Last, so that the screens it owns go while all they look at is still there.
    SceneStack stack_;
};

}  // namespace floebound
