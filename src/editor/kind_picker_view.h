#pragma once

#include "editor/kind_picker.h"
#include "media/image.h"

namespace floebound {

// The kind popup's pictures, unselected and selected for each kind in
// placeable_kinds' order: entry 2 * kind index, and 2 * kind index + 1 for
// the highlighted one. They live for the run: textures are never given back,
// so the editor, opened again and again, must not load them again.
struct KindPictures {
    // Loads the table while its first picture is missing, as the command
    // popup's pictures load.
    void load_unless_loaded();

    ImageHandle images[2 * placeable_kind_count];
};

// Draws the popup as a 3 by 3 grid of 128-pixel buttons in the middle of the
// screen, the highlighted kind with its selected picture; a missing picture
// leaves its place empty. Texturing must be on; blending is left off.
void draw_kind_picker(const KindPicker& picker, const KindPictures& pictures);

}  // namespace floebound
