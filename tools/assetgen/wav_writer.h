#pragma once

#include "audio.h"
#include "binary_io.h"

namespace floebound::tools {

// A canonical 44-byte-header RIFF/WAVE file of 16-bit PCM.
Bytes encode_wav(const Audio& audio);

}  // namespace floebound::tools
