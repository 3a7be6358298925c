#include "game/particles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

constexpr float pi = 3.14159265f;

// Each particle draws, in order: ring angle, three velocity shares, sprite
// angle, extra life and alpha. The script repeats.
std::vector<int> script;
std::size_t script_position = 0;

int scripted_random() { return script[script_position++ % script.size()]; }

void play(std::vector<int> draws) {
    script = std::move(draws);
    script_position = 0;
    set_particle_random(scripted_random);
}

class Particles : public ::testing::Test {
protected:
    void SetUp() override { play({0}); }
    void TearDown() override { set_particle_random(nullptr); }
};

// A started emitter holding one particle, born in a first update of 1 ms;
// the duration is cut to 1 ms so that later updates only step it.
ParticleEmitter emit_one(EmitterParams& params, std::vector<int> draws = {0}) {
    play(std::move(draws));
    params.duration = 1;
    ParticleEmitter emitter;
    emitter_start(emitter, &params, nullptr, 0, 0, 0);
    emitter_update(emitter, 1);
    EXPECT_EQ(emitter.count, 1);
    return emitter;
}

std::vector<ParticleVertex> vertices_of(const ParticleEmitter& emitter, const float view[16]) {
    std::vector<ParticleVertex> out;
    build_particle_vertices(emitter, view, out);
    return out;
}

PackedColour with_alpha(PackedColour colour, unsigned alpha) { return (colour & 0x00ffffffu) | alpha << 24; }

void expect_near(const Vector3& actual, std::array<float, 3> expected, float tolerance) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], tolerance) << "component " << k;
}

// Looking down -z: right is +x, up is +y.
constexpr float front_view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TEST_F(Particles, CreditPaysForOneParticlePerIntervalAboveIt) {
    ParticleEmitter emitter;
    emitter_start(emitter, &fire_params_1, nullptr, 0, 0, 0);
    EXPECT_EQ(emitter.credit, 8);
    // No time buys nothing, and a fresh emitter is not finished before its
    // clock passes the interval.
    EXPECT_FALSE(emitter_update(emitter, 0));
    EXPECT_EQ(emitter.count, 0);
    // 26, 18 and 10 are each above 8; 2 is left.
    EXPECT_FALSE(emitter_update(emitter, 18));
    EXPECT_EQ(emitter.count, 3);
    EXPECT_EQ(emitter.credit, 2);

    // A restart drops the three; 16 pays for one, and 8 is not above 8.
    emitter_start(emitter, &fire_params_1, nullptr, 0, 0, 0);
    EXPECT_TRUE(emitter.particles.empty());
    emitter_update(emitter, 8);
    EXPECT_EQ(emitter.count, 1);
    EXPECT_EQ(emitter.credit, 8);

    // The cow's start credit buys its first particle at once, the next only
    // once the credit is above 400 again. Newest first.
    emitter_start(emitter, &cow_params, nullptr, 0, 22, -18);
    emitter_update(emitter, 10);
    EXPECT_EQ(emitter.count, 1);
    EXPECT_EQ(emitter.credit, 10);
    emitter_update(emitter, 390);
    EXPECT_EQ(emitter.count, 1);
    emitter_update(emitter, 1);
    EXPECT_EQ(emitter.count, 2);
    EXPECT_EQ(emitter.credit, 1);
    EXPECT_EQ(emitter.particles.front().life, cow_params.lifetime);
    EXPECT_EQ(std::next(emitter.particles.begin())->life, cow_params.lifetime - 391);

    // An interval of 0 becomes 1 in the set itself.
    EmitterParams eager = fire_params_1;
    eager.interval = 0;
    emitter_start(emitter, &eager, nullptr, 0, 0, 0);
    emitter_update(emitter, 5);
    EXPECT_EQ(eager.interval, 1);
    EXPECT_EQ(emitter.count, 4);
}

