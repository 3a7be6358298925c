#pragma once

#include <cstddef>
#include <cstdint>

// The loaders read only from paths, so fuzz inputs go through one in-memory
// file per process. Returns its path holding exactly these bytes; aborts when
// the memory file cannot be made or written, which no input may cause.
// `slot` picks one of a few such files, for loaders that read several at once
// (a model and its materials).
const char* memory_file_holding(const std::uint8_t* data, std::size_t size, int slot = 0);
