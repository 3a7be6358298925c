#include "line_ends.h"

std::string without_crs_before_lfs(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') continue;
        text += static_cast<char>(data[i]);
    }
    return text;
}
