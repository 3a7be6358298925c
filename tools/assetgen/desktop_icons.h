#pragma once

#include <vector>

#include "named_picture.h"

namespace floebound::tools {

// The game's icon for desktop menus, drawn from the window icon's art at each
// size of the freedesktop hicolor theme, as "hicolor/NxN/apps/floebound.png".
// The install gives each file the game's desktop id for a name.
std::vector<NamedPicture> draw_desktop_icons();

inline constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};

}  // namespace floebound::tools
