#pragma once

namespace floebound {

struct Image;

// Draws an image's whole power-of-two texture as one quad with its top-left
// corner at HUD pixel (x, y): one texel per pixel, the transparent margin
// invisible. Alpha blending is on for the quad and off after it; texturing
// must already be on. A missing image draws nothing.
void draw_screen_image(float x, float y, const Image* image);

}  // namespace floebound
