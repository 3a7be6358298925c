#include "app/records.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace floebound {

namespace {

// The figures a game can reach, with room to spare: more would be a damaged
// file, not a record.
constexpr int max_goats = 64;
constexpr int max_penguins = 1'000'000;
constexpr int max_time_ms = 1'000'000'000;

// "key=N" at text[pos] with N from 0 to max in plain digits, then one space;
// pos moves past it.
bool take_figure(const std::string& text, std::size_t& pos, const char* key, int max, int& value) {
    const std::size_t key_length = std::strlen(key);
    if (text.compare(pos, key_length, key) != 0 || text.compare(pos + key_length, 1, "=") != 0) return false;
    std::size_t i = pos + key_length + 1;
    const std::size_t first_digit = i;
    long long number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - first_digit < 10)
        number = number * 10 + (text[i++] - '0');
    if (i == first_digit || number > max || i >= text.size() || text[i] != ' ') return false;
    value = static_cast<int>(number);
    pos = i + 1;
    return true;
}

std::optional<std::pair<std::string, LevelResult>> parse_line(const std::string& line) {
    LevelResult result;
    std::size_t pos = 0;
    if (!take_figure(line, pos, "goats", max_goats, result.goats) ||
        !take_figure(line, pos, "dropped", max_penguins, result.dropped) ||
        !take_figure(line, pos, "lost", max_penguins, result.lost) ||
        !take_figure(line, pos, "time_ms", max_time_ms, result.time_ms) || line.compare(pos, 6, "level=") != 0)
        return std::nullopt;
    const std::string level = line.substr(pos + 6);
    if (level.empty() || result.lost > result.dropped) return std::nullopt;
    for (const char c : level)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
    return std::make_pair(level, result);
}

LevelResult better_of(const LevelResult& a, const LevelResult& b) {
    const bool a_cleaner = a.lost != b.lost ? a.lost < b.lost : a.goats <= b.goats;
    const LevelResult& cleaner = a_cleaner ? a : b;
    return {cleaner.goats, std::min(a.dropped, b.dropped), cleaner.lost, std::min(a.time_ms, b.time_ms)};
}

}  // namespace

std::optional<Records> parse_records(const std::string& text, std::string& problem) {
    if (text.find('\0') != std::string::npos) {
        problem = "not text";
        return std::nullopt;
    }
    Records records;
    int line_number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const auto record = parse_line(line);
        if (!record) {
            problem = "line " + std::to_string(line_number) + " is not a record";
            return std::nullopt;
        }
        const auto [known, added] = records.emplace(record->first, record->second);
        if (!added) known->second = better_of(known->second, record->second);
    }
    return records;
}

std::string records_text(const Records& records) {
    std::string text;
    for (const auto& [level, result] : records)
        text += "goats=" + std::to_string(result.goats) + " dropped=" + std::to_string(result.dropped) +
                " lost=" + std::to_string(result.lost) + " time_ms=" + std::to_string(result.time_ms) +
                " level=" + level + "\n";
    return text;
}

bool add_win(Records& records, const std::string& level, const LevelResult& result) {
    // Past the caps a record would not read back; no real win comes near them.
    LevelResult win = result;
    win.goats = std::clamp(win.goats, 0, max_goats);
    win.dropped = std::clamp(win.dropped, 0, max_penguins);
    win.lost = std::clamp(win.lost, 0, win.dropped);
    win.time_ms = std::clamp(win.time_ms, 0, max_time_ms);
    const auto [known, added] = records.emplace(level, win);
    if (added) return false;
    const LevelResult before = known->second;
    known->second = better_of(before, win);
    return !(known->second == before);
}

}  // namespace floebound
