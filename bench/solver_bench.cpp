// The level checker on shipped levels: the simplest, and the three-cow level
// whose fewest-goats proof searches out every plan with one goat standing,
// clears included, before it finds one with two. Then the game's hint, asked
// at the start of every shipped level, as the game asks it (on a thread of
// its own): the slowest level's answer must come within half a second. And
// the generator making a three-cow, three-goat level.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "game/hint.h"
#include "game/level_sequence.h"
#include "level_generator.h"
#include "puzzle/level_file.h"
#include "puzzle/level_solver.h"

using namespace floebound;
using namespace floebound::tools;

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

void BM_HintAtEachLevelsStart(benchmark::State& state) {
    std::vector<LevelFile> levels;
    for (int number = 0; level_file_exists(level_path(number).text); ++number)
        if (const std::optional<LevelFile> file = read_level_file(level_path(number).text)) levels.push_back(*file);
    if (levels.empty()) {
        state.SkipWithError("no level files; run from the game folder");
        return;
    }
    double slowest_ms = 0;
    for (auto _ : state) {
        for (const LevelFile& file : levels) {
            PlayState start;
            read_play_state(field_of(file), {}, start);
            const auto asked = std::chrono::steady_clock::now();
            HintSearch search(start, file.penguinMax.value_or(0), file.goatMax.value_or(0));
            while (!search.done()) std::this_thread::sleep_for(std::chrono::microseconds(100));
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - asked;
            slowest_ms = std::max(slowest_ms, took.count());
        }
    }
    state.counters["levels"] = static_cast<double>(levels.size());
    state.counters["slowest_ms"] = slowest_ms;
}

BENCHMARK(BM_HintAtEachLevelsStart)->Unit(benchmark::kMillisecond);

// floebound-generate --cows 3 --goats 3: one level, proven, within ten seconds.
void BM_GenerateThreeCowsThreeGoats(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        GeneratorRequest request;
        request.cows = 3;
        request.goats = 3;
        request.seed = seed++;
        const std::vector<GeneratedLevel> levels = generate_levels(request);
        if (levels.empty()) state.SkipWithError("no level came out");
        benchmark::DoNotOptimize(levels.data());
    }
}

BENCHMARK(BM_GenerateThreeCowsThreeGoats)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
