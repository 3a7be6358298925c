#include "meshes/md2.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

// One actor's pose per frame: a blend between two frames of the walk cycle.
void blend_model(benchmark::State& state, const char* path) {
    std::unique_ptr<Md2Model> model = load_md2(path);
    if (!model) {
        state.SkipWithError("model missing: run from the game folder");
        return;
    }
    std::vector<Md2CornerVertex> corners(static_cast<std::size_t>(model->triangle_count) * 3);
    float box[6];
    float f = 0;
    for (auto _ : state) {
        md2_build_vertices(model.get(), 40, 41, f, corners.data(), box);
        benchmark::DoNotOptimize(corners.data());
        f = f < 0.99f ? f + 0.01f : 0;
    }
    state.counters["triangles"] = model->triangle_count;
    state.SetItemsProcessed(state.iterations() * model->triangle_count * 3);
    free_md2(std::move(model));
}

void BM_BlendPenguin(benchmark::State& state) { blend_model(state, "models/penguin/tris.md2"); }
void BM_BlendCow(benchmark::State& state) { blend_model(state, "models/cow/tris.md2"); }

}  // namespace

BENCHMARK(BM_BlendPenguin);
BENCHMARK(BM_BlendCow);
