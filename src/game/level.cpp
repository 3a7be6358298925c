#include "game/level.h"

#include "game/hint.h"
#include "media/image.h"
#include "media/texture.h"
#include "world/terrain.h"

namespace floebound {

namespace {

// The cursor starts on square (3,3).
constexpr int start_cursor = field_cursor_offset + 3;

constexpr const char* square_image_paths[5] = {
    "data/fbdPengNOff.png", "data/fbdPengNOn.png", "data/fbdPengSOff.png", "data/fbdPengSOn.png",
    "data/fbdTarget.png",
};

constexpr const char* level_art_paths[14] = {
    "data/CWGoat1.png",      "data/CWGoat2.png",     "data/CWGoat3.png",      "data/CCWGoat1.png",
    "data/CCWGoat2.png",     "data/CCWGoat3.png",    "data/hud/PengOFFs.png", "data/hud/PengONs.png",
    "data/hud/SkatOFFs.png", "data/hud/SkatONs.png", "data/hud/GoatOFFs.png", "data/hud/GoatONs.png",
    "models/shrub/s6.png",   "data/Victory.png",
};

// The order fixes which pool textures the pictures get; the shrub comes
// between the goat frames and the HUD icons.
constexpr int level_art_order[14] = {0, 1, 2, 3, 4, 5, 12, 6, 7, 8, 9, 10, 11, 13};

ImageHandle load_with_texture(const char* path) {
    ImageHandle image = load_image(path);
    make_texture(image.get());
    return image;
}

}  // namespace

Level::Level(GameAssets& assets) : terrain(std::make_unique<Terrain>("data/field.png")), assets_(assets) {
    terrain->set_cursor(start_cursor, start_cursor);
    for (int i = 0; i < 5; ++i) square_images[i] = load_with_texture(square_image_paths[i]);
    for (int i : level_art_order) level_art[i] = load_with_texture(level_art_paths[i]);
}

// Runs after the window has gone at shut-down, so nothing here may touch GL;
// the owned objects and the picture records only free memory (the textures
// stay with the pool).
Level::~Level() {
    // Popup, then terrain, then the pictures as members go: the order their
    // releases always had.
    popup.reset();
    terrain.reset();
}

void Level::close_popup() {
    popup.reset();
    popup_open = false;
}

void Level::cursor_square(int& column, int& row) const {
    const TerrainCursor cursor = terrain->get_cursor();
    column = cursor.second - field_cursor_offset;
    row = cursor.first - field_cursor_offset;
}

const char* Level::next_penguin_name() { return penguins_named_++ % 2 == 0 ? "Gus" : "Penguin"; }

}  // namespace floebound
