#include "app/profile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace floebound {

namespace {

// A profile file holds a line or two; anything larger is not ours.
constexpr std::size_t max_profile_bytes = 4096;

bool set(const char* variable) { return variable && *variable; }

// The digits of a whole value: optional minus, then 1 to 9 digits.
bool parse_value(const std::string& text, long& value) {
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (text.size() == i || text.size() - i > 9) return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

ProfileNumber damaged(std::string problem) {
    ProfileNumber result;
    result.status = ProfileNumber::damaged;
    result.problem = std::move(problem);
    return result;
}

bool make_folders(const std::string& folder, std::string& error) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

}  // namespace

std::optional<std::string> read_small_file(const std::string& path, std::size_t max_bytes, std::string& problem) {
    problem.clear();
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) problem = std::strerror(errno);
        return std::nullopt;
    }
    // A FIFO would block the game, a device never end.
    if (!S_ISREG(info.st_mode)) {
        problem = "not a regular file";
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > max_bytes) {
        problem = "too large";
        return std::nullopt;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    // One byte more than allowed tells a file that grew since the check.
    std::string contents(max_bytes + 1, '\0');
    const std::size_t length = std::fread(contents.data(), 1, contents.size(), file);
    const bool failed = std::ferror(file);
    std::fclose(file);
    if (failed) {
        problem = "unreadable";
        return std::nullopt;
    }
    if (length > max_bytes) {
        problem = "too large";
        return std::nullopt;
    }
    contents.resize(length);
    return contents;
}

std::string profile_folder(const char* xdg_data_home, const char* home) {
    if (set(xdg_data_home)) return std::string(xdg_data_home) + "/floebound";
    if (set(home)) return std::string(home) + "/.local/share/floebound";
    return "";
}

ProfileNumber read_profile_number(const std::string& path, const char* key, int min, int max) {
    ProfileNumber result;
    std::string problem;
    const std::optional<std::string> read = read_small_file(path, max_profile_bytes, problem);
    if (!read) return problem.empty() ? result : damaged(problem);
    const std::string& contents = *read;
    if (contents.empty()) return damaged("empty");
    if (contents.find('\0') != std::string::npos) return damaged("not text");

    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        std::string line = contents.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) return damaged("not \"key=value\" lines");
        if (line.compare(0, equals, key) != 0 || equals != std::strlen(key)) continue;
        long value = 0;
        if (!parse_value(line.substr(equals + 1), value) || value < min || value > max)
            return damaged(std::string(key) + " is not a number from " + std::to_string(min) + " to " +
                           std::to_string(max));
        result.status = ProfileNumber::found;
        result.value = static_cast<int>(value);
    }
    if (result.status != ProfileNumber::found) return damaged(std::string("no ") + key);
    return result;
}

bool write_file_atomically(const std::string& folder, const std::string& name, const std::string& text,
                           std::string& error) {
    if (folder.empty()) {
        error = "no home folder";
        return false;
    }
    if (!make_folders(folder, error)) return false;

    std::string temporary = folder + "/." + name + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = folder + ": " + std::strerror(errno);
        return false;
    }
    // write() may take a part at a time (a signal, a nearly full disk).
    errno = 0;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) break;
        done += static_cast<std::size_t>(wrote);
    }
    const bool written = done == text.size() && fsync(fd) == 0;
    const int write_errno = errno ? errno : EIO;
    const bool closed = close(fd) == 0;
    const std::string path = folder + "/" + name;
    if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(written && closed ? errno : write_errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

namespace {

std::string number_line(const char* key, int value) { return std::string(key) + "=" + std::to_string(value) + "\n"; }

}  // namespace

bool write_profile_number(const std::string& folder, const char* name, const char* key, int value,
                          std::string& error) {
    return write_file_atomically(folder, name, number_line(key, value), error);
}

ProfileNumber Profile::read(const char* name, const char* key, int min, int max) const {
    if (folder_.empty()) return {};
    const ProfileNumber number = read_profile_number(path_of(name), key, min, max);
    if (number.status == ProfileNumber::damaged)
        std::printf("Ignoring %s: %s\n", path_of(name).c_str(), number.problem.c_str());
    return number;
}

Records Profile::read_records() const {
    if (folder_.empty()) return {};
    const std::string path = path_of(records_file);
    std::string problem;
    const std::optional<std::string> text = read_small_file(path, max_records_bytes, problem);
    std::optional<Records> records = text ? parse_records(*text, problem) : std::nullopt;
    if (!records && !problem.empty()) std::printf("Ignoring %s: %s\n", path.c_str(), problem.c_str());
    return records ? std::move(*records) : Records{};
}

void Profile::save(const char* name, const char* key, int value) {
    save_text(name, number_line(key, value));
}

void Profile::save_text(const char* name, const std::string& text) {
    std::string error;
    if (write_file_atomically(folder_, name, text, error) || save_failure_reported_) return;
    std::printf("Couldn't save %s: %s\n", name, error.c_str());
    save_failure_reported_ = true;
}

}  // namespace floebound
