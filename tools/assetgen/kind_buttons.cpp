#include "kind_buttons.h"

#include <string>

#include "popup_buttons.h"
#include "square_pictograms.h"
#include "text_render.h"

namespace floebound::tools {

namespace {

struct Kind {
    const char* name;   // as in the file names
    const char* label;  // as shown on the button
    PictogramDrawing draw;
};

// In the order of the digit keys.
const Kind kKinds[] = {
    {"Empty", "Empty", draw_empty_square_pictogram},
    {"Penguin", "Penguins", draw_penguin_square_pictogram},
    {"Tree", "Tree", draw_tree_pictogram},
    {"Marked", "Marked", draw_marked_square_pictogram},
    {"Cow", "Cow", draw_cow_pictogram},
    {"Skateboard", "Skateboard", draw_skateboard_square_pictogram},
    {"Bucket", "Bucket", draw_bucket_pictogram},
    {"Fire", "Fire", draw_fire_pictogram},
    {"Tunafish", "Tunafish", draw_tunafish_pictogram},
};

// The digit that sets the kind, on a dark disc inside the button's corner.
Raster with_digit_key(Raster button, int digit) {
    Canvas canvas(std::move(button));
    canvas.fill_circle({23 / 128.0, 23 / 128.0}, 11.5 / 128, {8, 20, 38, 220});
    Raster marked = canvas.image();
    draw_text_centred(marked, std::to_string(digit), {13, {255, 216, 84, 255}, true}, 23, 15);
    return marked;
}

}  // namespace

std::vector<NamedPicture> draw_kind_buttons() {
    std::vector<NamedPicture> buttons;
    int digit = 0;
    for (const Kind& kind : kKinds) {
        for (const bool selected : {false, true})
            buttons.push_back({std::string("menu/kind") + kind.name + (selected ? "S.png" : "U.png"),
                               with_digit_key(draw_popup_button(kind.label, kind.draw, selected), digit)});
        ++digit;
    }
    return buttons;
}

}  // namespace floebound::tools
