#pragma once

#include <string>
#include <vector>

#include "raster.h"

// The command popup's buttons: for each of the nine commands, in the game's
// command order, an unselected picture ("menu<Name>U.png") and a highlighted
// one ("menu<Name>S.png"), 128 by 128 pixels, a rounded button with the
// command's drawing and its name, transparent around it.

struct ButtonPicture {
    std::string file_name;
    Image picture;
};

std::vector<ButtonPicture> draw_popup_buttons();
