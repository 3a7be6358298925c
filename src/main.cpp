#include "app/camera.h"
#include "app/command_line.h"
#include "app/frame_clock.h"
#include "app/game_folder.h"
#include "app/heap_settings.h"
#include "app/input.h"
#include "app/keys.h"
#include "app/profile.h"
#include "app/scene_stack.h"
#include "app/sdl_start.h"
#include "app/window.h"
#include "editor/kind_picker_view.h"
#include "editor/level_saving.h"
#include "frontend/menu.h"
#include "game/game_assets.h"
#include "game/level.h"
#include "game/level_sequence.h"
#include "scenes/screens.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/stat.h>

using namespace floebound;

namespace {

// How long the loop sleeps each round while the window is hidden.
constexpr Uint32 hidden_pause_ms = 50;

// Bottom right of the screen, rimmed dark to read on snow. The text texture
// carries no alpha, so it is drawn additively; the usual alpha blending is put
// back for what follows.
void draw_fps_readout(Fonts& fonts, FpsReadout& readout, float rate, int elapsed_ms) {
    begin_hud(camera);
    const std::string text = fps_readout_text(readout, rate, elapsed_ms);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    TextRect rect = {static_cast<std::int16_t>(camera.screen_width - 160),
                     static_cast<std::int16_t>(camera.screen_height - 80), 0, 0};
    draw_outlined_text(fonts.table(), text.c_str(), 1, TextColour{255, 255, 255, 0}, &rect);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    end_hud(camera);
}

// A level file named on the command line must open the way the game opens
// level files, which refuses a FIFO or a folder rather than wait on it or
// read it as nothing; the refusal says why.
bool check_level_file(const std::string& path, std::string& error) {
    if (level_file_exists(path.c_str())) return true;
    const int open_errno = errno;
    struct stat info;
    const char* reason = stat(path.c_str(), &info) != 0 ? std::strerror(errno)
                         : S_ISREG(info.st_mode)        ? std::strerror(open_errno)
                                                        : "not a regular file";
    error = "cannot read " + path + ": " + reason;
    return false;
}

// Makes `folder` the game folder, unless it is the working directory ("").
// The player's level files were named from where they stand, so they are
// made absolute first; and the camera read the working directory's screensize
// file before start, so the game folder's is read instead.
bool use_game_folder(const std::string& folder, CommandLine& options, std::string& error) {
    if (folder.empty()) return true;
    const std::string problem = game_folder_problem(folder);
    if (!problem.empty()) {
        error = folder + " is not a game folder: " + problem;
        return false;
    }
    for (std::string* player_file : {&options.level_file, &options.edit_file}) {
        if (player_file->empty()) continue;
        std::error_code failure;
        const std::filesystem::path absolute = std::filesystem::absolute(*player_file, failure);
        if (failure) {
            error = "cannot tell the current folder: " + failure.message();
            return false;
        }
        *player_file = absolute.string();
    }
    set_game_folder(folder);
    reread_screen_size(game_file("screensize.txt").c_str(), camera);
    return true;
}

// The furthest level saved in the profile, counted from 0; 0 when there is
// none or it cannot be trusted.
int saved_furthest_level(const Profile& profile, int level_count) {
    const ProfileNumber saved = profile.read(progress_file, progress_key, 1, 1000000000);
    if (saved.status != ProfileNumber::found) return 0;
    if (saved.value > level_count) {
        std::printf("Saved progress names level %d, but there are %d; continuing at level %d\n", saved.value,
                    level_count, level_count);
        return level_count - 1;
    }
    return saved.value - 1;
}

bool is_press_of(const SDL_Event& event, int key) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == key;
}

}  // namespace

