#pragma once

#include <cstdint>
#include <map>

struct _TTF_Font;

namespace floebound {

// Opened fonts by id: "data/vera.ttf" at 24, 14, 14, 10, 8 and 8 points for
// ids 0 to 5; null where opening failed.
using FontTable = std::map<int, _TTF_Font*>;

// Where a line of text goes, in HUD pixels (y downward); draw_text fills in
// the drawn text's width and height.
struct TextRect {
    std::int16_t x;
    std::int16_t y;
    std::uint16_t w;
    std::uint16_t h;
};

struct TextColour {
    std::uint8_t r, g, b, unused;
};

// The game's fonts, opened at their first use and closed with the object,
// which keeps the font library running meanwhile.
class Fonts {
public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The table; the first call opens every font into it.
    FontTable& table();

private:
    FontTable table_;  // empty until the first call; then every id, null where opening failed
};

// Opens a font into the table, printing "Error loading font: %s" on failure.
_TTF_Font* open_font(FontTable& fonts, int id, const char* path, int point_size);

// Draws one line with its top-left corner at (rect->x, rect->y), inside
// begin_hud/end_hud. The glyphs carry no alpha: they show under additive
// blending (GL_ONE, GL_ONE), which the caller sets. An empty text, or an id
// with no open font, draws nothing and leaves w and h 0.
void draw_text(FontTable& fonts, const char* text, int font_id, TextColour colour, TextRect* rect);

// As draw_text, with a dark rim a pixel wide round the glyphs so that light
// text reads on snow as well as on sky. Expects additive blending switched on
// like draw_text, and leaves it so: (GL_ONE, GL_ONE), texturing on, colour white.
void draw_outlined_text(FontTable& fonts, const char* text, int font_id, TextColour colour, TextRect* rect);

// How wide draw_text would draw the text, in pixels; 0 when it would draw nothing.
int text_width(FontTable& fonts, const char* text, int font_id);

// The power of two a text side of n pixels is drawn on.
int texture_size_for(int n);

}  // namespace floebound
