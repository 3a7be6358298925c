// The level checker on shipped levels: the simplest, and the three-cow level
// whose fewest-goats proof searches out every plan with one goat standing,
// clears included, before it finds one with two.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "game/level_file.h"
#include "game/level_solver.h"

namespace {

void BM_SolveLevel(benchmark::State& state, const std::string& path) {
    const std::optional<LevelFile> file = read_level_file(path.c_str());
    if (!file) {
        state.SkipWithError(("cannot read " + path + "; run from the game folder").c_str());
        return;
    }
    const Grid grid = field_of(*file);
    for (auto _ : state) {
        const Solution solution = solve_level(grid, file->penguinMax.value_or(0), file->goatMax.value_or(0));
        benchmark::DoNotOptimize(solution.work);
        state.counters["decisions"] = static_cast<double>(solution.work);
    }
}

BENCHMARK_CAPTURE(BM_SolveLevel, first_level, std::string("data/level.txt"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SolveLevel, three_cows_goats_cleared, std::string("data/level018.txt"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
