#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

const char* memory_file_holding(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("fuzz_input", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (written <= 0) std::abort();
        done += static_cast<std::size_t>(written);
    }
    return path.c_str();
}
