#include "scenes/overlay_text.h"

#include "app/camera.h"

#include <GL/gl.h>

#include <cstdint>

namespace floebound {

void draw_overlay_text(FontTable& fonts, const char* text, int font_id, int x, int y, TextColour colour) {
    // The glyphs carry no alpha, so they show only when added on.
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    TextRect pen = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0, 0};
    draw_outlined_text(fonts, text, font_id, colour, &pen);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

void draw_centred_overlay_text(FontTable& fonts, const char* text, int font_id, int y, TextColour colour) {
    draw_overlay_text(fonts, text, font_id, (camera.screen_width - text_width(fonts, text, font_id)) / 2, y, colour);
}

}  // namespace floebound