int main(int argc, char** argv) {
    keep_freed_memory();
    // Console lines go to logs and pipes as they happen, not when a buffer fills.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    CommandLine options;
    std::string error;
    if (!parse_command_line(argc - 1, argv + 1, options, error)) {
        std::fprintf(stderr, "floebound: %s\nTry \"floebound --help\" for the options.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usage_text, stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(version_text.c_str(), stdout);
        return 0;
    }
    if (!options.level_file.empty() && !check_level_file(options.level_file, error)) {
        std::fprintf(stderr, "floebound: %s\n", error.c_str());
        return 2;
    }
    if (!options.edit_file.empty()) {
        const std::string problem = edit_file_problem(options.edit_file);
        if (!problem.empty()) {
            std::fprintf(stderr, "floebound: cannot edit %s: %s\n", options.edit_file.c_str(), problem.c_str());
            return 2;
        }
    }
    if (!use_game_folder(chosen_game_folder(options.data, std::getenv("FLOEBOUND_DATA")), options, error)) {
        std::fprintf(stderr, "floebound: %s\n", error.c_str());
        return 2;
    }
    // The level to edit is read now, before the window: a file that fails
    // here is a mistake on the command line like any other.
    std::optional<LevelDocument> edit_document;
    if (!options.edit_file.empty()) {
        edit_document = open_document(options.edit_file);
        if (!edit_document) {
            std::fprintf(stderr, "floebound: cannot edit %s: %s\n", options.edit_file.c_str(), std::strerror(errno));
            return 2;
        }
    }
    const int level_count = count_levels();
    if (options.level > level_count) {
        std::fprintf(stderr, "floebound: there is no level %d; the game has %d\n", options.level, level_count);
        return 2;
    }
    Profile profile(profile_folder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    if (profile.folder().empty()) std::printf("No home folder: progress and settings will not be saved\n");

    if (!start_sdl(error)) {
        std::fprintf(stderr, "floebound: %s\n", error.c_str());
        return 1;
    }
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::printf("Unable to open audio!\n");
        std::exit(1);
    }
    GameAssets assets;
    bool muted = profile.read(settings_file, mute_key, 0, 1).value == 1;
    set_muted(muted);
    static_cast<void>(SDL_JoystickOpen(0));  // none is normal: its events never come
    if (!open_window(options.windowed, error)) {
        std::fprintf(stderr, "floebound: %s\n", error.c_str());
        SDL_Quit();
        return 1;
    }
    set_view_state();
    init_texture_pool();
    set_light();

    // The intro's first picture is on screen before the other pictures, the
    // level and its models load, in the order they always did.
    IntroPictures intro_pictures;
    KindPictures kind_pictures;  // loaded when an editor first opens
    Menu menu(assets.sounds, intro_pictures);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    apply_camera(camera);
    menu.draw();
    SDL_GL_SwapBuffers();
    menu.load_other_pictures();

    Level level(assets);
    assets.popup_pictures.load_unless_loaded();  // before play, as every popup shares them
    level.progress.count = level_count;
    int furthest_saved = 0;
    if (!options.level_file.empty()) {
        level.play_only(options.level_file.c_str());
    } else {
        // Play continues where it was left, unless a level is asked for;
        // a level asked for counts as reached.
        furthest_saved = saved_furthest_level(profile, level_count);
        const int first = options.level ? options.level - 1 : furthest_saved;
        level.progress.furthest = std::max(furthest_saved, first);
        if (first == 0)
            level.load_level("data/level.txt");
        else
            level.go_to_level(first);
    }

    Screens screens(level, menu, assets, profile, kind_pictures, level_count, furthest_saved);
    if (edit_document)
        screens.start_editing(std::move(*edit_document), options.edit_file);
    else
        screens.start_with_intro();
    SceneStack& scenes = screens.stack();

    InputState input;
    FpsReadout readout;
    Uint32 last_ticks = SDL_GetTicks();
    assets.sounds.play_music(SoundId::song);

    while (!input.quit) {
        // A hidden window shows nothing, so it costs no drawing; the rules,
        // the clocks and the music go on, in slices as ever, a few times a
        // second.
        if (!input.hidden) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            apply_camera(camera);
            scenes.top().draw();
        }

        SDL_Delay(input.hidden ? hidden_pause_ms : 10);
        const Uint32 now = SDL_GetTicks();
        const int elapsed = clamp_frame_time(static_cast<int>(now - last_ticks));
        last_ticks = now;
        const float rate = 1.0f / (elapsed / 1000.0f);
        if (input.show_fps && !input.hidden) draw_fps_readout(assets.fonts, readout, rate, elapsed);

        // Fast forward runs more of the same slices, so the rules see no difference.
        for (int slice : update_slices(elapsed * scenes.top().time_scale())) {
            scenes.pop_done();
            scenes.top().update(slice);
        }
        screens.save_progress();
        if (!input.hidden) SDL_GL_SwapBuffers();

        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (is_press_of(event, key_m) && !scenes.top().takes_text()) {
                muted = !muted;
                set_muted(muted);
                profile.save(settings_file, mute_key, muted);
            }
            scenes.pop_done();
            dispatch_event(event, input, scenes.top(), level);
        }
        scenes.pop_done();
    }

    // The objects outlive the window; none of them needs a live context to die.
    SDL_Quit();
    return 0;
}
