#include "level_generator.h"

#include <set>

namespace floebound::tools {

namespace {

constexpr int max_cows = 8;
constexpr int max_goats = 8;
constexpr int max_count = 1000;
// Each candidate's search stops here: about a tenth of a second. Levels a
// player can reason out are found well within it.
constexpr long candidate_work_limit = 5'000'000;

// The same numbers on every machine: std::uniform_int_distribution is not
// pinned down by the standard, this is.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    int below(int n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int>(state_ % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t state_;
};

Grid random_field(Dice& dice, int cows) {
    Grid field;
    std::vector<int> free_cells(grid_cells);
    for (int cell = 0; cell < grid_cells; ++cell) free_cells[cell] = cell;
    auto put = [&](CellKind kind) {
        const int pick = dice.below(static_cast<int>(free_cells.size()));
        field.cells[free_cells[pick]] = kind;
        free_cells.erase(free_cells.begin() + pick);
    };
    for (int i = 0; i < cows; ++i) put(CellKind::cow);
    for (int i = 0, drops = 1 + dice.below(2); i < drops; ++i) put(CellKind::penguin_square);
    constexpr CellKind obstacles[] = {CellKind::tree,     CellKind::tree,   CellKind::tree,
                                      CellKind::bucket,   CellKind::fire,   CellKind::tunafish,
                                      CellKind::target,   CellKind::skateboard_square};
    constexpr int kinds = sizeof obstacles / sizeof obstacles[0];
    for (int i = 0, count = 3 + dice.below(8); i < count; ++i) put(obstacles[dice.below(kinds)]);
    return field;
}

std::string field_key(const Grid& field) {
    std::string key;
    for (CellKind kind : field.cells) key += static_cast<char>('A' + static_cast<int>(kind));
    return key;
}

}  // namespace

std::string request_problem(const GeneratorRequest& request) {
    if (request.cows < 1 || request.cows > max_cows)
        return "--cows must be 1 to " + std::to_string(max_cows) + ", not " + std::to_string(request.cows);
    if (request.goats < 0 || request.goats > max_goats)
        return "--goats must be 0 to " + std::to_string(max_goats) + ", not " + std::to_string(request.goats);
    if (request.count < 1 || request.count > max_count)
        return "--count must be 1 to " + std::to_string(max_count) + ", not " + std::to_string(request.count);
    return "";
}

std::vector<GeneratedLevel> generate_levels(const GeneratorRequest& request) {
    std::vector<GeneratedLevel> levels;
    if (!request_problem(request).empty()) return levels;
    Dice dice(request.seed);
    std::set<std::string> seen;
    for (int attempt = 0; attempt < request.attempts * request.count && static_cast<int>(levels.size()) < request.count;
         ++attempt) {
        GeneratedLevel level;
        level.field = random_field(dice, request.cows);
        if (!seen.insert(field_key(level.field)).second) continue;
        level.goat_max = request.goats;
        level.penguin_max = request.cows * cow_tip_count;
        level.solution = solve_level(level.field, level.penguin_max, request.goats, candidate_work_limit);
        if (level.solution.verdict != Verdict::solvable || level.solution.goats != request.goats) continue;
        level.difficulty = difficulty_of(level.solution);
        levels.push_back(level);
    }
    return levels;
}

}  // namespace floebound::tools
