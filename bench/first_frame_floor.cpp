// The floor for the game's start: what the game must do before its first
// frame and nothing more. It links the game's libraries, opens the audio
// device before the window as the game must, opens the window, and draws the
// picture the game's first frame shows (the splash over the lit, textured
// intro field with its grid) with the least work the same OpenGL 1.x calls
// allow: the ground from one vertex array, the splash as one quad, swap.
// run-frame-bench times its first swap beside the game's.
// Run from the game folder: cd build/game && ../bench/floebound_first_frame_floor

#include "app/camera.h"
#include "app/sdl_start.h"
#include "app/window.h"
#include "media/image.h"
#include "media/screen_image.h"
#include "media/texture.h"
#include "world/terrain_mesh.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace floebound;

namespace {

// The intro's cursor, on the ground beyond the field.
constexpr int intro_cursor = 7;

}  // namespace

int main() {
    std::string error;
    if (!start_sdl(error) || Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0 || !open_window(false, error)) {
        std::fprintf(stderr, "first frame floor: %s\n", error.empty() ? "no audio" : error.c_str());
        return 1;
    }
    set_view_state();
    init_texture_pool();
    set_light();

    const ImageHandle ground = load_image("data/grass4.png");
    const ImageHandle heights = load_image("data/field.png");
    const ImageHandle splash = load_image("data/intro/kelpworks.png");
    if (!ground || !heights || !splash) {
        std::fprintf(stderr, "first frame floor: run from the game folder\n");
        return 1;
    }
    make_texture(ground.get());
    make_texture(splash.get());
    TerrainMesh mesh;
    build_terrain_mesh(mesh, *heights, nullptr, 64);

    // The grid lines as the terrain draws them, one strip a row, gathered once.
    std::vector<std::vector<GLuint>> grid_lines(static_cast<std::size_t>(mesh.rows));
    for (int r = 0; r < mesh.rows; ++r)
        for_each_grid_line_vertex(mesh, r, [&](int index) { grid_lines[r].push_back(static_cast<GLuint>(index)); });
    TerrainCursor cursor;
    set_terrain_cursor(cursor, mesh, intro_cursor, intro_cursor);
    const int highlight = cursor_cell_first_vertex(mesh, cursor);

    // The first frame is drawn before the intro's camera first moves.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    apply_camera(camera);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, ground->texture);
    glFrontFace(GL_CW);
    constexpr GLsizei stride = sizeof(TerrainVertex);
    const TerrainVertex* first = mesh.vertices.data();
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &first->s);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &first->colour);
    glNormalPointer(GL_FLOAT, stride, &first->normal);
    glVertexPointer(3, GL_FLOAT, stride, &first->position);
    const GLsizei strip = 2 * mesh.columns;
    for (int r = 0; r < mesh.rows; ++r) glDrawArrays(GL_TRIANGLE_STRIP, r * strip, strip);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1, 1, 0.4f, 0.5f);
    if (highlight >= 0) glDrawArrays(GL_TRIANGLE_STRIP, highlight, 4);
    glDepthFunc(GL_ALWAYS);
    glColor3f(255, 255, 255);
    for (const std::vector<GLuint>& line : grid_lines)
        glDrawElements(GL_LINE_STRIP, static_cast<GLsizei>(line.size()), GL_UNSIGNED_INT, line.data());
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_COLOR_MATERIAL);
    glDepthFunc(GL_LESS);

    begin_hud(camera);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    draw_screen_image(static_cast<float>((camera.screen_width - splash->width) / 2),
                      static_cast<float>((camera.screen_height - splash->height) / 2), splash.get());
    end_hud(camera);
    SDL_GL_SwapBuffers();
    SDL_Quit();
    return 0;
}
