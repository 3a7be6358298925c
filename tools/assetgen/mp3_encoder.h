#pragma once

#include "audio.h"
#include "binary_io.h"

// Constant-bitrate MPEG-1 Layer III, a bare frame stream: no ID3 tag and no
// VBR/info header frame, so the bytes depend only on the sound.
Bytes encode_mp3(const Audio& audio, int kilobits_per_second);
