#pragma once

#include <vector>

#include "command_pictograms.h"
#include "named_picture.h"

namespace floebound::tools {

// The command popup's buttons: for each of the nine commands, in the game's
// command order, an unselected picture ("menu/menu<Name>U.png") and a
// highlighted one ("menu/menu<Name>S.png"), 128 by 128 pixels, a rounded
// button with the command's drawing and its name, transparent around it.
std::vector<NamedPicture> draw_popup_buttons();

// One such button: the drawing over its label, calm or lit up; what the
// editor's square popup is drawn with too.
using PictogramDrawing = void (*)(Canvas&, const PictogramBox&);
Raster draw_popup_button(const char* label, PictogramDrawing drawing, bool selected);

}  // namespace floebound::tools
