#include "game/level_view.h"

#include "app/camera.h"
#include "game/level_hud.h"
#include "game/level_state.h"
#include "game/popup.h"
#include "media/screen_image.h"
#include "media/texture.h"
#include "world/terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

namespace floebound {

namespace {

constexpr float marker_height = 1;
constexpr int victory_width = 256;
constexpr int victory_height = 128;
constexpr int level_font = 1;
constexpr int hint_font = 3;
constexpr TextColour white_text = {255, 255, 255, 0};
// The supply tokens are drawn 8 pixels wide; the count stands clear of the
// rightmost one, about level with the figures' middles.
constexpr int supply_count_gap = hud_icon_spacing + 6;
constexpr int supply_count_drop = 9;

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

void draw_actors(const std::deque<Actor>& actors) {
    for (const Actor& actor : actors) draw_actor(actor);
}

// A flat picture lying one unit above the ground over the square.
void draw_marker(const Image* image, int column, int row) {
    if (!image) return;
    glBindTexture(GL_TEXTURE_2D, image->texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    constexpr int corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    glBegin(GL_QUADS);
    for (const auto& corner : corners) {
        const int a = corner[0], b = corner[1];
        glTexCoord2f(static_cast<float>(b), static_cast<float>(1 - a));
        glVertex3f(field_line(column + a), marker_height, field_line(row + b));
    }
    glEnd();
    glDisable(GL_BLEND);
}

void draw_supply_row(int supply, int used, int y, const Image* used_icon, const Image* left_icon) {
    for_each_supply_icon(supply, used, y, camera.screen_width, [&](const HudIcon& icon) {
        draw_screen_image(static_cast<float>(icon.x), static_cast<float>(icon.y), icon.used ? used_icon : left_icon);
    });
}

int count(const std::deque<Actor>& actors) { return static_cast<int>(actors.size()); }

void draw_field_markers(const LevelState& level, const ImageHandle (&square_images)[5],
                        const ImageHandle (&level_art)[14]) {
    const bool penguins_left = count(level.penguins) < level.penguinMax;
    const bool skateboards_left = count(level.skateboards) < level.skateboardMax;
    for (int row = 0; row < grid_side; ++row) {
        for (int column = 0; column < grid_side; ++column) {
            const MarkerPicture marker = marker_picture(level.cell_at(column, row), column, row, level.goat_clock,
                                                        penguins_left, skateboards_left);
            if (marker.table == MarkerPicture::square_images)
                draw_marker(square_images[marker.index].get(), column, row);
            if (marker.table == MarkerPicture::level_art) draw_marker(level_art[marker.index].get(), column, row);
        }
    }
}

// What is left of a supply, just right of its row's rightmost token; a
// level without that supply shows no row and no count, and a row running off
// the screen takes its count with it.
void draw_supply_count(FontTable& fonts, int supply, int used, int y) {
    if (supply <= 0) return;
    const long long pen_x = static_cast<long long>(supply) * hud_icon_spacing + supply_count_gap;
    if (pen_x >= camera.screen_width) return;
    char text[32];
    std::snprintf(text, sizeof text, "%d left", std::max(0, supply - used));
    TextRect pen = {static_cast<std::int16_t>(pen_x), static_cast<std::int16_t>(y + supply_count_drop), 0, 0};
    draw_outlined_text(fonts, text, hint_font, white_text, &pen);
}

// Supplies, level number and hint line. White text on snow would vanish, so
// all of it is drawn with a dark rim.
void draw_status(const LevelState& level, const ImageHandle (&level_art)[14], FontTable& fonts, int level_number,
                 const char* hint_line) {
    const int penguins_used = count(level.penguins), skateboards_used = count(level.skateboards);
    const int goats_used = static_cast<int>(level.goats.size());
    draw_supply_row(level.penguinMax, penguins_used, penguin_row_y, level_art[art_penguin_used].get(),
                    level_art[art_penguin_left].get());
    draw_supply_row(level.skateboardMax, skateboards_used, skateboard_row_y, level_art[art_skateboard_used].get(),
                    level_art[art_skateboard_left].get());
    draw_supply_row(level.goatMax, goats_used, goat_row_y, level_art[art_goat_used].get(),
                    level_art[art_goat_left].get());

    // The icons switched blending off; the glyphs carry no alpha, so text
    // shows only when added on.
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    draw_supply_count(fonts, level.penguinMax, penguins_used, penguin_row_y);
    draw_supply_count(fonts, level.skateboardMax, skateboards_used, skateboard_row_y);
    draw_supply_count(fonts, level.goatMax, goats_used, goat_row_y);
    char level_text[32];
    std::snprintf(level_text, sizeof level_text, "Level %d", level_number + 1);
    TextRect level_pen = {static_cast<std::int16_t>(camera.screen_width - 160), 20, 0, 0};
    draw_outlined_text(fonts, level_text, level_font, white_text, &level_pen);
    TextRect hint_pen = {static_cast<std::int16_t>(camera.screen_width / 2 - 150),
                         static_cast<std::int16_t>(camera.screen_height - 25), 0, 0};
    draw_outlined_text(fonts, hint_line, hint_font, white_text, &hint_pen);
}

}  // namespace

LevelView::LevelView() {
    for (int i = 0; i < 5; ++i) square_images_[i] = load_with_texture(square_image_paths[i]);
    for (int i : level_art_order) level_art_[i] = load_with_texture(level_art_paths[i]);
}

void LevelView::draw_field(const LevelState& state, Terrain& terrain) const {
    glDisable(GL_CULL_FACE);
    terrain.draw();
    // The markers lie flat just above the ground and must win against it.
    glDepthFunc(GL_ALWAYS);
    draw_field_markers(state, square_images_, level_art_);
    glDepthFunc(GL_LEQUAL);

    glEnable(GL_CULL_FACE);
    draw_actors(state.penguins);
    draw_actors(state.cows);
    draw_actors(state.skateboards);
    draw_actors(state.buckets);
    // Tunafish stop penguins, so the player must see them; like buckets they stand still.
    draw_actors(state.tunafish_list);
    for (const ParticleEmitter& fire : state.fires) emitter_draw(fire);
    // The trees' leaves are cut out of their skins by alpha.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    draw_actors(state.trees);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
}

void LevelView::draw(const LevelState& state, Terrain& terrain, Popup* popup, FontTable& fonts, int level_number,
                     const char* hint_line) const {
    draw_field(state, terrain);

    begin_hud(camera);
    // The overlay shows pictures as they are. The actors' draw switches
    // lighting off, but a field without models leaves the terrain's on.
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    draw_status(state, level_art_, fonts, level_number, hint_line);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const bool won = state.cows.empty();
    if (won) {
        const float x = static_cast<float>((camera.screen_width - victory_width) / 2);
        const float y = static_cast<float>((camera.screen_height - victory_height) / 2);
        draw_screen_image(x, y, level_art_[art_victory].get());
    }
    // The text left texturing on and the colour white, as the buttons need.
    // A won level's popup is on its way out (end_frame).
    if (popup && !won) popup->draw();

    glDisable(GL_BLEND);
    end_hud(camera);
}

}  // namespace floebound
