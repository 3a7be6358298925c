#pragma once

#include "app/records.h"
#include "app/scene.h"
#include "scenes/level_catalogue.h"

#include <functional>
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

    void draw() override;
    void update(int elapsed_ms) override;
    void handle_key(int key, bool released) override;
    bool is_done() const override { return false; }
    int time_scale() const override;
    bool ends_game() const override;

    // How long a level's caption shows once it starts.
    static constexpr int caption_ms = 2000;

private:
    void notice_start();
    void notice_win();
    std::optional<int> proven_best() const;

    Level& level_;
    Fonts& fonts_;
    Profile& profile_;
    Records& records_;
    const std::vector<CatalogueEntry>& catalogue_;
    int furthest_saved_;
    std::function<void()> open_level_select_;

    int seen_start_ = 0;
    int caption_left_ms_ = 0;
    std::string caption_;
    bool win_noted_ = false;
    std::string victory_line_;
    bool new_best_ = false;
};

}  // namespace floebound
