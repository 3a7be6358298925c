#include "editor/level_name.h"

#include "puzzle/level_file.h"

#include <limits>

namespace floebound {

namespace {

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

}  // namespace

std::size_t character_count(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) count += !is_continuation_byte(c);
    return count;
}

std::string name_problem(const std::string& name) {
    for (const char c : name) {
        if (c == '/') return "a name cannot hold a slash: it names the level's file";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "a name cannot hold control characters";
    }
    if (!name.empty() && name[0] == '.') return "a name cannot start with a dot: its file would be hidden";
    if (character_count(name) > max_name_characters)
        return "a name holds at most " + std::to_string(max_name_characters) + " characters";
    return "";
}

std::string editable_name(const std::string& raw) {
    std::string name = printable_level_name(raw, std::numeric_limits<std::size_t>::max());
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (is_continuation_byte(name[i])) continue;
        if (++characters > max_name_characters) {
            name.resize(i);
            break;
        }
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string level_file_name(const std::string& name) { return name + ".txt"; }

}  // namespace floebound
