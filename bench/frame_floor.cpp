// The reference for the frame benchmark: the least work a frame of its busy
// level can take with the same OpenGL 1.x calls. The same window, ground and
// camera, the same model triangles on the same squares (each pose blended once
// at start-up, not every frame), the fires' particles as they stand after a
// few seconds (drawn, never updated), the field's markers, the HUD's icons and
// its four text lines and the popup's two buttons, swap. Text is drawn as the
// game must draw it (one texture uploaded, drawn with its dark rim, finished
// and deleted per line), from pixels made once instead of by the font engine.
// Run from the game folder under an X display of the size to measure:
//   cd build/game && ../bench/floebound_frame_floor [frames]

#include "app/camera.h"
#include "app/heap_settings.h"
#include "app/orbit.h"
#include "app/window.h"
#include "frame_timing.h"
#include "game/particles.h"
#include "media/image.h"
#include "media/screen_image.h"
#include "media/texture.h"
#include "meshes/md2.h"
#include "puzzle/grid.h"
#include "world/terrain.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace floebound;

namespace {

constexpr int default_frames = 600;
constexpr float model_lift = 24;

// Where the busy level's models stand: eight penguins on its ring of goats
// and the cow inside it.
constexpr int penguin_squares[8][2] = {{1, 1}, {3, 1}, {6, 1}, {6, 3}, {6, 6}, {4, 6}, {1, 6}, {1, 4}};
constexpr int cow_square[2] = {3, 3};
constexpr int tree_squares[5][2] = {{0, 0}, {7, 0}, {4, 4}, {0, 7}, {7, 7}};
constexpr int fire_squares[2][2] = {{3, 0}, {4, 7}};
constexpr int fire_warm_up_ms = 3000;
// Pictures on squares: the four goats, the penguin square, and a patch under
// each tree and fire.
constexpr int marker_squares[12][2] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}, {1, 5}, {0, 0},
                                       {7, 0}, {4, 4}, {0, 7}, {7, 7}, {3, 0}, {4, 7}};
// The HUD's rows: eight penguins and four goats, 8 pixels apart.
constexpr int penguin_icons = 8;
constexpr int goat_icons = 4;
constexpr int icon_spacing = 8;
// The texture sizes of the HUD's lines: two supply counts, the level number
// and the hint line.
constexpr int text_sizes[4][2] = {{64, 32}, {64, 32}, {128, 32}, {512, 32}};

struct Pose {
    std::vector<Md2CornerVertex> corners;
    unsigned int texture = 0;
    float s_scale = 1;
    float t_scale = 1;
};

bool load_pose(const char* model_path, const char* skin_path, Pose& pose) {
    const std::unique_ptr<Md2Model> model = load_md2(model_path);
    const ImageHandle skin = load_image(skin_path);
    if (!model || !skin) return false;
    pose.corners.resize(static_cast<std::size_t>(model->triangle_count) * 3);
    float box[6];
    md2_build_vertices(model.get(), 0, 1, 0.5f, pose.corners.data(), box);
    pose.texture = make_texture(skin.get());
    pose.s_scale = static_cast<float>(skin->width) / static_cast<float>(skin->tex_width);
    pose.t_scale = static_cast<float>(skin->height) / static_cast<float>(skin->tex_height);
    return true;
}

void draw_pose(const Pose& pose, int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    glBindTexture(GL_TEXTURE_2D, pose.texture);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(pose.s_scale, pose.t_scale, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(centre.x, model_lift, centre.z);
    glInterleavedArrays(GL_T2F_V3F, 0, pose.corners.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(pose.corners.size()));
    glPopMatrix();
}

// A picture lying on a square, just above the ground.
void draw_marker(const Image* image, int column, int row) {
    const CellCentre centre = cell_centre(column, row);
    const float half = cell_width / 2;
    glBindTexture(GL_TEXTURE_2D, image->texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(centre.x - half, 1, centre.z - half);
    glTexCoord2f(1, 0);
    glVertex3f(centre.x + half, 1, centre.z - half);
    glTexCoord2f(1, 1);
    glVertex3f(centre.x + half, 1, centre.z + half);
    glTexCoord2f(0, 1);
    glVertex3f(centre.x - half, 1, centre.z + half);
    glEnd();
}

void draw_text_line(const std::vector<unsigned char>& pixels, int width, int height, int x, int y) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    for (int copy = 0; copy < 9; ++copy) {
        const int dx = copy % 3 - 1;
        const int dy = copy / 3 - 1;
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2i(x + dx, y + dy);
        glTexCoord2f(1, 0);
        glVertex2i(x + dx + width, y + dy);
        glTexCoord2f(1, 1);
        glVertex2i(x + dx + width, y + dy + height);
        glTexCoord2f(0, 1);
        glVertex2i(x + dx, y + dy + height);
        glEnd();
    }
    glFinish();
    glDeleteTextures(1, &name);
}

}  // namespace

