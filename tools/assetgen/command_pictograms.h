#pragma once

#include "raster.h"

namespace floebound::tools {

// The drawings on the command popup's buttons, one per command. Each is laid
// out in its own square of local coordinates from -1 to 1 (y pointing down)
// and drawn wherever a PictogramBox puts that square on the canvas.

struct PictogramBox {
    Point centre;  // canvas unit coordinates
    double scale;  // canvas units per local unit

    Point at(double x, double y) const { return {centre.x + x * scale, centre.y + y * scale}; }
    double length(double local) const { return local * scale; }
};

void draw_close_pictogram(Canvas& canvas, const PictogramBox& box);        // a cross
void draw_clear_pictogram(Canvas& canvas, const PictogramBox& box);        // an eraser over an empty square
void draw_goat_cw_pictogram(Canvas& canvas, const PictogramBox& box);      // a goat inside a clockwise arrow
void draw_goat_ccw_pictogram(Canvas& canvas, const PictogramBox& box);     // ... a counter-clockwise arrow
void draw_penguin_pictogram(Canvas& canvas, const PictogramBox& box);      // a penguin dropping in
void draw_skateboard_pictogram(Canvas& canvas, const PictogramBox& box);   // a skateboard from the side
void draw_restart_pictogram(Canvas& canvas, const PictogramBox& box);      // a circular arrow
void draw_quit_yes_pictogram(Canvas& canvas, const PictogramBox& box);     // a tick
void draw_quit_no_pictogram(Canvas& canvas, const PictogramBox& box);      // an arrow turning back

// Shared with the goat squares on the field.
// Clockwise goats are orange and counter-clockwise ones blue wherever they
// are drawn: a pair that stays apart for players who confuse red and green,
// as well as by the arrows.
constexpr Rgba kClockwiseOrange{255, 150, 36, 255};
constexpr Rgba kCounterClockwiseBlue{96, 186, 255, 255};
// An arc of a circle around `centre` (local units) with an arrowhead at its
// `to_degrees` end, pointing the way the arc turns; angles run from +x toward
// +y, so increasing angles turn clockwise on the picture.
void draw_arc_arrow(Canvas& canvas, const PictogramBox& box, Point centre, double radius, double width,
                    double from_degrees, double to_degrees, Rgba colour);
// A goat's head looking out of the picture, horns up, with the sideways
// pupils goats have.
void draw_goat_head(Canvas& canvas, const PictogramBox& box);
// "No goats": a goat's head in a red ring, struck through; the marked
// square's sign on the field and in the editor.
void draw_no_goat_sign(Canvas& canvas, const PictogramBox& box);

}  // namespace floebound::tools