TEST_F(Particles, NewParticlesStartOnTheRingWithSpreadVelocity) {
    // Ring draws of 0, a quarter and a half of the range go round the vertical
    // axis from +z to +x to -z.
    const float radius = fire_params_1.ring_radius;
    const std::array<float, 3> ring_points[3] = {{0, 0, radius}, {radius, 0, 0}, {0, 0, -radius}};
    for (int quarter = 0; quarter < 3; ++quarter) {
        EmitterParams fire = fire_params_1;
        const ParticleEmitter emitter = emit_one(fire, {quarter * 32767 / 4, 0, 0, 0, 32767, 32767, 0});
        expect_near(emitter.particles.front().offset, ring_points[quarter], 1e-2f);
        expect_near(emitter.particles.front().velocity, {0, 50, 0}, 0);  // no spread
        EXPECT_NEAR(emitter.particles.front().angle, 2 * pi, 1e-5f);
        // The largest draw adds lifetime * spread.
        EXPECT_EQ(emitter.particles.front().life, 700 + 560);
    }

    // Around any coordinate axis the ring stays square to it.
    for (int axis = 0; axis < 3; ++axis) {
        EmitterParams tilted = fire_params_2;
        tilted.velocity[1] = 0;
        tilted.velocity[axis] = -30;
        const ParticleEmitter emitter = emit_one(tilted, {5000});
        const Vector3& offset = emitter.particles.front().offset;
        EXPECT_NEAR(offset[axis], 0, 1e-5f) << "axis " << axis;
        EXPECT_NEAR(std::hypot(offset[0], offset[1], offset[2]), tilted.ring_radius, 1e-4f) << "axis " << axis;
    }

    // The cow spreads its speed of 20 by up to half its 0.25 share either way.
    EmitterParams cow = cow_params;
    const ParticleEmitter emitter = emit_one(cow, {0, 32767, 0, 32767, 0, 0, 0});
    expect_near(emitter.particles.front().velocity, {2.5f, 17.5f, 2.5f}, 1e-5f);
    EXPECT_EQ(emitter.particles.front().life, cow.lifetime);
    EXPECT_EQ(emitter.particles.front().start_colour, with_alpha(cow.start_colour, 192));
    EXPECT_EQ(emitter.particles.front().end_colour, with_alpha(cow.end_colour, 192));
}

TEST_F(Particles, StepsMoveGrowTurnAndDrift) {
    // fire_params_2 rises at 55, grows by its own size per second and drifts
    // toward -z; its ring starts the particle at (0, 0, 10).
    EmitterParams fire = fire_params_2;
    ParticleEmitter emitter = emit_one(fire);
    const Particle& particle = emitter.particles.front();
    emitter_update(emitter, 100);
    expect_near(particle.offset, {0, 5.5f * 1.1f, 11}, 1e-4f);
    expect_near(particle.drift, {0, 0, -20 * 0.01f}, 1e-6f);
    // The drift eases once per call, whatever the slice.
    emitter_update(emitter, 1);
    emitter_update(emitter, 50);
    expect_near(particle.drift, {0, 0, -20 * (1 - std::pow(0.99f, 3.0f))}, 1e-5f);

    // A quarter turn per call, right-handed about +y, takes +z to -x.
    EmitterParams spinning = fire_params_2;
    spinning.spin = pi / 2 * 1000;
    emitter = emit_one(spinning);
    emitter_update(emitter, 0);
    expect_near(emitter.particles.front().offset, {-10, 0, 0}, 1e-4f);
}

TEST_F(Particles, ColoursMoveToTheEndColourAndFadeOverTheLastThird) {
    EmitterParams fire = fire_params_1;
    ParticleEmitter emitter = emit_one(fire);
    const Particle& particle = emitter.particles.front();
    auto colour = [&] {
        const ParticleVertex vertex = vertices_of(emitter, front_view).front();
        return std::array<int, 4>{vertex.rgba[0], vertex.rgba[1], vertex.rgba[2], vertex.rgba[3]};
    };
    EXPECT_EQ(colour(), (std::array<int, 4>{192, 128, 0, 192}));
    emitter_update(emitter, 350);
    EXPECT_EQ(colour(), (std::array<int, 4>{(192 + 255) / 2, 128 / 2, 0, 192}));

    // A step at life 233 (700 div 3) keeps alpha 192; below it both colours
    // take the set's with an alpha that jumps to about 255 and falls to 0.
    emitter_update(emitter, 350 - 233);
    emitter_update(emitter, 1);
    EXPECT_EQ(particle.start_colour >> 24, 192u);
    while (particle.life > 1) {
        const unsigned expected_alpha = static_cast<unsigned>(particle.life) * 255 / 233;
        emitter_update(emitter, 1);
        ASSERT_EQ(particle.start_colour, with_alpha(fire.start_colour, expected_alpha));
        ASSERT_EQ(particle.end_colour, with_alpha(fire.end_colour, expected_alpha));
    }
    // The update that takes the last millisecond releases it and finishes.
    EXPECT_TRUE(emitter_update(emitter, 1));
    EXPECT_TRUE(emitter.particles.empty());
}

