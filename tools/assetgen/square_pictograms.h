#pragma once

#include "command_pictograms.h"

namespace floebound::tools {

// The drawings of the level editor's square popup, one per kind of square a
// level file holds, in the command popup's style: outlined shapes in the
// field's own colours, laid out in a square of local coordinates from -1 to 1.

void draw_empty_square_pictogram(Canvas& canvas, const PictogramBox& box);       // a tile of snow
void draw_penguin_square_pictogram(Canvas& canvas, const PictogramBox& box);     // the blue plate with footprints
void draw_tree_pictogram(Canvas& canvas, const PictogramBox& box);               // a round shrub
void draw_marked_square_pictogram(Canvas& canvas, const PictogramBox& box);      // a goat struck through
void draw_cow_pictogram(Canvas& canvas, const PictogramBox& box);                // a cow's head
void draw_skateboard_square_pictogram(Canvas& canvas, const PictogramBox& box);  // a skateboard on its plate
void draw_bucket_pictogram(Canvas& canvas, const PictogramBox& box);             // a pail with its handle
void draw_fire_pictogram(Canvas& canvas, const PictogramBox& box);               // flames
void draw_tunafish_pictogram(Canvas& canvas, const PictogramBox& box);           // a fish

}  // namespace floebound::tools
