#include "victory_banner.h"

#include "poster_layout.h"

namespace floebound::tools {

Raster draw_victory_banner() {
    Raster banner = blank_picture(kVictoryWidth, kVictoryHeight);
    draw_panel(banner, {4, 6, kVictoryWidth - 4, kVictoryHeight - 6}, 18);
    constexpr int kCentre = kVictoryWidth / 2;
    int top = draw_lettering(banner, "Well done!", {32, {248, 251, 255, 255}, true}, kCentre, 14);
    top = draw_lettering(banner, "Cow tipped!", {20, {255, 216, 84, 255}, true}, kCentre, top);
    draw_lettering(banner, "Press space", {13, {170, 214, 246, 255}, false}, kCentre, top + 6);
    return banner;
}

}  // namespace floebound::tools
