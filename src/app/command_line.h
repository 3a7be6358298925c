#pragma once

#include <string>

namespace floebound {

// What the player asked for on the command line.
struct CommandLine {
    bool help = false;
    bool version = false;
    bool windowed = false;
    int level = 0;           // --level N, counted from 1 as the HUD shows it; 0 when not given
    std::string level_file;  // a single level file to play, when given
    std::string edit_file;   // --edit FILE, the level file to make or change in the editor
    std::string data;        // --data DIR, the game folder, when given
};

// Reads the arguments after the program name: --help, --version, --windowed,
// --level N (or --level=N), --data DIR (or --data=DIR; the last one counts),
// --edit FILE (or --edit=FILE) and at most one level file; --edit goes with
// neither a level nor a level file. False with a message
// for the player on anything else; range checks that need the game folder
// are the caller's.
bool parse_command_line(int argc, const char* const* argv, CommandLine& parsed, std::string& error);

// The --help text: the options and the keys.
extern const char* const usage_text;

// The --version line: the program and the release it is.
extern const std::string version_text;

}  // namespace floebound
