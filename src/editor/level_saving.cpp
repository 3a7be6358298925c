#include "editor/level_saving.h"

#include "app/profile.h"
#include "editor/level_name.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace floebound {

namespace {

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool same_folder(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

std::string player_levels_folder(const std::string& profile_folder) {
    return profile_folder.empty() ? "" : profile_folder + "/levels";
}

SaveTarget target_in_folder(const std::string& levels_folder) { return {levels_folder, ""}; }

SaveTarget target_for_file(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return {folder_of(path), slash == std::string::npos ? path : path.substr(slash + 1)};
}

SaveTarget edit_target(const std::string& path, const std::string& shipped_folder, const std::string& levels_folder) {
    if (same_folder(folder_of(path), shipped_folder)) return target_in_folder(levels_folder);
    return target_for_file(path);
}

std::string unused_level_name(const std::string& levels_folder, const std::string& name) {
    for (int number = 1;; ++number) {
        const std::string suffix = number == 1 ? "" : " " + std::to_string(number);
        std::string candidate = editable_name(name);
        if (candidate.size() + suffix.size() > max_name_characters)
            candidate.resize(max_name_characters - suffix.size());
        candidate = editable_name(candidate + suffix);
        struct stat there {};
        if (levels_folder.empty() || lstat((levels_folder + "/" + level_file_name(candidate)).c_str(), &there) != 0)
            return candidate;
    }
}

bool save_document(const LevelDocument& document, SaveTarget& target, std::string& error) {
    error = name_problem(document.name);
    if (!error.empty()) return false;
    if (target.folder.empty()) {
        error = "no home folder to keep levels in";
        return false;
    }
    std::string file = target.file;
    if (file.empty()) {
        if (document.name.empty()) {
            error = "give the level a name first (n): its file takes the name";
            return false;
        }
        file = level_file_name(document.name);
        struct stat there {};
        if (lstat((target.folder + "/" + file).c_str(), &there) == 0) {
            error = "a level named \"" + document.name + "\" is saved already: choose another name (n)";
            return false;
        }
    }
    // The temporary file is the owner's alone; the level keeps the modes its
    // file had, and a new one gets a level file's usual modes.
    const std::string path = target.folder + "/" + file;
    struct stat old {};
    const mode_t mode = stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : 0644;
    if (!write_file_atomically(target.folder, file, document_text(document), error)) return false;
    static_cast<void>(chmod(path.c_str(), mode));  // the level is saved either way
    target.file = file;
    return true;
}

std::string edit_file_problem(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return errno == ENOENT ? "" : std::strerror(errno);
    if (const char* reason = not_a_level_file(status.st_mode)) return reason;
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return std::strerror(errno);
    close(descriptor);
    return "";
}

std::optional<LevelDocument> open_document(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 && errno == ENOENT) return new_document();
    const std::optional<LevelFile> file = read_level_file(path.c_str());
    if (!file) return std::nullopt;
    return document_of(*file);
}

}  // namespace floebound
