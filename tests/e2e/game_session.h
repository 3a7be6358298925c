#pragma once

#include "process.h"
#include "xserver.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The real game binary, started as a player would start it: in its own
// working directory (holding links to the generated assets and any settings
// file) on a private X screen.
class GameSession {
public:
    struct Options {
        int screen_width = 1024;
        int screen_height = 768;
        std::optional<std::string> screensize_txt;
        std::map<std::string, std::string> env;
        // When set, data/ holds only these of the generated files (paths
        // below data/) instead of all of them.
        std::optional<std::vector<std::string>> only_data;
        // The player's home folder; a fresh one inside the session when unset,
        // so saved progress never leaks between runs.
        std::optional<std::string> home;
        std::vector<std::string> args;
        // Generated files (paths below the game folder, as "data/sfx/drop.wav")
        // missing from the session's folder (no contents) or replaced.
        std::map<std::string, std::optional<std::string>> changed_files;
        // How long each key waits after it is sent, so that keys land in
        // different frames; a small screen draws its frames quicker.
        int key_pause_ms = 150;
        // Where the game starts, when not in the session's folder: it is then
        // told that folder with --data, as the installed launcher does.
        std::optional<std::string> working_dir;
        // The private X server's arguments beyond its screen.
        std::vector<std::string> x_server_args = {"-noreset"};
    };

    explicit GameSession(const Options& options);

    bool display_ok() const { return !x_.display().empty(); }
    const std::string& display() const { return x_.display(); }
    ChildProcess& game() { return *game_; }
    // The game's working directory.
    const std::string& folder() const { return dir_.path(); }

    // The X window id of the window titled "Floebound by Kelpworks", or empty
    // if none appears within the timeout.
    std::string find_window(int timeout_ms = 20000);
    // "WIDTHxHEIGHT" as the window system reports it.
    std::string window_size(const std::string& window);
    // Sends one key press and release, as X events.
    bool key(const std::string& name);
    bool key_down(const std::string& name);
    bool key_up(const std::string& name);
    // Steps through the four intro pictures into play.
    bool leave_intro();

    struct Screenshot {
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> rgb;
        std::array<int, 3> at(int x, int y) const;
    };
    // The whole screen as the X server shows it.
    Screenshot screenshot();

private:
    bool xdotool_key(const char* action, const std::string& name);
    std::map<std::string, std::string> x_env() const { return {{"DISPLAY", x_.display()}}; }

    int key_pause_ms_;
    XServer x_;
    ScratchDir dir_;
    std::unique_ptr<ChildProcess> game_;
};
