#include "frontend/menu.h"

#include "app/keys.h"

bool Menu::handle_key(int key, bool released) {
    if (key != key_space && key != key_return) return false;
    if (!released) active = false;
    return true;
}
