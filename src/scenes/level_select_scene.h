#pragma once

#include "app/records.h"
#include "app/scene.h"
#include "scenes/level_catalogue.h"

#include <functional>
#include <set>
#include <vector>

namespace floebound {

class Fonts;

// Every level as a tile: its number, name, a small picture of its field and
// how it stands, the player's own levels after the shipped ones. Arrows and
// Page Up / Page Down move the cursor, space or return plays a level reached
// (through choose), escape or l goes back; n makes a new level and e edits
// the level under the cursor (a copy of a shipped one), in the editor that
// opens over this screen.
class LevelSelectScene : public Scene {
public:
    struct Editing {
        std::function<void()> new_level;
        std::function<void(int)> edit_level;
    };

    LevelSelectScene(const std::vector<CatalogueEntry>& catalogue, const Records& records, int furthest,
                     int current, Fonts& fonts, std::function<void(int)> choose, Editing editing = {});

    void draw() override;
    void update(int) override {}
    void handle_key(int key, bool released) override;
    bool is_done() const override { return done_; }

private:
    int on_list(int index) const;
    void draw_tile(const CatalogueEntry& entry, int x, int y, bool under_cursor) const;
    void draw_footer() const;

    const std::vector<CatalogueEntry>& catalogue_;
    const Records& records_;
    int furthest_;
    Fonts& fonts_;
    std::function<void(int)> choose_;
    Editing editing_;
    int cursor_;
    bool done_ = false;
    // Keys pressed while this screen was up: the release of the l that
    // opened it is not the l that closes it.
    std::set<int> pressed_;
};

}  // namespace floebound
