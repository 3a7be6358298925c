#pragma once

#include "app/records.h"
#include "app/scene.h"
#include "scenes/level_catalogue.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace floebound {

class Fonts;
class Level;
class Profile;

// Play: the level, and over it the caption of a level just started and the
// result of a win. It keeps the records and the saved progress up to date,
// and l opens the level select while no popup is open.
class PlayScene : public Scene {
public:
    PlayScene(Level& level, Fonts& fonts, Profile& profile, Records& records,
              const std::vector<CatalogueEntry>& catalogue, int furthest_saved,
              std::function<void()> open_level_select);

    // A try of the level the editor makes, already loaded into the level:
    // the same rules, HUD and hint key, but nothing goes into the records or
    // the progress, and escape with no popup open ends it (on the release,
    // as the quit question would open) instead of asking to quit.
    static std::unique_ptr<PlayScene> trial(Level& level, Fonts& fonts);

    void draw() override;
    void update(int elapsed_ms) override;
    void handle_key(int key, bool released) override;
    bool is_done() const override { return done_; }
    int time_scale() const override;
    bool ends_game() const override;

    // Saves the furthest level reached once it has moved on. Asked after
    // every frame whatever is on top, so that a level asked for on the
    // command line is saved while the intro still shows.
    void save_progress();

    // How long a level's caption shows once it starts.
    static constexpr int caption_ms = 2000;

private:
    void notice_start();
    void notice_win();
    std::optional<int> proven_best() const;

    PlayScene(Level& level, Fonts& fonts);

    Level& level_;
    Fonts& fonts_;
    // None in a trial.
    Profile* profile_ = nullptr;
    Records* records_ = nullptr;
    const std::vector<CatalogueEntry>* catalogue_ = nullptr;
    int furthest_saved_ = 0;
    std::function<void()> open_level_select_;
    bool trial_ = false;
    bool done_ = false;

    int seen_start_ = 0;
    int caption_left_ms_ = 0;
    std::string caption_;
    bool win_noted_ = false;
    std::string victory_line_;
    bool new_best_ = false;
};

}  // namespace floebound
