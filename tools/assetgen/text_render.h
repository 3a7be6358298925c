#pragma once

#include <string>

#include "raster.h"

namespace floebound::tools {

// Lettering for the generated pictures, rendered by SDL_ttf from the system's
// Bitstream Vera, the same face the game itself ships for its HUD, so drawn
// labels and live text match. FreeType renders the same bytes on every run.

constexpr const char* kVeraFontPath = "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf";

struct TextStyle {
    int point_size = 16;  // at 72 dpi, so about the height of a capital plus descender in pixels
    Rgba colour{255, 255, 255, 255};
    bool bold = false;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// The box `text` takes up in pixels.
TextSize measure_text(const std::string& text, const TextStyle& style);

// Blends `text` over `image` with the top left of its box at pixel (left, top);
// whatever falls outside the picture is cut off. Throws std::runtime_error when
// the font cannot be opened or the text cannot be rendered.
void draw_text(Raster& image, const std::string& text, const TextStyle& style, int left, int top);

// As draw_text, with the box centred horizontally on `centre_x`.
void draw_text_centred(Raster& image, const std::string& text, const TextStyle& style, int centre_x, int top);

// The largest point size up to `style.point_size` at which `text` is at most
// `max_width` pixels wide (never below 6), so long labels still fit a button.
TextStyle fit_text(const std::string& text, TextStyle style, int max_width);

}  // namespace floebound::tools