int main(int argc, char** argv) {
    keep_freed_memory();
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : default_frames;
    if (frames < 1) {
        std::fprintf(stderr, "usage: floebound_frame_floor [frames]\n");
        return 2;
    }
    SDL_Init(SDL_INIT_VIDEO);
    std::string error;
    if (!open_window(false, error)) {
        std::fprintf(stderr, "frame floor: %s\n", error.c_str());
        return 1;
    }
    set_view_state();
    init_texture_pool();
    set_light();
    Terrain terrain("data/field.png");
    Pose penguin;
    Pose cow;
    Pose tree;
    const ImageHandle hud = load_image("data/hud/PengONs.png");
    const ImageHandle marker = load_image("data/CWGoat1.png");
    const ImageHandle buttons[2] = {load_image("data/menu/menuCloseU.png"), load_image("data/menu/menuRestartS.png")};
    const std::vector<unsigned char> text_pixels(512 * 32 * 4, 200);
    if (!load_pose("models/penguin/tris.md2", "models/penguin/penguin.png", penguin) ||
        !load_pose("models/cow/tris.md2", "models/cow/cow.png", cow) ||
        !load_pose("models/shrub/tris.md2", "models/shrub/s6.png", tree) || !hud || !marker || !buttons[0] ||
        !buttons[1]) {
        std::fprintf(stderr, "frame floor: the models or pictures did not load (run from the game folder)\n");
        return 1;
    }
    for (Image* image : {hud.get(), marker.get(), buttons[0].get(), buttons[1].get()}) make_texture(image);
    ParticleSheet sheet;
    ParticleEmitter fires[4];
    for (int i = 0; i < 4; ++i) {
        const CellCentre centre = cell_centre(fire_squares[i / 2][0], fire_squares[i / 2][1]);
        emitter_start(fires[i], i % 2 ? &fire_params_2 : &fire_params_1, sheet.get(), centre.x, centre.y, centre.z);
        for (int ms = 0; ms < fire_warm_up_ms; ms += 18) emitter_update(fires[i], 18);
    }
    Orbit orbit{1.0f, 4.74f, 800, 0, 0, 0};
    orbit_step(orbit, 0);

    const auto frame = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        apply_camera(camera);
        terrain.draw();
        glDepthFunc(GL_ALWAYS);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        for (const auto& square : marker_squares) draw_marker(marker.get(), square[0], square[1]);
        glDisable(GL_BLEND);
        glDepthFunc(GL_LEQUAL);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CW);
        for (const auto& square : penguin_squares) draw_pose(penguin, square[0], square[1]);
        draw_pose(cow, cow_square[0], cow_square[1]);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0);
        for (const auto& square : tree_squares) draw_pose(tree, square[0], square[1]);
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_CULL_FACE);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        for (const ParticleEmitter& fire : fires) emitter_draw(fire);
        begin_hud(camera);
        glBlendFunc(GL_ONE, GL_ONE);
        glEnable(GL_BLEND);
        for (int i = 0; i < penguin_icons; ++i)
            draw_screen_image(static_cast<float>((penguin_icons - i) * icon_spacing), 10, hud.get());
        for (int i = 0; i < goat_icons; ++i)
            draw_screen_image(static_cast<float>((goat_icons - i) * icon_spacing), 74, hud.get());
        glEnable(GL_TEXTURE_2D);
        const int text_places[4][2] = {{78, 19}, {46, 83}, {camera.screen_width - 160, 20},
                                       {camera.screen_width / 2 - 150, camera.screen_height - 25}};
        for (int line = 0; line < 4; ++line)
            draw_text_line(text_pixels, text_sizes[line][0], text_sizes[line][1], text_places[line][0],
                           text_places[line][1]);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (int i = 0; i < 2; ++i)
            draw_screen_image(static_cast<float>(camera.screen_width / 2 - 128 + 128 * i),
                              static_cast<float>(camera.screen_height / 2 - 64), buttons[i].get());
        glDisable(GL_BLEND);
        end_hud(camera);
        glEnable(GL_LIGHTING);
        SDL_GL_SwapBuffers();
        glFinish();
    };
    for (int i = 0; i < 30; ++i) frame();

    const FrameTiming timing = time_frames(frames, frame);
    std::printf("Frame floor\n");
    std::printf("resolution          %dx%d\n", camera.screen_width, camera.screen_height);
    print_frame_timing(timing);
    SDL_Quit();
    return 0;
}
