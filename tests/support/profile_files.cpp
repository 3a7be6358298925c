#include "profile_files.h"

#include "app/profile.h"
#include "app/records.h"
#include "process.h"

#include <filesystem>

using namespace floebound;

namespace {

// Exactly the line the game writes for the value that the game reads from it.
bool number_file_is_whole(const std::string& path, const char* key, int min, int max) {
    const ProfileNumber number = read_profile_number(path, key, min, max);
    return number.status == ProfileNumber::found &&
           read_file(path) == std::string(key) + "=" + std::to_string(number.value) + "\n";
}

// Records that read back and write out as the very same text.
bool records_file_is_whole(const std::string& path) {
    std::string problem;
    const std::string text = read_file(path);
    const std::optional<Records> records = parse_records(text, problem);
    return records && records_text(*records) == text;
}

}  // namespace

const std::vector<ProfileFile> profile_files = {
    {progress_file, [](const std::string& path) { return number_file_is_whole(path, progress_key, 1, 1000000000); }},
    {settings_file, [](const std::string& path) { return number_file_is_whole(path, mute_key, 0, 1); }},
    {records_file, records_file_is_whole},
};

std::string profile_folder_in(const std::string& home) { return profile_folder(nullptr, home.c_str()); }

std::string profile_problems(const std::string& folder) {
    std::string problems;
    for (const ProfileFile& file : profile_files) {
        const std::string path = folder + "/" + file.name;
        if (std::filesystem::exists(path) && !file.is_whole(path))
            problems += path + " is not whole: \"" + read_file(path) + "\"\n";
    }
    return problems;
}
