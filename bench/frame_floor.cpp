// The reference for the frame benchmark: the least work a frame of its busy
// level can take with the same OpenGL 1.x calls. The same window, ground and
// camera, the same model triangles on the same squares (each pose blended once
// at start-up, not every frame), the fires' particles as they stand after a
// few seconds (drawn, never updated), one HUD quad, swap. Also the time a minimal
// SDL + GL program takes from entering main to its first swapped frame.
// Run from the game folder under an X display of the size to measure:
//   cd build/game && ../bench/floebound_frame_floor [frames]

#include "app/camera.h"
#include "app/heap_settings.h"
#include "app/orbit.h"
#include "app/window.h"
#include "game/grid.h"
#include "game/particles.h"
#include "media/image.h"
#include "media/screen_image.h"
#include "media/texture.h"
#include "meshes/md2.h"
#include "world/terrain.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int default_frames = 600;
constexpr float model_lift = 24;

// Where the busy level's models stand: eight penguins on its ring of goats
// and the cow inside it.
constexpr int penguin_squares[8][2] = {{1, 1}, {3, 1}, {6, 1}, {6, 3}, {6, 6}, {4, 6}, {1, 6}, {1, 4}};
constexpr int cow_square[2] = {3, 3};
constexpr int tree_squares[5][2] = {{0, 0}, {7, 0}, {4, 4}, {0, 7}, {7, 7}};
constexpr int fire_squares[2][2] = {{3, 0}, {4, 7}};
constexpr int fire_warm_up_ms = 3000;

struct Pose {
    std::vector<Md2CornerVertex> corners;
    unsigned int texture = 0;
    float s_scale = 1;
    float t_scale = 1;
};

double ms_between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

bool load_pose(const char* model_path, const char* skin_path, Pose& pose) {
    Md2Model* model = load_md2(model_path);
    Image* skin = load_image(skin_path);
    if (!model || !skin) return false;
    pose.corners.resize(static_cast<std::size_t>(model->triangle_count) * 3);
    float box[6];
    md2_build_vertices(model, 0, 1, 0.5f, pose.corners.data(), box);
    pose.texture = make_texture(skin);
    pose.s_scale = static_cast<float>(skin->width) / static_cast<float>(skin->tex_width);
    pose.t_scale = static_cast<float>(skin->height) / static_cast<float>(skin->tex_height);
    free_md2(model);
    free_image(skin);
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

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

double main_thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

long minor_page_faults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    keep_freed_memory();
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : default_frames;
    if (frames < 1) {
        std::fprintf(stderr, "usage: floebound_frame_floor [frames]\n");
        return 2;
    }
    SDL_Init(SDL_INIT_VIDEO);
    open_window(false);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glFinish();
    const double first_frame_ms = ms_between(started, Clock::now());

    set_view_state();
    init_texture_pool();
    set_light();
    Terrain terrain("data/field.png");
    Pose penguin;
    Pose cow;
    Pose tree;
    Image* hud = load_image("data/hud/PengONs.png");
    if (!load_pose("models/penguin/tris.md2", "models/penguin/penguin.png", penguin) ||
        !load_pose("models/cow/tris.md2", "models/cow/cow.png", cow) ||
        !load_pose("models/shrub/tris.md2", "models/shrub/s6.png", tree) || !hud) {
        std::fprintf(stderr, "frame floor: the models or pictures did not load (run from the game folder)\n");
        return 1;
    }
    make_texture(hud);
    ParticleEmitter fires[4];
    for (int i = 0; i < 4; ++i) {
        const CellCentre centre = cell_centre(fire_squares[i / 2][0], fire_squares[i / 2][1]);
        emitter_start(fires[i], i % 2 ? &fire_params_2 : &fire_params_1, centre.x, centre.y, centre.z);
        for (int ms = 0; ms < fire_warm_up_ms; ms += 18) emitter_update(fires[i], 18);
    }
    Orbit orbit{1.0f, 4.74f, 800, 0, 0, 0};
    orbit_step(orbit, 0);

    const auto frame = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        apply_camera(camera);
        terrain.draw();
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
        draw_screen_image(10, 10, hud);
        end_hud(camera);
        glEnable(GL_LIGHTING);
        SDL_GL_SwapBuffers();
        glFinish();
    };
    for (int i = 0; i < 30; ++i) frame();

    std::vector<double> work_ms;
    work_ms.reserve(frames);
    const long faults_before = minor_page_faults();
    const double cpu_before = main_thread_cpu_ms();
    for (long i = 0; i < frames; ++i) {
        const Clock::time_point begin = Clock::now();
        frame();
        work_ms.push_back(ms_between(begin, Clock::now()));
    }
    std::printf("Frame floor\n");
    std::printf("resolution          %dx%d\n", camera.screen_width, camera.screen_height);
    std::printf("frame work median   %.2f ms\n", percentile(work_ms, 0.5));
    std::printf("frame work p99      %.2f ms\n", percentile(work_ms, 0.99));
    std::printf("main thread CPU     %.2f ms per frame\n", (main_thread_cpu_ms() - cpu_before) / frames);
    std::printf("page faults         %.2f per frame\n",
                static_cast<double>(minor_page_faults() - faults_before) / frames);
    std::printf("first frame after   %.0f ms\n", first_frame_ms);
    SDL_Quit();
    return 0;
}
