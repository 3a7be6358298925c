#include "game/particles.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace floebound;

namespace {

constexpr int slice_ms = 18;

// A fire burning for a few seconds has reached the number of particles it
// keeps from then on.
ParticleEmitter steady_fire(EmitterParams& params) {
    ParticleEmitter fire;
    emitter_start(fire, &params, nullptr, 0, 0, 0);
    for (int elapsed = 0; elapsed < 5000; elapsed += slice_ms) emitter_update(fire, slice_ms);
    return fire;
}

void BM_FireUpdate(benchmark::State& state) {
    ParticleEmitter fire = steady_fire(fire_params_1);
    const int burning_clock = fire.clock;
    for (auto _ : state) {
        emitter_update(fire, slice_ms);
        // Held in its burning phase: left alone, a fire stops emitting after
        // 45 s and the loop would time an empty emitter.
        fire.clock = burning_clock;
        benchmark::DoNotOptimize(fire.count);
    }
    state.counters["particles"] = fire.count;
}

void BM_FireVertices(benchmark::State& state) {
    ParticleEmitter fire = steady_fire(fire_params_1);
    const float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -800, 1};
    std::vector<ParticleVertex> vertices;
    for (auto _ : state) {
        build_particle_vertices(fire, view, vertices);
        benchmark::DoNotOptimize(vertices.data());
    }
    state.counters["particles"] = fire.count;
    state.SetItemsProcessed(state.iterations() * fire.count);
}

}  // namespace

BENCHMARK(BM_FireUpdate);
BENCHMARK(BM_FireVertices);
