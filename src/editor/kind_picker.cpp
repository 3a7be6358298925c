#include "editor/kind_picker.h"

#include "app/keys.h"

namespace floebound {

const CellKind placeable_kinds[placeable_kind_count] = {
    CellKind::empty,  CellKind::penguin_square, CellKind::tree,     CellKind::target,   CellKind::cow,
    CellKind::skateboard_square, CellKind::bucket, CellKind::fire, CellKind::tunafish,
};

std::optional<CellKind> kind_of_digit_key(int key) {
    if (key < key_zero || key >= key_zero + placeable_kind_count) return std::nullopt;
    return placeable_kinds[key - key_zero];
}

KindPicker::KindPicker(CellKind current) {
    for (int i = 0; i < placeable_kind_count; ++i)
        if (placeable_kinds[i] == current) selected_ = i;
}

void KindPicker::choose(CellKind kind) {
    chosen_ = kind;
    open_ = false;
}

bool KindPicker::handle_key(int key, bool released) {
    if (const std::optional<CellKind> kind = kind_of_digit_key(key)) {
        if (!released) choose(*kind);
        return true;
    }
    const int column = selected_ % columns;
    switch (key) {
    case key_return:
    case key_space:
        // The press: the release of the space that opened the popup comes here too.
        if (!released) choose(placeable_kinds[selected_]);
        return true;
    case key_escape:
        if (released) open_ = false;
        return true;
    case key_left:
        if (released && column > 0) --selected_;
        return true;
    case key_right:
        if (released && column + 1 < columns) ++selected_;
        return true;
    case key_up:
        if (released && selected_ >= columns) selected_ -= columns;
        return true;
    case key_down:
        if (released && selected_ + columns < placeable_kind_count) selected_ += columns;
        return true;
    default:
        return false;
    }
}

}  // namespace floebound
