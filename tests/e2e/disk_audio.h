#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file SDL's disk audio driver writes (SDL_AUDIODRIVER=disk,
// SDL_DISKAUDIOFILE=path): the mixer's output as the game opens it, signed
// 16-bit little-endian samples, channels interleaved. Empty when the file
// cannot be read; a trailing odd byte is ignored.
std::vector<std::int16_t> read_disk_audio(const std::string& path);
