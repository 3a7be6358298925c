#pragma once

#include <vector>

#include "named_picture.h"

namespace floebound::tools {

// The level editor's square popup: for each of the nine kinds of square a
// level file holds, in the order of the digit keys 0 to 8, an unselected
// picture ("menu/kind<Name>U.png") and a highlighted one
// ("menu/kind<Name>S.png"): a command popup button with the kind's drawing,
// its name, and its digit key in the top left corner.
std::vector<NamedPicture> draw_kind_buttons();

}  // namespace floebound::tools
