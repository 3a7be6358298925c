// Whole frames of the real game on a busy level: terrain, eight walking
// penguins, a cow, fires, trees, the HUD and an open popup, at the desktop's
// size. Run from the game folder under an X display of the size to measure:
//   cd build/game && ../bench/floebound_frame_bench [frames]

#include "app/camera.h"
#include "app/frame_clock.h"
#include "app/heap_settings.h"
#include "app/keys.h"
#include "app/window.h"
#include "frame_timing.h"
#include "game/game_assets.h"
#include "game/level.h"
#include "game/popup.h"
#include "media/sound.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace floebound;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int default_frames = 600;
// Each frame advances the game by one full update slice.
constexpr int frame_ms = max_update_slice_ms;
constexpr int penguin_count = 8;
constexpr int longest_warm_up_ms = 60000;
// Enough for the popup's and the texts' first uploads to be behind us.
constexpr int drawn_warm_up_frames = 30;

// The penguins drop in at (1, 5) and walk for ever round a ring of clockwise
// goats at (1, 1), (6, 1), (6, 6) and (1, 6); the cow at (3, 3), inside the
// ring, is never reached, so the level is never won.
constexpr const char* busy_level_text =
    "x..F...x\n"
    "........\n"
    "........\n"
    "...C....\n"
    "....x...\n"
    ".D......\n"
    "........\n"
    "x...F..x\n"
    "penguinMax=8\n"
    "goatMax=4\n";
constexpr int penguin_column = 1;
constexpr int penguin_row = 5;
constexpr int goat_squares[4][2] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};

// The game reads data/ from the game folder, so the level goes to a
// file of its own elsewhere rather than beside the real ones.
bool load_busy_level(Level& level) {
    char path[] = "/tmp/floebound-frame-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return false;
    std::FILE* file = fdopen(fd, "w");
    const bool written = file && std::fputs(busy_level_text, file) >= 0;
    if (file) std::fclose(file);
    if (written) level.load_level(path);
    unlink(path);
    return written && !level.cows.empty();
}

void set_penguins_walking(Level& level) {
    for (const auto& square : goat_squares)
        level.apply_command(PopupCommand::goat_cw, square[0], square[1]);
    for (int i = 0; i < penguin_count; ++i)
        level.apply_command(PopupCommand::penguin, penguin_column, penguin_row);
}

// Landed and walking: none is still falling or queued on the penguin square.
bool all_penguins_walking(const Level& level) {
    return std::all_of(level.penguins.begin(), level.penguins.end(),
                       [](const Actor& penguin) { return penguin.position[1] == 0 && penguin.walking; });
}

// Penguins that meet on a square wait for each other a moment, so some are
// always standing; all of them standing means they are stuck for good.
bool any_penguin_walking(const Level& level) {
    return std::any_of(level.penguins.begin(), level.penguins.end(),
                       [](const Actor& penguin) { return penguin.walking; });
}

// One frame of the game's loop without its sleep, finished on the GPU side too.
void run_frame(Level& level) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    apply_camera(camera);
    level.draw();
    level.end_frame();
    for (int slice : update_slices(frame_ms)) level.update(slice);
    SDL_GL_SwapBuffers();
    glFinish();
}

double peak_rss_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    keep_freed_memory();
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : default_frames;
    if (frames < 1) {
        std::fprintf(stderr, "usage: floebound_frame_bench [frames]\n");
        return 2;
    }
    // The dummy driver needs no sound card yet still runs the mixer, so the
    // figures compare across machines; a driver given by the caller wins.
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO);
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::fprintf(stderr, "frame bench: unable to open audio\n");
        return 1;
    }
    GameAssets assets;
    std::string error;
    if (!open_window(false, error)) {
        std::fprintf(stderr, "frame bench: %s\n", error.c_str());
        return 1;
    }
    set_view_state();
    init_texture_pool();
    set_light();

    Level level(assets);
    if (!load_busy_level(level)) {
        std::fprintf(stderr, "frame bench: the busy level did not load (run from the game folder)\n");
        return 1;
    }
    set_penguins_walking(level);
    assets.sounds.play_music(SoundId::puzzle_theme);
    run_frame(level);
    const double first_frame_ms = ms_between(started, Clock::now());

    // Rules only: drawing the seconds the penguins take to land and file out
    // would measure nothing new.
    int warmed_ms = 0;
    while (!all_penguins_walking(level) && warmed_ms < longest_warm_up_ms) {
        level.update(frame_ms);
        warmed_ms += frame_ms;
    }
    if (!all_penguins_walking(level)) {
        std::fprintf(stderr, "frame bench: the penguins never all walked\n");
        return 1;
    }
    level.handle_key(key_space, false);  // the popup stays open for every timed frame
    for (int i = 0; i < drawn_warm_up_frames; ++i) run_frame(level);

    const FrameTiming timing = time_frames(frames, [&] { run_frame(level); });
    if (!level.popup_open || level.cows.empty() || !any_penguin_walking(level)) {
        std::fprintf(stderr, "frame bench: the level did not stay busy\n");
        return 1;
    }

    // The game's own console lines come before this; run-frame-bench keeps
    // only what follows the heading.
    std::printf("Frame benchmark\n");
    std::printf("resolution          %dx%d\n", camera.screen_width, camera.screen_height);
    std::printf("frames              %ld\n", frames);
    print_frame_timing(timing);
    std::printf("first frame after   %.0f ms\n", first_frame_ms);
    std::printf("peak RSS            %.1f MiB\n", peak_rss_mib());
    SDL_Quit();
    return 0;
}
