#include "game/particles.h"

#include "app/angles.h"
#include "media/image.h"
#include "media/texture.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

namespace floebound {

namespace {

constexpr PackedColour pack(unsigned red, unsigned green, unsigned blue, unsigned alpha) {
    return red | green << 8 | blue << 16 | alpha << 24;
}

unsigned channel(PackedColour colour, int index) { return colour >> (8 * index) & 0xff; }

PackedColour with_alpha(PackedColour colour, unsigned alpha) { return (colour & 0x00ffffffu) | (alpha & 0xff) << 24; }

constexpr float two_pi = static_cast<float>(2 * pi);
constexpr float random_max = 32767.0f;

// glibc's rand reaches 2^31 - 1; the formulas expect 15 bits.
int standard_random() { return std::rand() & 32767; }

// Process-wide so that tests can script the draws of every emitter at once.
int (*random_source)() = standard_random;

// The emitter's axis: its velocity normalised, or the velocity itself when zero.
Vector3 axis_of(const EmitterParams& params) {
    const Vector3& v = params.velocity;
    const float size = length(v);
    return size != 0 ? Vector3{v.x / size, v.y / size, v.z / size} : v;
}

// A new particle at the head of the list, in a spare node when the emitter
// has one.
void create_particle(ParticleEmitter& emitter, const EmitterParams& params) {
    if (emitter.spare.empty()) {
        emitter.particles.emplace_front();
    } else {
        emitter.particles.splice_after(emitter.particles.before_begin(), emitter.spare, emitter.spare.before_begin());
        emitter.particles.front() = Particle{};
    }
    Particle* particle = &emitter.particles.front();
    const float phi = static_cast<float>(random_source()) * two_pi / random_max;
    const float speed = length(params.velocity);
    const Vector3 axis = axis_of(params);
    // A point on the ring of the given radius around the axis, for an axis
    // along a coordinate axis.
    const float ring_sin = params.ring_radius * std::sin(phi);
    const float ring_cos = params.ring_radius * std::cos(phi);
    particle->offset[0] = ring_sin * axis[1] + ring_cos * axis[2];
    particle->offset[1] = ring_sin * axis[2] + ring_cos * axis[0];
    particle->offset[2] = ring_sin * axis[0] + ring_cos * axis[1];
    for (int k = 0; k < 3; ++k) {
        const float share = static_cast<float>(random_source()) / random_max * params.spread - params.spread / 2;
        particle->velocity[k] = params.velocity[k] + share * speed;
    }
    particle->angle = static_cast<float>(random_source()) * two_pi / random_max;
    const float extra_life = static_cast<float>(random_source()) *
                             (static_cast<float>(params.lifetime) * params.lifetime_spread) / random_max;
    particle->life = params.lifetime + static_cast<std::int32_t>(extra_life);
    // The high bits of a 15-bit draw are zero, so every particle starts at 192.
    const unsigned alpha = 192 + ((static_cast<unsigned>(random_source()) >> 16) & 31);
    particle->start_colour = with_alpha(params.start_colour, alpha);
    particle->end_colour = with_alpha(params.end_colour, alpha);
}

// Right-handed turn of v about a unit (or zero) axis.
void rotate_about(Vector3& v, const Vector3& axis, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float along = dot(axis, v);
    v = v * c + cross(axis, v) * s + axis * along * (1 - c);
}

void step_particle(Particle& particle, const EmitterParams& params, const Vector3& axis, int elapsed_ms) {
    const float elapsed = static_cast<float>(elapsed_ms);
    particle.offset = particle.offset + particle.velocity * elapsed * 0.001f;
    // Spin and drift ease once per call, whatever the slice length.
    rotate_about(particle.offset, axis, -(params.spin * 0.001f));
    const float growth = 1 + elapsed * params.growth * 0.001f;
    particle.offset = particle.offset * growth;
    particle.drift = particle.drift * 0.99f + params.drift * 0.01f;
    // Fade over the last third of the lifetime. A lifetime under 3 ms has no
    // last third to fade over.
    const std::int32_t third = params.lifetime / 3;
    if (third > 0 && particle.life < third) {
        const unsigned alpha =
            static_cast<unsigned>(particle.life) * channel(params.start_colour, 3) / static_cast<unsigned>(third);
        particle.start_colour = with_alpha(params.start_colour, alpha);
        particle.end_colour = with_alpha(params.end_colour, alpha);
    }
    particle.life -= elapsed_ms;
}

// The live particles become spare nodes.
void retire_particles(ParticleEmitter& emitter) {
    emitter.spare.splice_after(emitter.spare.before_begin(), emitter.particles);
    emitter.count = 0;
}

}  // namespace

// Shared by every emitter of their kind, which point at them; not const, as
// emitter_update repairs an interval of 0 in place.
// Fields: duration, interval, lifetime, lifetime spread; velocity, growth;
// drift, spin; ring radius, size, cell, spread; start and end colours.
EmitterParams fire_params_1 = {
    45000, 8, 700, 0.8f,
    {0, 50, 0}, -0.3f,
    {0, 0, -20}, 0,
    18, 5, 8, 0,
    pack(192, 128, 0, 255), pack(255, 0, 0, 255),
};
EmitterParams fire_params_2 = {
    45000, 16, 700, 0.8f,
    {0, 55, 0}, 1,
    {0, 0, -20}, 0,
    10, 10, 8, 0,
    pack(192, 128, 0, 255), pack(255, 0, 0, 255),
};
EmitterParams cow_params = {
    6000000, 400, 800, 1.5f,
    {0, 20, 0}, 1,
    {1, 0, 0}, 0,
    1, 5, 15, 0.25f,
    pack(255, 255, 255, 255), pack(255, 192, 192, 255),
};

void emitter_start(ParticleEmitter& emitter, EmitterParams* params, const Image* sheet, float x, float y, float z) {
    emitter.params = params;
    emitter.sheet = sheet;
    emitter.origin = {x, y, z};
    emitter.clock = 0;
    emitter.credit = params ? params->interval : 0;
    retire_particles(emitter);
}

const Image* ParticleSheet::get() {
    if (!image_) {
        image_ = load_image("data/particle.png");
        make_texture(image_.get());
    }
    return image_.get();
}

bool emitter_update(ParticleEmitter& emitter, int elapsed_ms) {
    EmitterParams* params = emitter.params;
    if (!params) return true;

    const Vector3 axis = axis_of(*params);
    auto before = emitter.particles.before_begin();
    for (auto particle = emitter.particles.begin(); particle != emitter.particles.end();) {
        step_particle(*particle, *params, axis, elapsed_ms);
        if (particle->life <= 0) {
            emitter.spare.splice_after(emitter.spare.before_begin(), emitter.particles, before);
            particle = std::next(before);
            --emitter.count;
        } else {
            before = particle++;
        }
    }

    emitter.credit += elapsed_ms;
    if (params->interval == 0) params->interval = 1;
    while (emitter.clock < params->duration && emitter.credit > params->interval) {
        create_particle(emitter, *params);
        ++emitter.count;
        emitter.credit -= params->interval;
    }
    emitter.clock += elapsed_ms;
    return emitter.count == 0 && emitter.clock > params->interval;
}

void set_particle_random(int (*source)()) { random_source = source ? source : standard_random; }

void build_particle_vertices(const ParticleEmitter& emitter, const float view[16], std::vector<ParticleVertex>& out) {
    out.clear();
    const EmitterParams* params = emitter.params;
    if (!params) return;
    out.reserve(static_cast<std::size_t>(emitter.count) * 6);

    const int sheet_column = params->cell % 4;
    const int sheet_row = params->cell / 4;
    const float u_offset = static_cast<float>(sheet_column) / 4;
    const float v_offset = static_cast<float>(sheet_row) / 4;
    const Vector3 right = {view[0], view[4], view[8]};
    const Vector3 up = {view[1], view[5], view[9]};
    struct Corner {
        float x, y, u, v;
    };
    static constexpr Corner corners[6] = {
        {-1, -1, 0, 0}, {-1, 1, 0, 0.25f}, {1, -1, 0.25f, 0},
        {1, -1, 0.25f, 0}, {-1, 1, 0, 0.25f}, {1, 1, 0.25f, 0.25f},
    };
    const float lifetime = static_cast<float>(params->lifetime);

    for (const Particle& particle : emitter.particles) {
        // From the start colour at full life to the end colour as it dies.
        float t = lifetime > 0 ? static_cast<float>(particle.life) / lifetime : 1;
        if (t > 1) t = 1;
        if (t < 0) t = 0;
        ParticleVertex vertex{};
        for (int k = 0; k < 4; ++k) {
            const float mixed = t * static_cast<float>(channel(particle.start_colour, k)) +
                                (1 - t) * static_cast<float>(channel(particle.end_colour, k));
            vertex.rgba[k] = static_cast<std::uint8_t>(mixed);
        }
        // Particles given extra life have a negative age at first.
        const float age = static_cast<float>(params->lifetime - particle.life) * 0.001f;
        const Vector3 centre = emitter.origin + particle.offset + particle.drift * age;
        const float c = std::cos(particle.angle);
        const float s = std::sin(particle.angle);
        for (const Corner& corner : corners) {
            const float p = corner.x * c + corner.y * s;
            const float q = corner.y * c - corner.x * s;
            vertex.u = corner.u + u_offset;
            vertex.v = corner.v + v_offset;
            const Vector3 at = centre + (right * p + up * q) * params->size;
            vertex.x = at.x;
            vertex.y = at.y;
            vertex.z = at.z;
            out.push_back(vertex);
        }
    }
}

}  // namespace floebound
