#pragma once

#include <string>
#include <vector>

// Every file the game keeps in the player's profile folder, and how to tell
// that one holds a whole file as the game writes it, never a part of one. A
// new profile file is one more entry in profile_files.
struct ProfileFile {
    const char* name;
    bool (*is_whole)(const std::string& path);
};

extern const std::vector<ProfileFile> profile_files;

// The profile folder for a home folder, as the game finds it with no
// XDG_DATA_HOME.
std::string profile_folder_in(const std::string& home);

// What is wrong with the profile files in folder, one line each, or empty:
// each is missing or whole.
std::string profile_problems(const std::string& folder);
