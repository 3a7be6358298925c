#pragma once

namespace floebound {

// Key codes as SDL 1.2 numbers them; joystick input is translated into these.
enum KeyCode : int {
    key_backspace = 8,
    key_tab = 9,
    key_return = 13,
    key_escape = 27,
    key_space = 32,
    key_plus = 43,
    key_minus = 45,
    key_zero = 48,
    key_equals = 61,
    key_left_bracket = 91,
    key_right_bracket = 93,
    key_a = 97,
    key_d = 100,
    key_e = 101,
    key_f = 102,
    key_h = 104,
    key_l = 108,
    key_m = 109,
    key_n = 110,
    key_p = 112,
    key_r = 114,
    key_s = 115,
    key_u = 117,
    key_w = 119,
    key_x = 120,
    key_keypad_minus = 269,
    key_keypad_plus = 270,
    key_up = 273,
    key_down = 274,
    key_right = 275,
    key_left = 276,
    key_page_up = 280,
    key_page_down = 281,
    key_f11 = 292,
    key_f12 = 293,
    key_right_shift = 303,
    key_left_shift = 304,
};

}  // namespace floebound
