#pragma once

// Every file the game opens from its folder (src/app/main.cpp and
// src/media/sound.cpp), relative to the game folder.
inline constexpr const char* kGameAssetPaths[] = {
    "data/icon.bmp",        "data/sfx/turn.wav",   "data/sfx/tipped.wav", "data/sfx/falling.wav",
    "data/sfx/push.wav",    "data/sfx/select.wav", "data/sfx/next.wav",   "data/song.ogg",
    "data/puzzletheme.mp3",
};
