#pragma once

// Every file the game opens from its folder (src/app/main.cpp,
// src/media/sound.cpp, the level's actors and the particles), relative to
// the game folder.
inline constexpr const char* kGameAssetPaths[] = {
    "data/icon.bmp",
    "data/sfx/turn.wav",
    "data/sfx/tipped.wav",
    "data/sfx/falling.wav",
    "data/sfx/push.wav",
    "data/sfx/select.wav",
    "data/sfx/next.wav",
    "data/song.ogg",
    "data/puzzletheme.mp3",
    "data/particle.png",
    "models/penguin/tris.md2",
    "models/penguin/penguin.png",
    "models/cow/tris.md2",
    "models/cow/cow.png",
    "models/shrub/tris.md2",
    "models/shrub/s6.png",
    "models/tuna/tris.md2",
    "models/tuna/tuna.png",
    "models/bucket/tris.md2",
    "models/bucket/bucket.png",
    "models/skateboard/board.md2",
    "models/skateboard/board.png",
};
