#include "game_session.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A copy of the game folder's tree whose files link to the generated ones,
// except those changed.
void link_tree(const std::string& top, const std::string& to,
               const std::map<std::string, std::optional<std::string>>& changed) {
    namespace fs = std::filesystem;
    const fs::path game_dir = FLOEBOUND_GAME_DIR;
    fs::create_directories(fs::path(to) / top);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game_dir / top)) {
        const fs::path relative = entry.path().lexically_relative(game_dir);
        const fs::path copy = fs::path(to) / relative;
        const auto change = changed.find(relative.string());
        if (entry.is_directory())
            fs::create_directories(copy);
        else if (change == changed.end())
            fs::create_symlink(entry.path(), copy);
        else if (change->second)
            std::ofstream(copy, std::ios::binary) << *change->second;
    }
}

}  // namespace

GameSession::GameSession(const Options& options)
    : key_pause_ms_(options.key_pause_ms), x_(options.screen_width, options.screen_height, options.x_server_args) {
    const std::string game_dir = FLOEBOUND_GAME_DIR;
    if (!options.changed_files.empty()) {
        link_tree("models", dir_.path(), options.changed_files);
        link_tree("data", dir_.path(), options.changed_files);
    } else if (options.only_data) {
        symlink((game_dir + "/models").c_str(), (dir_.path() + "/models").c_str());
        mkdir((dir_.path() + "/data").c_str(), 0755);
        for (const std::string& file : *options.only_data)
            symlink((game_dir + "/data/" + file).c_str(), (dir_.path() + "/data/" + file).c_str());
    } else {
        symlink((game_dir + "/models").c_str(), (dir_.path() + "/models").c_str());
        symlink((game_dir + "/data").c_str(), (dir_.path() + "/data").c_str());
    }
    if (options.screensize_txt) dir_.write_file("screensize.txt", *options.screensize_txt);

    // Held keys must not repeat: a held key is one press and one release.
    run_command({"xset", "r", "off"}, x_env());
    std::string home = options.home.value_or(dir_.path() + "/home");
    mkdir(home.c_str(), 0755);
    std::map<std::string, std::string> env = {{"DISPLAY", x_.display()}, {"SDL_AUDIODRIVER", "dummy"},
                                              {"HOME", home}, {"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", ""}};
    for (const auto& [name, value] : options.env) env[name] = value;
    std::vector<std::string> argv = {FLOEBOUND_GAME_BINARY};
    if (options.working_dir) argv.insert(argv.end(), {"--data", dir_.path()});
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    game_ = std::make_unique<ChildProcess>(argv, options.working_dir.value_or(dir_.path()), env);
}

std::string GameSession::find_window(int timeout_ms) {
    CommandResult found = run_command({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^Floebound by Kelpworks$"},
                                      x_env(), std::chrono::milliseconds(timeout_ms));
    if (found.status != 0) return "";
    std::istringstream ids(found.output);
    std::string first;
    ids >> first;
    return first;
}

std::string GameSession::window_size(const std::string& window) {
    CommandResult geometry = run_command({"xdotool", "getwindowgeometry", window}, x_env());
    std::smatch match;
    static const std::regex size_line("Geometry: (\\d+x\\d+)");
    return std::regex_search(geometry.output, match, size_line) ? match[1].str() : geometry.output;
}

bool GameSession::key(const std::string& name) { return xdotool_key("key", name); }
bool GameSession::key_down(const std::string& name) { return xdotool_key("keydown", name); }
bool GameSession::key_up(const std::string& name) { return xdotool_key("keyup", name); }

bool GameSession::leave_intro() {
    for (int screen = 0; screen < 4; ++screen)
        if (!key("space")) return false;
    return true;
}

bool GameSession::xdotool_key(const char* action, const std::string& name) {
    const bool sent = run_command({"xdotool", action, name}, x_env()).status == 0;
    usleep(key_pause_ms_ * 1000);
    return sent;
}

std::array<int, 3> GameSession::Screenshot::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

GameSession::Screenshot GameSession::screenshot() {
    const std::string path = dir_.path() + "/screenshot.ppm";
    Screenshot shot;
    if (run_command({"import", "-window", "root", "-depth", "8", "ppm:" + path}, x_env()).status != 0) return shot;

    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max_value = 0;
    in >> magic >> shot.width >> shot.height >> max_value;
    in.get();
    if (magic != "P6" || max_value != 255 || shot.width <= 0 || shot.height <= 0) return Screenshot{};
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    if (!in) return Screenshot{};
    return shot;
}
