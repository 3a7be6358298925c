#include "text_render.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace floebound::tools {

namespace {

constexpr int kSmallestPointSize = 6;

// SDL_ttf counts its initialisations, so each use opens and closes its own.
class OpenFont {
public:
    explicit OpenFont(const TextStyle& style) {
        if (TTF_Init() != 0) throw std::runtime_error(std::string("SDL_ttf: ") + TTF_GetError());
        font_ = TTF_OpenFont(kVeraFontPath, style.point_size);
        if (!font_) {
            TTF_Quit();
            throw std::runtime_error(std::string("cannot open ") + kVeraFontPath + ": " + TTF_GetError());
        }
        TTF_SetFontStyle(font_, style.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    }
    ~OpenFont() {
        TTF_CloseFont(font_);
        TTF_Quit();
    }
    OpenFont(const OpenFont&) = delete;
    OpenFont& operator=(const OpenFont&) = delete;

    TTF_Font* get() const { return font_; }

private:
    TTF_Font* font_ = nullptr;
};

std::uint8_t to_byte(double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

}  // namespace

TextSize measure_text(const std::string& text, const TextStyle& style) {
    const OpenFont font(style);
    TextSize size;
    if (TTF_SizeUTF8(font.get(), text.c_str(), &size.width, &size.height) != 0)
        throw std::runtime_error(std::string("SDL_ttf cannot measure \"") + text + "\": " + TTF_GetError());
    return size;
}

void draw_text(Raster& image, const std::string& text, const TextStyle& style, int left, int top) {
    const OpenFont font(style);
    const SDL_Color white{255, 255, 255, 0};
    // Rendered in white so the surface's alpha alone carries the glyph coverage.
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> glyphs(
        TTF_RenderUTF8_Blended(font.get(), text.c_str(), white), SDL_FreeSurface);
    if (!glyphs) throw std::runtime_error(std::string("SDL_ttf cannot render \"") + text + "\": " + TTF_GetError());
    if (SDL_LockSurface(glyphs.get()) != 0) throw std::runtime_error("cannot lock the text surface");
    const SDL_PixelFormat* format = glyphs->format;
    for (int y = 0; y < glyphs->h; ++y) {
        const auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(glyphs->pixels) + y * glyphs->pitch);
        for (int x = 0; x < glyphs->w; ++x) {
            const int px = left + x, py = top + y;
            if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
            Uint8 r, g, b, coverage;
            SDL_GetRGBA(row[x], format, &r, &g, &b, &coverage);
            if (coverage == 0) continue;
            Rgba colour = style.colour;
            colour.a = to_byte(style.colour.a * (coverage / 255.0));
            blend_over(image, px, py, colour);
        }
    }
    SDL_UnlockSurface(glyphs.get());
}

void draw_text_centred(Raster& image, const std::string& text, const TextStyle& style, int centre_x, int top) {
    draw_text(image, text, style, centre_x - measure_text(text, style).width / 2, top);
}

TextStyle fit_text(const std::string& text, TextStyle style, int max_width) {
    while (style.point_size > kSmallestPointSize && measure_text(text, style).width > max_width) --style.point_size;
    return style;
}

}  // namespace floebound::tools
