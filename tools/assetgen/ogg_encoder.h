#pragma once

#include "audio.h"
#include "binary_io.h"

namespace floebound::tools {

// Ogg Vorbis at the given VBR quality (-0.1 .. 1). The stream serial number is
// fixed so the same sound always gives the same bytes.
Bytes encode_ogg_vorbis(const Audio& audio, float quality, const char* title);

}  // namespace floebound::tools
