#include "app/command_line.h"

#include "app/version.h"

#include <cstdlib>
#include <cstring>

namespace floebound {

const char* const usage_text =
    "Usage: floebound [--windowed] [--data DIR] [--level N | FILE | --edit FILE]\n"
    "Penguins drop onto the field and walk on their own; steer them with goat\n"
    "squares until eight stand on the cow and tip it over.\n"
    "\n"
    "Options:\n"
    "  --windowed   start in a window instead of full screen\n"
    "  --level N    start at level N (1 is the first)\n"
    "  FILE         play this one level file (for people who write levels)\n"
    "  --edit FILE  make or change the level in FILE in the level editor (a new,\n"
    "               empty field when FILE does not exist)\n"
    "  --data DIR   the game folder, holding data/ and models/ (else $FLOEBOUND_DATA,\n"
    "               else the current folder)\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "\n"
    "Keys:\n"
    "  arrow keys        move the cursor over the field\n"
    "  space, return     open the menu for the square; choose in a menu; next level once won\n"
    "  left, right       move the highlight in a menu\n"
    "  escape            close a menu; ask whether to quit\n"
    "  w, s, a, d, [, ]  tilt, turn and zoom the camera\n"
    "  h                 a hint: the next move of a way to win from here\n"
    "  f (hold)          fast forward: the penguins walk four times as fast\n"
    "  page up, down     previous level, next level reached\n"
    "  l                 choose a level: every level, what you solved and the best possible\n"
    "  tab               skip the level\n"
    "  m                 sound on or off\n"
    "  F11               window or full screen\n"
    "  F12               show or hide the frame rate\n"
    "\n"
    "In the level editor (--edit, or n and e in the level select):\n"
    "  0 to 8, space     set the square's kind, or choose it from a menu\n"
    "  tab, -, +         choose a supply, one less, one more\n"
    "  n, u, r           name the level, undo, redo\n"
    "  h, p, s           the solution's next square, play the level, save it\n"
    "  x                 tilt the camera down (s saves)\n"
    "\n"
    "Progress and settings are kept in $XDG_DATA_HOME/floebound/\n"
    "(~/.local/share/floebound/ when XDG_DATA_HOME is not set).\n";

const std::string version_text = std::string("floebound ") + version + "\n";

namespace {

// A level number from 1 up, in plain digits; anything else, including a
// number too large for the game to count to, is refused.
bool parse_level_number(const char* text, int& level) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > 9) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    level = std::atoi(text);
    return level >= 1;
}

// Whether argv[i] is the option `name`, alone or joined to its value by "=".
// If so, `value` is that value, or the next argument (then taken, moving i
// on), or null when none follows.
bool take_option(const char* name, int argc, const char* const* argv, int& i, const char*& value) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(argv[i], name, length) != 0) return false;
    if (argv[i][length] == '=') {
        value = argv[i] + length + 1;
        return true;
    }
    if (argv[i][length] != '\0') return false;
    value = i + 1 < argc ? argv[++i] : nullptr;
    return true;
}

}  // namespace

bool parse_command_line(int argc, const char* const* argv, CommandLine& parsed, std::string& error) {
    bool options_ended = false;
    const char* value = nullptr;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && argument == "--help") {
            parsed.help = true;
        } else if (!options_ended && argument == "--version") {
            parsed.version = true;
        } else if (!options_ended && argument == "--windowed") {
            parsed.windowed = true;
        } else if (!options_ended && take_option("--level", argc, argv, i, value)) {
            if (!value) {
                error = "--level needs a level number";
                return false;
            }
            if (!parse_level_number(value, parsed.level)) {
                error = std::string("--level takes a level number from 1 up, not \"") + value + "\"";
                return false;
            }
        } else if (!options_ended && take_option("--data", argc, argv, i, value)) {
            if (!value || !value[0]) {
                error = "--data needs a folder";
                return false;
            }
            parsed.data = value;
        } else if (!options_ended && take_option("--edit", argc, argv, i, value)) {
            if (!value || !value[0]) {
                error = "--edit needs a level file";
                return false;
            }
            if (!parsed.edit_file.empty()) {
                error = "only one level file can be edited at a time";
                return false;
            }
            parsed.edit_file = value;
        } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return false;
        } else if (argument.empty()) {
            error = "a level file's name cannot be empty";
            return false;
        } else if (!parsed.level_file.empty()) {
            error = "only one level file can be played at a time";
            return false;
        } else {
            parsed.level_file = argument;
        }
    }
    if (parsed.level && !parsed.level_file.empty()) {
        error = "give either --level or a level file, not both";
        return false;
    }
    if (!parsed.edit_file.empty() && (parsed.level || !parsed.level_file.empty())) {
        error = "--edit opens the editor: give it without --level or a level file to play";
        return false;
    }
    return true;
}

}  // namespace floebound
