#pragma once

#include "audio.h"

namespace floebound::tools {

constexpr int kMusicRate = 44100;

// The intro tune: calm and wintry, A minor, twelve bars looping.
Audio compose_intro_song();

// The play tune: light and bouncy, C major, sixteen bars looping.
Audio compose_puzzle_theme();

}  // namespace floebound::tools
