#include "editor/name_field.h"

#include "app/keys.h"
#include "editor/level_name.h"

#include <cstring>

namespace floebound {

namespace {

// What a key types, unshifted and shifted, on a US keyboard; 0 for none.
char typed_character(int key, bool shifted) {
    if (key >= 'a' && key <= 'z') return static_cast<char>(shifted ? key - 'a' + 'A' : key);
    if (key == ' ') return ' ';
    constexpr const char* plain = "1234567890-=[]\\;',./`";
    constexpr const char* upper = "!@#$%^&*()_+{}|:\"<>?~";
    if (key <= 0 || key > 127) return 0;
    const char* at = std::strchr(plain, key);
    if (!at) return 0;
    return shifted ? upper[at - plain] : *at;
}

}  // namespace

NameField::Outcome NameField::handle_key(int key, bool released) {
    if (key == key_left_shift || key == key_right_shift) {
        // Held on both sides at once counts until both are up.
        shift_held_ += released ? -1 : 1;
        if (shift_held_ < 0) shift_held_ = 0;
        return Outcome::typing;
    }
    // Escape on the release, so that its release cannot reach the editor
    // behind and leave it.
    if (key == key_escape) return released ? Outcome::cancelled : Outcome::typing;
    if (released) return Outcome::typing;
    problem_.clear();
    if (key == key_return) return Outcome::done;
    if (key == key_backspace) {
        if (!text_.empty()) text_.pop_back();
        return Outcome::typing;
    }
    const char c = typed_character(key, shift_held_ > 0);
    if (!c) return Outcome::typing;
    const std::string longer = text_ + c;
    problem_ = name_problem(longer);
    if (problem_.empty()) text_ = longer;
    return Outcome::typing;
}

std::string NameField::name() const {
    const std::size_t first = text_.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text_.substr(first, text_.find_last_not_of(' ') - first + 1);
}

}  // namespace floebound
