#pragma once

#include <cstddef>
#include <string>

namespace floebound {

// A level's name is shown in the level select and, in the player's own
// levels folder, names its file: so it fits on a line, and holds nothing a
// file name cannot. It is printable ASCII: it is typed from key codes, and a
// name read from a file comes through printable_level_name.
constexpr std::size_t max_name_characters = 40;

// Why the name cannot be a level's, in words for the editor's help line, or
// empty when it can: a slash, a control character, a dot first (a hidden
// file), or more than max_name_characters characters.
std::string name_problem(const std::string& name);

// A name read from a file, fit to edit: printable_level_name's form, with
// anything past max_name_characters cut off.
std::string editable_name(const std::string& raw);

// The file a level of this name is saved as in the player's levels folder.
std::string level_file_name(const std::string& name);

}  // namespace floebound
