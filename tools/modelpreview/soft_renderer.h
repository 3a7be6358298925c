#pragma once

#include "model_file.h"
#include "raster.h"

namespace floebound::tools {

// Where the preview camera stands, measured from the model as the file sees
// it: `around_degrees` 0 is straight in front (+X), 90 is the model's left
// (+Y); `above_degrees` raises the camera over the ground.
struct PreviewView {
    float around_degrees;
    float above_degrees;
    float distance;
};

// Draws frame `frame` of the model the way the game does (file (X, Y, Z) to
// (-Y, Z + 24, -X), unlit, skin sampled bilinearly, faces culled with the
// front face clockwise) on a patch of 64-unit squares, into a size x size
// picture placed at (left, top) of `sheet`.
void render_preview(const PreviewModel& model, const PreviewSkin& skin, int frame, PreviewView view, Raster& sheet,
                    int left, int top, int size);

}  // namespace floebound::tools
