#pragma once

#include <string>

namespace floebound {

// The game folder: the one holding data/ and models/. Every path the game
// names for its own files ("data/field.png") is relative to it, and console
// lines name them so; the loaders turn them into paths to open here.
//
// Process-wide and written once, by main before anything loads: loaders in
// every layer open through it, as they all opened through the working
// directory before it was configurable.
void set_game_folder(std::string folder);

// The path to open for a path the game names: absolute paths and every path
// while the folder is the working directory (the default, "") stay as they
// are; others are taken inside the folder.
std::string game_file(const char* path);

// Which folder the player asked for: the --data value when given, else the
// FLOEBOUND_DATA variable when set and not empty, else "" for the working
// directory.
std::string chosen_game_folder(const std::string& data_option, const char* data_variable);

// Empty when `folder` (not "") holds a data/ folder; else why it cannot be
// the game folder, for the player.
std::string game_folder_problem(const std::string& folder);

}  // namespace floebound
