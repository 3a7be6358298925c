#pragma once

#include "app/orbit.h"
#include "app/renderable.h"
#include "game/level_sequence.h"
#include "game/level_state.h"
#include "game/level_view.h"
#include "game/popup.h"

#include <deque>
#include <memory>
#include <string>

namespace floebound {

struct GameAssets;
class HintSearch;
class Terrain;

// How the level being played has gone since it started, for the records.
struct LevelRun {
    int started = 0;       // counts the starts, so a watcher sees a new run
    int time_ms = 0;       // on the level's own clock, until it is won
    int most_goats = 0;    // standing at once
    bool playable = false;  // the file opened and set cows to tip
    bool skipped = false;   // won by tab, not by play
    bool won = false;
    int dropped = 0;  // penguins, once won
    int lost = 0;     // penguins stuck for good, once won
};

// One puzzle being played: the state the rules change (the field, what stands
// on it, the supplies), and around it the cursor and camera, the popup that
// is open, the hints and the level sequence. Its view draws it.
class Level : public Renderable, public LevelState {
public:
    explicit Level(GameAssets& assets);
    ~Level() override;
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    // Loading: a level file's field and settings replace the lists and
    // supplies; a file that does not open leaves them empty (a won level).
    void load_level(const char* path);
    void restart_level();
    void advance_level();
    // Starts level n of the sequence afresh, the camera reset as on
    // advancing; a level file played on its own is left for the sequence.
    void go_to_level(int number);
    // From now on restarting and advancing both come back to this one file.
    void play_only(const char* path);
    bool plays_one_file() const { return !only_file_.empty(); }
    // The file being played, as the game names it ("data/level003.txt").
    std::string current_path() const;

    // The walking rules, once per update.
    void walk_penguins(int elapsed_ms);
    void update_cows(int elapsed_ms);
    static void update_actors(std::deque<Actor>& actors, int elapsed_ms);
    void update_fires(int elapsed_ms);

    // Player commands on a square, and the popup that offers them.
    void apply_command(PopupCommand command, int column, int row);
    void open_command_popup();
    // The square under the player's cursor.
    void cursor_square(int& column, int& row) const;

    // Draws the level as it is and changes nothing.
    void draw() override;
    // What draws it, for another field on the same ground (the editor's).
    const LevelView& view() const { return view_; }
    // Once per drawn frame, after the drawing, whatever the frame's length:
    // a won level circles the view and keeps no popup open.
    void end_frame();
    void update(int elapsed_ms) override;
    bool handle_key(int key, bool released) override;
    bool is_active() const override { return true; }

    // h: the next command of a solution from here, searched off the frame
    // loop; the answer shows on the hint line, which says it until the field
    // changes.
    void ask_hint();
    const std::string& hint_text() const { return hint_text_; }

    // How many times faster than real time the level runs: held f fast-forwards.
    int time_scale() const { return fast_forward ? fast_forward_scale : 1; }
    static constexpr int fast_forward_scale = 4;

    bool quit_requested = false;
    bool popup_open = false;
    std::unique_ptr<Popup> popup;  // the one open, if any
    std::unique_ptr<Terrain> terrain;
    Orbit orbit{1.0f, 4.74f, 800, 0, 0, 0};
    int level_number = 0;
    std::string level_name;  // as the level file gives it; empty without a name= line
    LevelRun run;
    int hint_index = 0;
    bool fast_forward = false;
    // Winning a level reaches the next; Page Up and Page Down move within
    // what has been reached. Saving it is the caller's business.
    LevelProgress progress;

private:
    GameAssets& assets_;
    LevelView view_;  // after the terrain: its pictures take the pool textures after the ground's

    void start_current_level();
    void note_won();
    // Penguins standing where the rules keep them for good.
    int penguins_stuck() const;
    void step_level(int step);
    void close_popup();
    // Replaces any popup left open with a new, empty one.
    Popup& open_popup();
    void move_cursor(int arrow_key);
    // Shows a hint for the field as it is now; say_hint prints it too.
    void show_hint(const std::string& text);
    void say_hint(const std::string& text);
    void follow_hint();

    std::unique_ptr<HintSearch> hint_search_;
    std::string hint_text_;
    bool hint_says_wait_ = false;
    // The field and penguin count the hint was given for.
    Grid hint_grid_;
    std::size_t hint_penguins_ = 0;

    std::string only_file_;  // the one level file played, when not the sequence

    // Names handed to activated penguins alternate "Gus" and "Penguin" across
    // every level this Level plays: the game's whole run.
    const char* next_penguin_name();
    int penguins_named_ = 0;
};

}  // namespace floebound
