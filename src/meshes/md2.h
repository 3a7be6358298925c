#pragma once

#include "media/image.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace floebound {

// Bytes that MD2 loading currently holds; printed after every stage. A
// diagnostic only: it starts at 0 and is never reset.
extern int md2_alloc_bytes;

// An array that MD2 loading holds, its items' bytes in md2_alloc_bytes for as
// long as it has them. Running out of memory leaves it empty instead of
// throwing, and no items still take a block, so empty means only that memory
// ran out. The item count sits in front of the items, keeping the array one
// pointer wide: the records that hold these keep the sizes the console has
// always counted for them.
template <typename T>
class CountedArray {
public:
    CountedArray() = default;
    explicit CountedArray(std::size_t count) {
        void* block = ::operator new(header + count * sizeof(T), std::nothrow);
        if (!block) return;
        *static_cast<std::size_t*>(block) = count;
        items_ = reinterpret_cast<T*>(static_cast<unsigned char*>(block) + header);
        if constexpr (!std::is_trivially_default_constructible_v<T>) std::uninitialized_default_construct_n(items_, count);
        md2_alloc_bytes += static_cast<int>(count * sizeof(T));
    }
    CountedArray(CountedArray&& other) noexcept : items_(std::exchange(other.items_, nullptr)) {}
    CountedArray& operator=(CountedArray&& other) noexcept {
        if (this != &other) {
            release();
            items_ = std::exchange(other.items_, nullptr);
        }
        return *this;
    }
    ~CountedArray() { release(); }

    explicit operator bool() const { return items_ != nullptr; }
    T* data() { return items_; }
    const T* data() const { return items_; }
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }

private:
    // Room for the count that keeps the items as aligned as the block.
    static constexpr std::size_t header = alignof(std::max_align_t);
    static_assert(sizeof(std::size_t) <= header && alignof(T) <= header, "the header keeps the items aligned");

    void release() {
        if (!items_) return;
        void* block = reinterpret_cast<unsigned char*>(items_) - header;
        const std::size_t count = *static_cast<std::size_t*>(block);
        if constexpr (!std::is_trivially_destructible_v<T>) std::destroy_n(items_, count);
        md2_alloc_bytes -= static_cast<int>(count * sizeof(T));
        ::operator delete(block);
        items_ = nullptr;
    }

    T* items_ = nullptr;
};
static_assert(sizeof(CountedArray<std::uint8_t>) == sizeof(void*), "the counted records keep their sizes");

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
