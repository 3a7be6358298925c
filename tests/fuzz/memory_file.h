#pragma once

#include <cstddef>
#include <cstdint>

// The loaders read only from paths, so fuzz inputs go through one in-memory
// file per process. Returns its path holding exactly these bytes; aborts when
// the memory file cannot be made or written, which no input may cause.
const char* memory_file_holding(const std::uint8_t* data, std::size_t size);
