#pragma once

#include <string>

// Writes a WAV file of silence, 8-bit mono PCM at 11025 Hz. Tests give it to
// the sound bank so that an effect they start is still playing when they look.
void write_silent_wav(const std::string& path, int seconds);
