#include "editor/level_name.h"

#include "puzzle/level_file.h"

#include <limits>

namespace floebound {

std::string name_problem(const std::string& name) {
    for (const char c : name) {
        if (c == '/') return "a name cannot hold a slash: it names the level's file";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "a name cannot hold control characters";
    }
    if (!name.empty() && name[0] == '.') return "a name cannot start with a dot: its file would be hidden";
    if (name.size() > max_name_characters)
        return "a name holds at most " + std::to_string(max_name_characters) + " characters";
    return "";
}

std::string editable_name(const std::string& raw) {
    std::string name = printable_level_name(raw, std::numeric_limits<std::size_t>::max());
    if (name.size() > max_name_characters) name.resize(max_name_characters);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string level_file_name(const std::string& name) { return name + ".txt"; }

}  // namespace floebound
