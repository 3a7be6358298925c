#pragma once

#include <string>

namespace floebound {

// SDL's subsystems as the game starts them: video first, which the game
// cannot do without, then audio and the joystick, which may be missing here
// (Mix_OpenAudio starts audio again and reports it; no joystick is normal).
// False, with what failed in SDL's words and nothing left started, when video
// could not start or its driver has no OpenGL.
[[nodiscard]] bool start_sdl(std::string& error);

}  // namespace floebound
