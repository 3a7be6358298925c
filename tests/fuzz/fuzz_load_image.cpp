// Feeds arbitrary bytes to load_image through a memory file, since the loader
// only reads from a path.

#include "media/image.h"
#include "media/texture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool fill_memory_file(int fd, const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd, 0) != 0) return false;
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool is_power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("fuzz_load_image", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || !fill_memory_file(fd, data, size)) std::abort();

    Image* image = load_image(path.c_str());
    if (image) {
        // Whatever the bytes, a loaded image keeps the promises its users rely on.
        const bool sound = image->width >= 1 && image->width <= 1024 && image->height >= 1 &&
                           image->height <= 1024 && is_power_of_two(image->tex_width) &&
                           is_power_of_two(image->tex_height) && image->tex_width >= image->width &&
                           image->tex_height >= image->height && image->pixels && image->texture == 0;
        if (!sound) std::abort();
    }
    free_image(image);
    return 0;
}
