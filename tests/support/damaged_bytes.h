#pragma once

#include <cstdint>
#include <random>
#include <string>

// A file's bytes with the first half kept and the rest random, as a damaged
// download or disk leaves it; the same name and seed always give the same
// damage, so a failure can be replayed.
inline std::string damaged_bytes(std::string bytes, const std::string& name, std::uint32_t seed = 0) {
    std::uint32_t hash = 2166136261u ^ seed;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    std::mt19937 random(hash);
    for (std::size_t i = bytes.size() / 2; i < bytes.size(); ++i) bytes[i] = static_cast<char>(random());
    return bytes;
}
