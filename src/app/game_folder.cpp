#include "app/game_folder.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/stat.h>

namespace floebound {

namespace {

std::string game_folder;

}  // namespace

void set_game_folder(std::string folder) { game_folder = std::move(folder); }

std::string game_file(const char* path) {
    if (game_folder.empty() || path[0] == '/') return path;
    return game_folder + '/' + path;
}

std::string chosen_game_folder(const std::string& data_option, const char* data_variable) {
    if (!data_option.empty()) return data_option;
    if (data_variable && data_variable[0]) return data_variable;
    return "";
}

std::string game_folder_problem(const std::string& folder) {
    struct stat info;
    const std::string data = folder + "/data";
    if (stat(data.c_str(), &info) != 0) return data + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return data + " is not a folder";
    return "";
}

}  // namespace floebound
