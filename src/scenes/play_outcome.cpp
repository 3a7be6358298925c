#include "scenes/play_outcome.h"

#include <cstdio>

namespace floebound {

namespace {

std::string count_of(int n, const char* one, const char* many) {
    if (n == 0) return std::string("no ") + many;
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string victory_line(int goats, int lost, std::optional<int> best) {
    std::string line = "Solved with " + count_of(goats, "goat", "goats");
    if (!best) return line;
    if (goats > *best) return line + "; " + std::to_string(*best) + " is possible";
    if (lost > 0) return line + ", " + count_of(lost, "penguin", "penguins") + " lost; none need be lost";
    return line + ": the best possible";
}

std::string play_time_text(int time_ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d.%d", time_ms / 60000, time_ms / 1000 % 60, time_ms / 100 % 10);
    return text;
}

}  // namespace floebound
