#pragma once

#include <cstdint>

namespace floebound {

struct Image;

// One key frame, already in the game's axes: stored corner k times scale k
// plus translate k is the file's point (X, -Z, Y).
struct Md2Frame {
    float scale[3];
    float translate[3];
    std::int16_t (*corners)[3];  // triangle_count * 3, in triangle order
};

// An animated model with every triangle corner resolved, so that blending is
// one pass with no lookups. Owned by whoever loaded it; free with free_md2.
struct Md2Model {
    Image* skin;  // attached by the caller after loading; owned by the model
    std::int32_t frame_count;
    std::int32_t triangle_count;
    std::int32_t skin_width;
    std::int32_t skin_height;
    Md2Frame* frames;
    std::int16_t (*corner_texcoords)[2];  // texels, triangle_count * 3
};

// One corner of a blended pose, laid out for a texture-2 vertex-3 array.
struct Md2CornerVertex {
    float s, t;
    float x, y, z;
};

// Bytes that MD2 loading currently holds; printed after every stage. A
// diagnostic only: it starts at 0 and is never reset.
extern int md2_alloc_bytes;

// Prints "PARSEmd2alloc=%d\n", "ALLOCmd2alloc=%d\n" and "CLEANUPmd2alloc=%d\n"
// as it goes. Null, silently, when the file does not open; null with one line
// "Couldn't load %s: <reason>\n", and nothing held, when its contents cannot be
// a model: not "IDP2" version 8, a skin side below 1, counts beyond the
// format's limits or no frame at all, blocks past the end of the file, or
// triangles naming vertices or texture coordinates that are not there.
[[nodiscard]] Md2Model* load_md2(const char* path);

// Releases the model, its frames and its skin, then prints
// "FREEmd2alloc=%d\n"; null does nothing.
void free_md2(Md2Model* model);
// The same without the line, for an owner letting go as the game ends.
void discard_md2(Md2Model* model);

// The pose a fraction f of the way from frame to next_frame, as
// triangle_count * 3 corners, and its bounding box (min x, y, z, max x, y, z).
// Frame indices out of range are reported and replaced by 0. It blends
// through one buffer of its own, so call it from one thread only.
void md2_build_vertices(const Md2Model* model, int frame, int next_frame, float f,
                        Md2CornerVertex* out, float box[6]);

}  // namespace floebound
