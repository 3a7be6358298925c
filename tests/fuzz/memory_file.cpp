#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {
constexpr int slot_count = 2;
}  // namespace

const char* memory_file_holding(const std::uint8_t* data, std::size_t size, int slot) {
    static int fds[slot_count] = {-1, -1};
    static std::string paths[slot_count];
    if (slot < 0 || slot >= slot_count) std::abort();
    int& fd = fds[slot];
    if (fd < 0) {
        fd = memfd_create("fuzz_input", 0);
        paths[slot] = "/proc/self/fd/" + std::to_string(fd);
    }
    if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (written <= 0) std::abort();
        done += static_cast<std::size_t>(written);
    }
    return paths[slot].c_str();
}
