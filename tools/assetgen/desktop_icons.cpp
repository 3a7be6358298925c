#include "desktop_icons.h"

#include <string>

#include "icon_art.h"

namespace floebound::tools {

std::vector<NamedPicture> draw_desktop_icons() {
    std::vector<NamedPicture> icons;
    for (int size : kDesktopIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        icons.push_back({"hicolor/" + folder + "/apps/floebound.png", draw_penguin_icon(size)});
    }
    return icons;
}

}  // namespace floebound::tools
