#pragma once

#include <string>

#include "raster.h"
#include "skin_paint.h"
#include "text_render.h"

namespace floebound::tools {

// Pieces shared by the full-screen pictures (intro, credits, victory): they
// are blended over the bright snow, so everything sits on a dark glass panel
// in the popup buttons' slate blue with their gold rim.

struct PixelRect {
    int left, top, right, bottom;
};

// Signed distance in pixels from the outline of `panel` with its corners
// rounded to `radius`, negative inside.
float distance_to_panel(float x, float y, PixelRect panel, float radius);

struct PanelLook {
    Colour top, bottom, rim;  // the fill fades from top to bottom
    float rim_width;          // pixels
};

// See-through enough to show the snow behind, dark enough for white letters.
extern const PanelLook kGlassPanel;
// The same slate blue, solid: the intro cards stand in front of the field's
// grid and cursor, which must not show through the lettering.
extern const PanelLook kSolidPanel;

// Paints a rounded panel over `picture`, which must still be blank there: the
// panel's pixels replace what was underneath.
void draw_panel(Raster& picture, PixelRect panel, int corner_radius, const PanelLook& look = kGlassPanel);

// White (or `style.colour`) lettering with a soft dark shadow down and right,
// centred on `centre_x`. Returns the row just below the lettering.
int draw_lettering(Raster& picture, const std::string& text, const TextStyle& style, int centre_x, int top);
// The same, starting at `left`.
int draw_lettering_from(Raster& picture, const std::string& text, const TextStyle& style, int left, int top);

// Blends `art` over `picture` with its top left at pixel (left, top).
void paste(Raster& picture, const Raster& art, int left, int top);

}  // namespace floebound::tools
