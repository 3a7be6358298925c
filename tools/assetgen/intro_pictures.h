#pragma once

#include <vector>

#include "named_picture.h"

namespace floebound::tools {

// The four pictures of the intro, 640 by 480, shown one after another over a
// view of the snowy field: the studio's splash, the title card, the credits
// and how to play. Each is a solid dark panel with light lettering; outside
// the panel the picture is transparent.
std::vector<NamedPicture> draw_intro_pictures();

constexpr int kIntroWidth = 640;
constexpr int kIntroHeight = 480;

}  // namespace floebound::tools
