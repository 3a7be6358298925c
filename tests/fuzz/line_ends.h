#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The same bytes with every CR that ends a line taken out: text files written
// with CR LF must read as they do with LF alone.
std::string without_crs_before_lfs(const std::uint8_t* data, std::size_t size);
