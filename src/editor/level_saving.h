#pragma once

#include "editor/level_document.h"

#include <optional>
#include <string>

namespace floebound {

// Where the editor saves a level: a file named on the command line, or the
// player's own levels folder, where a level's file takes its name when it is
// first saved and keeps that file from then on.
struct SaveTarget {
    std::string folder;
    std::string file;  // empty until a level in the levels folder is first saved
};

// $XDG_DATA_HOME/floebound/levels and the like: the profile folder's
// "levels"; empty without a profile folder.
std::string player_levels_folder(const std::string& profile_folder);

SaveTarget target_in_folder(const std::string& levels_folder);
SaveTarget target_for_file(const std::string& path);

// The target for a file opened with --edit: the file itself, unless it lies
// in the folder the shipped levels come from; those are never written over,
// and the level goes into the levels folder instead, as a copy would.
SaveTarget edit_target(const std::string& path, const std::string& shipped_folder, const std::string& levels_folder);

// The name, or "name 2", "name 3" and so on: the first no level in the
// levels folder has taken, cut to fit a name's length.
std::string unused_level_name(const std::string& levels_folder, const std::string& name);

// Writes the document's file through a temporary file and a rename. In the
// levels folder the first save names the file after the level and refuses
// a name whose file is already there (another level's). False with the
// reason, for the help line, when anything failed: the old file is then as
// it was, no temporary file is left, and target is unchanged.
bool save_document(const LevelDocument& document, SaveTarget& target, std::string& error);

// Why the file cannot be opened in the editor, in words for the player, or
// empty when it can: a folder, FIFO or device, or a file that cannot be
// read. A file that is not there is a new level, to be saved there.
std::string edit_file_problem(const std::string& path);

// The level in the file, read by the format's rules; a new level when the
// file is not there; nothing when it is there and cannot be read.
std::optional<LevelDocument> open_document(const std::string& path);

}  // namespace floebound
