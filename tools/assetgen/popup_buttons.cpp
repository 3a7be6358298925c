#include "popup_buttons.h"

#include <cmath>
#include <string>

#include "command_pictograms.h"
#include "poster_layout.h"

namespace floebound::tools {

namespace {

constexpr int kButtonSize = 128;
// Room around the button for the highlight's glow.
constexpr int kInset = 7;
constexpr PixelRect kButtonOutline{kInset, kInset, kButtonSize - kInset, kButtonSize - kInset};
constexpr float kCornerRadius = 20.0f;
constexpr int kLabelTop = 91;
constexpr int kLabelMaxWidth = 100;
constexpr int kLabelPointSize = 16;

struct ButtonLook {
    Colour top, bottom, border, glow;
    float border_width, glow_width;
    float pictogram_scale;
};

// Calm slate-blue when waiting, lit up like the field's cursor when chosen.
const ButtonLook kUnselected{rgb(66, 104, 146), rgb(30, 54, 90), rgb(140, 176, 214), rgb(0, 0, 0), 2.5f, 0.0f, 0.25f};
const ButtonLook kSelected{rgb(112, 172, 226), rgb(52, 104, 170), rgb(255, 216, 84), rgb(255, 204, 64), 4.0f, 6.5f,
                           0.27f};

struct Command {
    const char* name;   // as in the file names
    const char* label;  // as shown on the button
    PictogramDrawing draw;
};

const Command kCommands[] = {
    {"Close", "Close", draw_close_pictogram},
    {"Clear", "Clear", draw_clear_pictogram},
    {"Goat1", "Goat CW", draw_goat_cw_pictogram},
    {"Goat2", "Goat CCW", draw_goat_ccw_pictogram},
    {"Peng", "Penguin", draw_penguin_pictogram},
    {"Skate", "Skateboard", draw_skateboard_pictogram},
    {"Restart", "Restart", draw_restart_pictogram},
    {"QuitYes", "Quit", draw_quit_yes_pictogram},
    {"QuitNo", "Stay", draw_quit_no_pictogram},
};

Colour button_face(Vec2 p, const ButtonLook& look) {
    const float x = p.u * kButtonSize, y = p.v * kButtonSize;
    const float d = distance_to_panel(x, y, kButtonOutline, kCornerRadius);
    if (d > 0) {
        // Outside: the glow fades out, or nothing at all.
        if (look.glow_width <= 0) return {0, 0, 0, 0};
        Colour glow = look.glow;
        glow.a = 0.85f * std::pow(1 - smoothstep(0.0f, look.glow_width, d), 1.6f);
        return glow;
    }
    Colour face = mix(look.top, look.bottom, smoothstep(0.1f, 0.9f, p.v));
    // A soft sheen across the upper half, as on a glazed tile.
    face = mix(face, rgb(255, 255, 255), 0.12f * (1 - smoothstep(0.12f, 0.5f, p.v)) * smoothstep(-4.0f, -8.0f, d));
    return mix(face, look.border, smoothstep(-look.border_width - 0.8f, -look.border_width + 0.2f, d));
}

}  // namespace

Raster draw_popup_button(const char* label, PictogramDrawing drawing, bool selected) {
    const ButtonLook& look = selected ? kSelected : kUnselected;
    Raster face = blank_picture(kButtonSize, kButtonSize);
    paint_region(face, {0, 0, 1, 1}, [&](Vec2 p) { return button_face(p, look); });

    Canvas canvas(std::move(face));
    drawing(canvas, {{0.5, 0.39}, look.pictogram_scale});
    Raster button = canvas.image();

    const TextStyle lettering = fit_text(label, {kLabelPointSize, {248, 251, 255, 255}, true}, kLabelMaxWidth);
    TextStyle shadow = lettering;
    shadow.colour = {8, 20, 38, 170};
    draw_text_centred(button, label, shadow, kButtonSize / 2 + 1, kLabelTop + 1);
    draw_text_centred(button, label, lettering, kButtonSize / 2, kLabelTop);
    return button;
}

std::vector<NamedPicture> draw_popup_buttons() {
    std::vector<NamedPicture> buttons;
    for (const Command& command : kCommands) {
        buttons.push_back({std::string("menu/menu") + command.name + "U.png",
                           draw_popup_button(command.label, command.draw, false)});
        buttons.push_back({std::string("menu/menu") + command.name + "S.png",
                           draw_popup_button(command.label, command.draw, true)});
    }
    return buttons;
}

}  // namespace floebound::tools
