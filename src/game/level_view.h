#pragma once

#include "media/image.h"
#include "media/text.h"

namespace floebound {

struct LevelState;
class Popup;
class Terrain;

// Draws a level: the ground, the square markers, the actors and fires, and
// over them the supplies, the level number, the hint line, the victory
// picture and the open popup. It owns the square and HUD pictures, loaded
// (textures made) when it is made; drawing changes nothing it is given.
class LevelView {
public:
    LevelView();

    void draw(const LevelState& state, Terrain& terrain, Popup* popup, FontTable& fonts, int level_number,
              const char* hint_line) const;
    // The field alone, without the HUD: the ground with its cursor, the
    // square markers, the actors and fires. The level editor draws its
    // field so, with its own lines over it.
    void draw_field(const LevelState& state, Terrain& terrain) const;

private:
    ImageHandle square_images_[5];
    ImageHandle level_art_[14];
};

}  // namespace floebound
