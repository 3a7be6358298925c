#pragma once

namespace floebound {

// In the leak-checked build only: keeps every shared object loaded so far
// (after the window opens, the OpenGL driver's modules) loaded until the
// process ends. SDL_Quit unloads them before the leak check at exit runs, and
// what they leaked could then be named by no module; kept, each leak carries
// its module's name, which the checker's suppressions can match. Elsewhere it
// does nothing.
void keep_driver_modules_loaded();

}  // namespace floebound
