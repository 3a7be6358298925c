#pragma once

#include "media/text.h"

namespace floebound {

// Text over the picture in HUD pixels, rimmed dark to read on snow and sky.
// Call inside begin_hud/end_hud; blending is left off as the level's HUD
// leaves it, texturing on and the colour white.
void draw_overlay_text(FontTable& fonts, const char* text, int font_id, int x, int y,
                       TextColour colour = {255, 255, 255, 0});
// The same, centred across the screen.
void draw_centred_overlay_text(FontTable& fonts, const char* text, int font_id, int y,
                               TextColour colour = {255, 255, 255, 0});

}  // namespace floebound
