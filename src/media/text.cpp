#include "media/text.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct FontSize {
    int id;
    int point_size;
};

constexpr const char* font_path = "data/vera.ttf";
constexpr FontSize font_sizes[] = {{0, 24}, {1, 14}, {2, 14}, {3, 10}, {4, 8}, {5, 8}};

// Never deleted: the fonts are needed until the process ends, and keeping the
// table reachable keeps leak checkers quiet about them.
FontTable* font_table = nullptr;

}  // namespace

FontTable& get_fonts() {
    if (font_table) return *font_table;
    // In place before any font opens, so a call made while opening finds it.
    font_table = new FontTable;
    TTF_Init();
    std::atexit(TTF_Quit);
    for (const FontSize& font : font_sizes) open_font(*font_table, font.id, font_path, font.point_size);
    return *font_table;
}

TTF_Font* open_font(FontTable& fonts, int id, const char* path, int point_size) {
    TTF_Font* font = TTF_OpenFont(path, point_size);
    if (!font) std::printf("Error loading font: %s", TTF_GetError());
    fonts[id] = font;
    return font;
}

void draw_text(FontTable& fonts, const char* text, int font_id, TextColour colour, TextRect* rect) {
    rect->w = 0;
    rect->h = 0;
    // find, not [], so that an unknown id does not grow the table.
    const auto found = fonts.find(font_id);
    TTF_Font* font = found == fonts.end() ? nullptr : found->second;
    if (!font || !text || !*text) return;

    const SDL_Color sdl_colour = {colour.r, colour.g, colour.b, colour.unused};
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text, sdl_colour);
    if (!rendered) return;

    const int tex_width = texture_size_for(rendered->w);
    const int tex_height = texture_size_for(rendered->h);
    // Bytes red, green, blue, alpha in memory on a little-endian machine, as
    // GL_RGBA reads them. The blit leaves alpha 0, so the glyphs show only
    // under additive blending.
    SDL_Surface* padded = SDL_CreateRGBSurface(SDL_SWSURFACE, tex_width, tex_height, 32, 0x000000FF, 0x0000FF00,
                                               0x00FF0000, 0xFF000000);
    if (!padded) {
        SDL_FreeSurface(rendered);
        return;
    }
    SDL_FillRect(padded, nullptr, 0);
    SDL_UpperBlit(rendered, nullptr, padded, nullptr);

    // A name of its own, not one of the pool's: the pool never takes names
    // back, and this texture lives for one call.
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, tex_width, tex_height, 0, GL_RGBA, GL_UNSIGNED_BYTE, padded->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1, 1, 1);
    // The whole texture at one texel a pixel: the text at its natural size.
    const int x = rect->x;
    const int y = rect->y;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(x, y);
    glTexCoord2f(1, 0);
    glVertex2i(x + tex_width, y);
    glTexCoord2f(1, 1);
    glVertex2i(x + tex_width, y + tex_height);
    glTexCoord2f(0, 1);
    glVertex2i(x, y + tex_height);
    glEnd();
    // The texture goes away below; make sure the drawing is done with it.
    glFinish();

    rect->w = static_cast<std::uint16_t>(rendered->w);
    rect->h = static_cast<std::uint16_t>(rendered->h);
    SDL_FreeSurface(rendered);
    SDL_FreeSurface(padded);
    glDeleteTextures(1, &texture);
}

int texture_size_for(int n) {
    return static_cast<int>(std::pow(2.0, std::ceil(std::log(static_cast<double>(n)) / std::log(2.0))) + 0.5);
}
