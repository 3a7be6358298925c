#pragma once

#include <string>

namespace floebound {

// The one-line text field the level's name is typed in. Keys arrive as key
// codes, so it keeps the shift keys' state itself and reads the other keys
// as a US keyboard lays them out. A character that would break the name's
// rules (see name_problem) is refused, with the reason, and not typed: that
// is also where a long name is cut.
class NameField {
public:
    explicit NameField(std::string text) : text_(std::move(text)) {}

    enum class Outcome { typing, done, cancelled };
    // Return is done, escape (on its release) cancels; backspace takes the
    // last character.
    Outcome handle_key(int key, bool released);

    const std::string& text() const { return text_; }
    // The name to keep once done: the text without spaces at its ends.
    std::string name() const;
    // Why the last key typed nothing, until the next key.
    const std::string& problem() const { return problem_; }

private:
    std::string text_;
    std::string problem_;
    int shift_held_ = 0;
};

}  // namespace floebound
