#pragma once

#include "audio.h"
#include "binary_io.h"

namespace floebound::tools {

// Samples per channel in one MPEG-1 Layer III frame.
constexpr int kMp3FrameSamples = 1152;

// A loop as constant-bitrate MPEG-1 Layer III, a bare frame stream: no ID3
// tag and no VBR/info header frame, so the bytes depend only on the sound.
// Played over and over by a decoder that knows nothing of encoder delay or
// padding (SDL_mixer through libmad), it loops without a gap: the file holds
// exactly the loop, so its length must be a whole number of frames.
Bytes encode_mp3_loop(const Audio& loop, int kilobits_per_second);

}  // namespace floebound::tools
