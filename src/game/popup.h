#pragma once

#include "app/renderable.h"
#include "media/image.h"

#include <vector>

namespace floebound {

struct GameAssets;

// Every command the player can give through a popup.
enum class PopupCommand : int {
    close = 0,
    clear = 1,
    goat_cw = 2,
    goat_ccw = 3,
    penguin = 4,
    skateboard = 5,
    restart = 6,
    quit_yes = 7,
    quit_no = 8,
};

constexpr int popup_command_count = 9;

// Unselected and selected picture of each command, shared by all popups:
// entry 2 * command for the unselected one, 2 * command + 1 for the selected.
// Released with the table; their textures stay with the pool.
struct PopupPictures {
    // Loads the table when the unselected close picture is missing: the
    // first popup made loads it, and a later one tries again while that
    // picture is still missing.
    void load_unless_loaded();

    ImageHandle images[2 * popup_command_count];
};

// A row of picture buttons, one highlighted, through which the player gives a
// command. It knows nothing of the game: its owner fills it, passes it keys,
// and reads the chosen command once it is no longer active.
class Popup : public Renderable {
public:
    explicit Popup(GameAssets& assets);

    void add_entry(PopupCommand command);
    // The highlighted entry's command; asked once the popup has closed.
    PopupCommand selected_command() const;

    void draw() override;
    void update(int) override {}
    // Return and space confirm on the press; escape (closing with "close")
    // and the arrows act on the release.
    bool handle_key(int key, bool released) override;
    bool is_active() const override { return active; }

    std::vector<PopupCommand> entries;  // in display order
    int selected = 0;
    bool active = true;

private:
    GameAssets& assets_;
};

}  // namespace floebound
