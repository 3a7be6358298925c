#include "app/heap_settings.h"

#include <malloc.h>

namespace floebound {

// The GL driver allocates and frees blocks of a few hundred kilobytes while it
// draws. By default glibc serves those from mmap and trims the heap's top as
// soon as they are freed, so every frame paid page faults for memory it had
// just given back. Larger blocks and a padded top keep that memory mapped;
// the game's footprint is steady, so nothing grows without bound.
void keep_freed_memory() {
    constexpr int mebibyte = 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, 32 * mebibyte);
    mallopt(M_TRIM_THRESHOLD, 128 * mebibyte);
    mallopt(M_TOP_PAD, 16 * mebibyte);
}

}  // namespace floebound
