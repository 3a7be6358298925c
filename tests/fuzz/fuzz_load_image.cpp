// Feeds arbitrary bytes to load_image through a memory file, since the loader
// only reads from a path.

#include "media/image.h"
#include "media/texture.h"

#include "memory_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace floebound;

namespace {

bool is_power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = memory_file_holding(data, size);

    const ImageHandle image = load_image(path);
    if (image) {
        // Whatever the bytes, a loaded image keeps the promises its users rely on.
        const bool sound = image->width >= 1 && image->width <= 1024 && image->height >= 1 &&
                           image->height <= 1024 && is_power_of_two(image->tex_width) &&
                           is_power_of_two(image->tex_height) && image->tex_width >= image->width &&
                           image->tex_height >= image->height && image->pixels && image->texture == 0;
        if (!sound) std::abort();
    }
    return 0;
}
