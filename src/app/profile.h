#pragma once

#include "app/records.h"

#include <cstddef>
#include <optional>
#include <string>

namespace floebound {

// A player's own files: the furthest level reached and the settings, each a
// small "key=value" text file in the profile folder. Reading never trusts the
// file; writing goes through a temporary file and a rename, so a crash or a
// full disk never leaves half a file behind.

// $XDG_DATA_HOME/floebound, else $HOME/.local/share/floebound; empty when
// neither variable is set (or set but empty), and nothing is saved then.
std::string profile_folder(const char* xdg_data_home, const char* home);

// The whole of a small regular file. Nothing, with problem empty, when it
// does not exist; nothing, with the reason in problem, when it is no regular
// file, holds more than max_bytes or cannot be read.
std::optional<std::string> read_small_file(const std::string& path, std::size_t max_bytes, std::string& problem);

struct ProfileNumber {
    enum Status { missing, found, damaged } status = missing;
    int value = 0;
    std::string problem;  // why a damaged file was refused
};

// The value of "key=N" in a file of at most a few kilobytes of text lines.
// Lines with other keys are ignored; N outside min..max, a missing key, a
// line that is not "key=value", a NUL byte or an oversized file make the
// file damaged. A file that does not exist is missing.
ProfileNumber read_profile_number(const std::string& path, const char* key, int min, int max);

// Writes text as the whole file folder/name through a temporary file in the
// same folder and a rename, creating the folder (and its parents) when
// needed. False with the reason in error when anything failed; the old file
// is then left as it was.
bool write_file_atomically(const std::string& folder, const std::string& name, const std::string& text,
                           std::string& error);

// Writes "key=N\n" as the whole file, creating the folder (and its parents)
// when needed. False with the reason in error when anything failed; the old
// file is then left as it was.
bool write_profile_number(const std::string& folder, const char* name, const char* key, int value,
                          std::string& error);

// The profile as the game uses it: where it is, and saving that says once
// when it cannot.
class Profile {
public:
    explicit Profile(std::string folder) : folder_(std::move(folder)) {}

    const std::string& folder() const { return folder_; }
    std::string path_of(const char* name) const { return folder_ + "/" + name; }

    // Reads a number, printing one console line when the file is damaged.
    ProfileNumber read(const char* name, const char* key, int min, int max) const;
    // The records, none when there are none; a damaged file gives none
    // too, with the same console line.
    Records read_records() const;
    // Saves a number; the first failure is reported on the console, later
    // ones quietly, so a read-only home does not flood it.
    void save(const char* name, const char* key, int value);
    // Saves a whole file's text, reporting as save does.
    void save_text(const char* name, const std::string& text);

private:
    std::string folder_;
    bool save_failure_reported_ = false;
};

// The files of the profile.
constexpr const char* progress_file = "progress.txt";
constexpr const char* progress_key = "furthest_level";
constexpr const char* settings_file = "settings.txt";
constexpr const char* mute_key = "mute";
constexpr const char* records_file = "records.txt";

}  // namespace floebound
