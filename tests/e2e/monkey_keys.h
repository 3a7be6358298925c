#pragma once

// The keys random play presses, as xdotool names them, and how often: the
// whole of what the game answers, weighted toward play (the arrows, space and
// return move the cursor and give the commands). A key a new screen answers is
// one more line here.
struct MonkeyKey {
    const char* name;
    int weight;
    enum Kind {
        tap,     // pressed and released
        hold,    // held down for a while, as fast forward is
        escape,  // in play the quit popup opens, and is answered "no"
    } kind;
};

inline constexpr MonkeyKey monkey_keys[] = {
    {"Up", 12, MonkeyKey::tap},
    {"Down", 12, MonkeyKey::tap},
    {"Left", 12, MonkeyKey::tap},
    {"Right", 12, MonkeyKey::tap},
    {"space", 14, MonkeyKey::tap},
    {"Return", 4, MonkeyKey::tap},
    {"Escape", 3, MonkeyKey::escape},
    {"h", 2, MonkeyKey::tap},
    {"f", 2, MonkeyKey::hold},
    {"m", 2, MonkeyKey::tap},
    {"Tab", 2, MonkeyKey::tap},
    {"Prior", 2, MonkeyKey::tap},  // Page Up
    {"Next", 2, MonkeyKey::tap},   // Page Down
    {"F11", 1, MonkeyKey::tap},
    {"F12", 2, MonkeyKey::tap},
    // The camera.
    {"w", 2, MonkeyKey::tap},
    {"s", 2, MonkeyKey::tap},
    {"a", 2, MonkeyKey::tap},
    {"d", 2, MonkeyKey::tap},
    {"w", 1, MonkeyKey::hold},
    {"d", 1, MonkeyKey::hold},
    {"bracketleft", 1, MonkeyKey::tap},
    {"bracketright", 1, MonkeyKey::tap},
    // The level select: arrows, space or return, the page keys, and Escape or
    // l to leave.
    {"l", 2, MonkeyKey::tap},
    // The editor: n and e in the level select open it; there the digits set
    // a square, u and r undo and redo, p tries the level, x tilts the camera
    // down, s saves, and n names the level (typed letters end with return).
    {"n", 1, MonkeyKey::tap},
    {"e", 1, MonkeyKey::tap},
    {"1", 1, MonkeyKey::tap},
    {"2", 1, MonkeyKey::tap},
    {"4", 1, MonkeyKey::tap},
    {"8", 1, MonkeyKey::tap},
    {"u", 1, MonkeyKey::tap},
    {"r", 1, MonkeyKey::tap},
    {"p", 1, MonkeyKey::tap},
    {"x", 1, MonkeyKey::tap},
};
