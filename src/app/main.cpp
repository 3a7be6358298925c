#include "app/camera.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/window.h"
#include "frontend/menu.h"
#include "game/level.h"
#include "game/popup.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/texture.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Bottom right of the screen, rimmed dark to read on snow. The text texture
// carries no alpha, so it is drawn additively; the usual alpha blending is put
// back for what follows.
void draw_fps_readout(FpsReadout& readout, float rate, int elapsed_ms) {
    begin_hud(camera);
    const std::string text = fps_readout_text(readout, rate, elapsed_ms);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    TextRect rect = {static_cast<std::int16_t>(camera.screen_width - 160),
                     static_cast<std::int16_t>(camera.screen_height - 80), 0, 0};
    draw_outlined_text(get_fonts(), text.c_str(), 1, TextColour{255, 255, 255, 0}, &rect);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    end_hud(camera);
}

}  // namespace

int main(int, char**) {
    // Console lines go to logs and pipes as they happen, not when a buffer fills.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::printf("Unable to open audio!\n");
        std::exit(1);
    }
    sound_bank();
    SDL_JoystickOpen(0);
    open_window(false);
    set_view_state();
    init_texture_pool();
    set_light();

    Menu menu;
    Level level;
    Popup popup;  // never shown: constructing it loads the pictures every popup shares
    level.load_level("data/level.txt");

    InputState input;
    FpsReadout readout;
    Uint32 last_ticks = SDL_GetTicks();
    play_music(SoundId::song);

    while (!input.quit) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        apply_camera(camera);
        if (menu.is_active())
            menu.draw();
        else
            level.draw();

        SDL_Delay(10);
        const Uint32 now = SDL_GetTicks();
        const int elapsed = clamp_frame_time(static_cast<int>(now - last_ticks));
        last_ticks = now;
        const float rate = 1.0f / (elapsed / 1000.0f);
        if (input.show_fps) draw_fps_readout(readout, rate, elapsed);

        for (int slice : update_slices(elapsed)) {
            if (menu.is_active())
                menu.update(slice);
            else
                level.update(slice);
        }
        SDL_GL_SwapBuffers();

        SDL_Event event;
        while (SDL_PollEvent(&event)) dispatch_event(event, input, menu, level, level.quit_requested);
    }

    // The objects outlive the window; none of them needs a live context to die.
    SDL_Quit();
    return 0;
}
