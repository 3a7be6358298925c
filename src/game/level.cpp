#include "game/level.h"

#include "app/keys.h"

bool Level::handle_key(int key, bool released) {
    if (key != key_escape) return false;
    if (released) quit_requested = true;
    return true;
}
