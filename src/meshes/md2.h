#pragma once

#include "media/image.h"
#include "meshes/md2_memory.h"

#include <cstdint>
#include <memory>

namespace floebound {

// One key frame, already in the game's axes: stored corner k times scale k
// plus translate k is the file's point (X, -Z, Y).
struct Md2Frame {
    float scale[3];
    float translate[3];
    CountedArray<std::int16_t[3]> corners;  // triangle_count * 3, in triangle order
};

// An animated model with every triangle corner resolved, so that blending is
// one pass with no lookups. Owned by whoever loaded it.
// Its own record counts in md2_alloc_bytes too, as long as it lives.
struct Md2Model {
    Md2Model();
    ~Md2Model();
    Md2Model(const Md2Model&) = delete;
    Md2Model& operator=(const Md2Model&) = delete;

    ImageHandle skin;  // attached by the caller after loading
    std::int32_t frame_count = 0;
    std::int32_t triangle_count = 0;
    std::int32_t skin_width = 0;
    std::int32_t skin_height = 0;
    CountedArray<Md2Frame> frames;
    CountedArray<std::int16_t[2]> corner_texcoords;  // texels, triangle_count * 3
};

// One corner of a blended pose, laid out for a texture-2 vertex-3 array.
struct Md2CornerVertex {
    float s, t;
    float x, y, z;
};

// Prints "PARSEmd2alloc=%d\n", "ALLOCmd2alloc=%d\n" and "CLEANUPmd2alloc=%d\n"
// as it goes. Null, silently, when the file does not open; null with one line
// "Couldn't load %s: <reason>\n", and nothing held, when its contents cannot be
// a model: not "IDP2" version 8, a skin side below 1, counts beyond the
// format's limits or no frame at all, blocks past the end of the file, or
// triangles naming vertices or texture coordinates that are not there.
[[nodiscard]] std::unique_ptr<Md2Model> load_md2(const char* path);

// Releases the model, its frames and its skin, then prints
// "FREEmd2alloc=%d\n"; null does nothing. A model that simply goes out of
// scope is released without the line, as an owner letting go at the end does.
void free_md2(std::unique_ptr<Md2Model> model);

// The pose a fraction f of the way from frame to next_frame, as
// triangle_count * 3 corners, and its bounding box (min x, y, z, max x, y, z).
// Frame indices out of range are reported and replaced by 0. It blends
// through one buffer of its own, so call it from one thread only.
void md2_build_vertices(const Md2Model* model, int frame, int next_frame, float f,
                        Md2CornerVertex* out, float box[6]);

}  // namespace floebound
