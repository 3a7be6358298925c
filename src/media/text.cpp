#include "media/text.h"

#include "app/game_folder.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace floebound {

namespace {

struct FontSize {
    int id;
    int point_size;
};

constexpr const char* font_path = "data/vera.ttf";
constexpr FontSize font_sizes[] = {{0, 24}, {1, 14}, {2, 14}, {3, 10}, {4, 8}, {5, 8}};

}  // namespace

FontTable& Fonts::table() {
    if (!table_.empty()) return table_;
    TTF_Init();
    for (const FontSize& font : font_sizes) open_font(table_, font.id, font_path, font.point_size);
    return table_;
}

Fonts::~Fonts() {
    if (table_.empty()) return;
    for (const auto& [id, font] : table_)
        if (font) TTF_CloseFont(font);
    TTF_Quit();
}

TTF_Font* open_font(FontTable& fonts, int id, const char* path, int point_size) {
    TTF_Font* font = TTF_OpenFont(game_file(path).c_str(), point_size);
    if (!font) std::printf("Error loading font: %s", TTF_GetError());
    fonts[id] = font;
    return font;
}

namespace {

// One line rendered and uploaded for the duration of a call.
struct TextTexture {
    GLuint name = 0;
    int width = 0, height = 0;            // the power-of-two texture
    int text_width = 0, text_height = 0;  // the rendered line within it
};

// Scales every colour byte of the top-left width by height pixels by `gain`,
// clamped: coverage rendered in white grows by that much. The blit leaves
// alpha 0, which scales to 0, so each row is one run of bytes.
void brighten(SDL_Surface* surface, int width, int height, int gain) {
    for (int y = 0; y < height; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int i = 0; i < width * 4; ++i) row[i] = static_cast<Uint8>(std::min(255, row[i] * gain));
    }
}

// find, not [], so that an unknown id does not grow the table.
TTF_Font* font_of(const FontTable& fonts, int font_id) {
    const auto found = fonts.find(font_id);
    return found == fonts.end() ? nullptr : found->second;
}

// Null font, empty text or a failed render: no texture, name 0. A gain above
// 1 brightens the texture by that factor.
TextTexture make_text_texture(FontTable& fonts, const char* text, int font_id, TextColour colour, int gain = 1) {
    TextTexture texture;
    TTF_Font* font = font_of(fonts, font_id);
    if (!font || !text || !*text) return texture;

    const SDL_Color sdl_colour = {colour.r, colour.g, colour.b, colour.unused};
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text, sdl_colour);
    if (!rendered) return texture;

    const int tex_width = texture_size_for(rendered->w);
    const int tex_height = texture_size_for(rendered->h);
    // Bytes red, green, blue, alpha in memory on a little-endian machine, as
    // GL_RGBA reads them. The blit leaves alpha 0, so the glyphs show only
    // under additive blending.
    SDL_Surface* padded = SDL_CreateRGBSurface(SDL_SWSURFACE, tex_width, tex_height, 32, 0x000000FF, 0x0000FF00,
                                               0x00FF0000, 0xFF000000);
    if (!padded) {
        SDL_FreeSurface(rendered);
        return texture;
    }
    SDL_FillRect(padded, nullptr, 0);
    SDL_UpperBlit(rendered, nullptr, padded, nullptr);
    if (gain != 1) brighten(padded, rendered->w, rendered->h, gain);

    // A name of its own, not one of the pool's: the pool never takes names
    // back, and this texture lives for one call.
    glGenTextures(1, &texture.name);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, tex_width, tex_height, 0, GL_RGBA, GL_UNSIGNED_BYTE, padded->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texture.width = tex_width;
    texture.height = tex_height;
    texture.text_width = rendered->w;
    texture.text_height = rendered->h;
    SDL_FreeSurface(rendered);
    SDL_FreeSurface(padded);
    return texture;
}

// The whole texture at one texel a pixel: the text at its natural size.
void draw_text_quad(const TextTexture& texture, int x, int y) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(x, y);
    glTexCoord2f(1, 0);
    glVertex2i(x + texture.width, y);
    glTexCoord2f(1, 1);
    glVertex2i(x + texture.width, y + texture.height);
    glTexCoord2f(0, 1);
    glVertex2i(x, y + texture.height);
    glEnd();
}

void finish_text(const TextTexture& texture, TextRect* rect) {
    // The texture goes away below; make sure the drawing is done with it.
    glFinish();
    rect->w = static_cast<std::uint16_t>(texture.text_width);
    rect->h = static_cast<std::uint16_t>(texture.text_height);
    glDeleteTextures(1, &texture.name);
}

}  // namespace

void draw_text(FontTable& fonts, const char* text, int font_id, TextColour colour, TextRect* rect) {
    rect->w = 0;
    rect->h = 0;
    const TextTexture texture = make_text_texture(fonts, text, font_id, colour);
    if (!texture.name) return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glColor3f(1, 1, 1);
    draw_text_quad(texture, rect->x, rect->y);
    finish_text(texture, rect);
}

void draw_outlined_text(FontTable& fonts, const char* text, int font_id, TextColour colour, TextRect* rect) {
    rect->w = 0;
    rect->h = 0;
    // Rendered white, the texture is the glyphs' coverage in every channel:
    // a mask for the outline, tinted by the current colour for the glyphs.
    // Laid over a dark rim, soft edges turn grey and thin the strokes, so the
    // coverage is doubled: the letters keep the weight they have when added
    // onto light ground.
    const TextTexture texture = make_text_texture(fonts, text, font_id, {255, 255, 255, 0}, 2);
    if (!texture.name) return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glColor3f(1, 1, 1);
    // Each shifted copy scales what lies beneath by one minus the coverage,
    // so a dark rim a pixel wide grows round every glyph.
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) draw_text_quad(texture, rect->x + dx, rect->y + dy);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3ub(colour.r, colour.g, colour.b);
    draw_text_quad(texture, rect->x, rect->y);
    glColor3f(1, 1, 1);
    finish_text(texture, rect);
}

int text_width(FontTable& fonts, const char* text, int font_id) {
    TTF_Font* font = font_of(fonts, font_id);
    int width = 0;
    if (!font || !text[0] || TTF_SizeText(font, text, &width, nullptr) != 0) return 0;
    return width;
}

int texture_size_for(int n) {
    return static_cast<int>(std::pow(2.0, std::ceil(std::log(static_cast<double>(n)) / std::log(2.0))) + 0.5);
}

}  // namespace floebound
