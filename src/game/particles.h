#pragma once

#include "app/vector3.h"
#include "media/image.h"

#include <cstdint>
#include <forward_list>
#include <vector>

namespace floebound {

// Packed colours hold red in the lowest byte, then green, blue, and alpha in
// the highest byte.
using PackedColour = std::uint32_t;

// One sprite of an emitter.
struct Particle {
    Vector3 offset;           // from the emitter's origin, without drift
    Vector3 velocity;         // units per second
    float angle;              // the sprite's turn in the screen plane, radians
    Vector3 drift;            // a second velocity that only moves the drawn sprite
    std::int32_t life;        // milliseconds left
    PackedColour start_colour;
    PackedColour end_colour;
};

// What an emitter emits and how its particles behave; fixed data, except that
// emitter_update turns an interval of 0 into 1 in place.
struct EmitterParams {
    std::int32_t duration;   // ms of emission after a start
    std::int32_t interval;   // ms between two particles
    std::int32_t lifetime;   // ms
    float lifetime_spread;   // up to lifetime * spread extra life
    Vector3 velocity;        // units per second; also the emitter's axis
    float growth;            // relative growth of an offset per second
    Vector3 drift;           // the velocity each particle's drift eases toward
    float spin;              // turn of offsets about the axis per update, milliradians
    float ring_radius;
    float size;              // half the side of a sprite's quad
    std::int32_t cell;       // 0 to 15 in the 4 by 4 sprite sheet, row by row from the top left
    float spread;            // random share of the velocity, relative to its length
    PackedColour start_colour;
    PackedColour end_colour;
};

extern EmitterParams fire_params_1;
extern EmitterParams fire_params_2;
extern EmitterParams cow_params;

// A plain record that levels and actors embed by value; made by default it is
// a valid inactive emitter. It owns its particles; copies are deep, and the game
// copies actors only before they emit, so that costs nothing there.
struct ParticleEmitter {
    Vector3 origin = {0, 0, 0};       // in the coordinates current when drawn
    EmitterParams* params = nullptr;  // not owned; null means inactive
    const Image* sheet = nullptr;     // not owned: the sprite sheet drawn with, null for none
    std::int32_t clock = 0;           // ms since the last start
    std::int32_t credit = 0;          // ms of emission not yet spent on particles
    std::forward_list<Particle> particles;  // newest first
    std::int32_t count = 0;
    // Nodes of particles that died, spliced back for the next ones emitted:
    // a burning emitter stops allocating once it has reached its steady size.
    std::forward_list<Particle> spare;
};

// Restarts the emitter with a parameter set (null makes it inactive) and a
// sprite sheet at an origin, throwing away its particles.
void emitter_start(ParticleEmitter& emitter, EmitterParams* params, const Image* sheet, float x, float y, float z);

// Ages the particles and emits new ones; true once the emitter has nothing
// left to show (always for an inactive one).
bool emitter_update(ParticleEmitter& emitter, int elapsed_ms);

// Draws every particle as a quad facing the camera, as one triangle list with
// the current blend function. Leaves blending and texturing enabled when the
// sprite sheet is loaded, the alpha test disabled and the colour white.
void emitter_draw(const ParticleEmitter& emitter);

// The sprite sheet "data/particle.png", 4 by 4 cells, that every emitter
// draws with. Released with the object; its texture stays with the pool.
class ParticleSheet {
public:
    // The sheet, loaded (texture made) by the first call and by any later one
    // while it is still missing; null while it does not load.
    const Image* get();

private:
    ImageHandle image_;
};

// Particles draw random numbers from 0 to 32767 from this source; null
// restores the default, which is the standard library's rand.
void set_particle_random(int (*source)());

// One corner of a particle's quad, as emitter_draw sends it.
struct ParticleVertex {
    float u, v;
    std::uint8_t rgba[4];
    float x, y, z;
};

// The six corners of each particle, newest particle first, facing the camera
// whose modelview matrix (column order) is view. Replaces out's contents;
// empty for an inactive emitter.
void build_particle_vertices(const ParticleEmitter& emitter, const float view[16],
                             std::vector<ParticleVertex>& out);

}  // namespace floebound