TEST_F(Particles, EmissionStopsAfterTheDurationReusingNodesAndFinishesWhenTheLastParticleDies) {
    set_particle_random(nullptr);
    ParticleEmitter emitter;
    emitter_start(emitter, &fire_params_1, nullptr, 5, 0, 5);
    // Dead particles' nodes are reused: after the first seconds the emitter
    // holds about as many nodes as ever live at once, for the whole burn.
    const auto nodes = [&] {
        int total = 0;
        for (const auto* list : {&emitter.particles, &emitter.spare})
            total += static_cast<int>(std::distance(list->begin(), list->end()));
        return total;
    };
    for (int elapsed = 0; elapsed < 3000; elapsed += 18) ASSERT_FALSE(emitter_update(emitter, 18));
    const int steady = nodes();
    bool kept_spares = false;
    while (emitter.clock < fire_params_1.duration) {
        ASSERT_FALSE(emitter_update(emitter, 18));
        kept_spares = kept_spares || !emitter.spare.empty();
    }
    EXPECT_TRUE(kept_spares) << "dead particles' nodes were never kept";
    EXPECT_LE(nodes(), steady + steady / 4);
    // No particle outlives lifetime * (1 + spread) = 1260 ms.
    int count = emitter.count;
    for (int elapsed = 0; !emitter_update(emitter, 18); elapsed += 18) {
        ASSERT_LE(emitter.count, count) << "emitted after the duration";
        ASSERT_LE(elapsed, 1260);
        count = emitter.count;
    }
    EXPECT_EQ(emitter.count, 0);
    EXPECT_TRUE(emitter_update(emitter, 18));
    EXPECT_EQ(emitter.count, 0);
}

TEST_F(Particles, InactiveEmitterIsFinishedAndChangesNothing) {
    ParticleEmitter emitter;
    EXPECT_TRUE(emitter_update(emitter, 18));
    EXPECT_EQ(emitter.clock, 0);
    EXPECT_EQ(emitter.credit, 0);
    EXPECT_EQ(emitter.count, 0);
    EXPECT_TRUE(emitter.particles.empty());
    EXPECT_TRUE(vertices_of(emitter, front_view).empty());

    // Started without a set it drops its particles and stays inactive.
    emitter_start(emitter, &fire_params_1, nullptr, 0, 0, 0);
    emitter_update(emitter, 18);
    emitter_start(emitter, nullptr, nullptr, 1, 2, 3);
    EXPECT_EQ(emitter.count, 0);
    EXPECT_TRUE(emitter_update(emitter, 18));
    EXPECT_EQ(emitter.clock, 0);
}

TEST_F(Particles, QuadsSpanTheViewRowsAroundTheDriftedCentreInTheirCell) {
    // A camera on +x: right is -z and up is +y. Columns differ from rows, and
    // the translation is filled in.
    const float side_view[16] = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 7, -3, -500, 1};
    EmitterParams fire = fire_params_1;  // size 5, ring 18, cell 8
    ParticleEmitter emitter = emit_one(fire);
    emitter.origin[0] = 100;
    const float corners[6][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const auto vertices = vertices_of(emitter, side_view);
    ASSERT_EQ(vertices.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        const Vector3 at = {vertices[i].x, vertices[i].y, vertices[i].z};
        expect_near(at, {100, corners[i][1] * 5, 18 - corners[i][0] * 5}, 1e-4f);
        // Cell 8 is the first of the third row.
        EXPECT_FLOAT_EQ(vertices[i].u, (corners[i][0] + 1) / 8);
        EXPECT_FLOAT_EQ(vertices[i].v, 0.5f + (corners[i][1] + 1) / 8);
    }

    // A quarter turn of the sprite puts corner (-1, -1) where (-1, 1) was.
    Particle& particle = emitter.particles.front();
    particle.angle = pi / 2;
    EXPECT_NEAR(vertices_of(emitter, side_view)[0].y, vertices[1].y, 1e-4f);
    EXPECT_NEAR(vertices_of(emitter, side_view)[0].z, vertices[1].z, 1e-4f);

    // The drift moves the sprite by its age: 0.5 s old, or 0.3 s before its
    // nominal birth when given extra life.
    const auto mean_z = [&] {
        float sum = 0;
        for (const ParticleVertex& vertex : vertices_of(emitter, side_view)) sum += vertex.z;
        return sum / 6;
    };
    particle.drift[2] = -20;
    particle.life = fire.lifetime - 500;
    EXPECT_NEAR(mean_z(), 18 - 10, 1e-3f);
    particle.life = fire.lifetime + 300;
    EXPECT_NEAR(mean_z(), 18 + 6, 1e-3f);

    // Cell 15 is the last quarter on both axes.
    EmitterParams cow = cow_params;
    for (const ParticleVertex& vertex : vertices_of(emit_one(cow), front_view)) {
        EXPECT_GE(vertex.u, 0.75f);
        EXPECT_GE(vertex.v, 0.75f);
        EXPECT_LE(vertex.u, 1.0f);
        EXPECT_LE(vertex.v, 1.0f);
    }
}

TEST_F(Particles, CopiesOwnTheirParticles) {
    ParticleEmitter original;
    emitter_start(original, &fire_params_1, nullptr, 1, 2, 3);
    emitter_update(original, 18);
    ParticleEmitter copy = original;
    ASSERT_EQ(copy.count, 3);
    emitter_update(copy, 100);
    EXPECT_EQ(original.particles.front().life, fire_params_1.lifetime);
}

}  // namespace
