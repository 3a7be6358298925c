#pragma once

#include <cstdint>

namespace floebound::tools {

// Every procedural choice draws from this fixed-seed generator so the assets
// come out byte-identical on every run (xorshift32).
class Xorshift {
public:
    explicit Xorshift(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}

    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }

    // Uniform in [-1, 1).
    float bipolar() { return static_cast<float>(unit() * 2.0 - 1.0); }

    // Uniform in [0, count).
    int below(int count) { return static_cast<int>(unit() * count); }

private:
    std::uint32_t state_;
};

}  // namespace floebound::tools
