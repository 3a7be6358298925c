#include "editor/kind_picker_view.h"

#include "app/camera.h"
#include "media/screen_image.h"
#include "media/texture.h"

#include <GL/gl.h>

#include <string>

namespace floebound {

namespace {

constexpr int button_spacing = 128;

// By kind, in placeable_kinds' order.
constexpr const char* picture_names[placeable_kind_count] = {
    "Empty", "Penguin", "Tree", "Marked", "Cow", "Skateboard", "Bucket", "Fire", "Tunafish",
};

}  // namespace

void KindPictures::load_unless_loaded() {
    if (images[0]) return;
    for (int kind = 0; kind < placeable_kind_count; ++kind) {
        for (int selected = 0; selected < 2; ++selected) {
            const std::string path =
                std::string("data/menu/kind") + picture_names[kind] + (selected ? "S.png" : "U.png");
            images[2 * kind + selected] = load_image(path.c_str());
            make_texture(images[2 * kind + selected].get());
        }
    }
}

void draw_kind_picker(const KindPicker& picker, const KindPictures& pictures) {
    begin_hud(camera);
    const int rows = (placeable_kind_count + KindPicker::columns - 1) / KindPicker::columns;
    const int left = camera.screen_width / 2 - KindPicker::columns * button_spacing / 2;
    const int top = camera.screen_height / 2 - rows * button_spacing / 2;
    for (int kind = 0; kind < placeable_kind_count; ++kind) {
        const Image* image = pictures.images[2 * kind + (kind == picker.selected() ? 1 : 0)].get();
        if (!image || !image->texture) continue;
        draw_screen_image(static_cast<float>(left + kind % KindPicker::columns * button_spacing),
                          static_cast<float>(top + kind / KindPicker::columns * button_spacing), image);
    }
    glDisable(GL_BLEND);
    end_hud(camera);
}

}  // namespace floebound
