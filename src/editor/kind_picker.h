#pragma once

#include "puzzle/grid.h"

#include <optional>

namespace floebound {

// The square kinds a level file holds, in the order of the digit keys 0 to 8
// and of the kind popup's grid, row by row.
constexpr int placeable_kind_count = 9;
extern const CellKind placeable_kinds[placeable_kind_count];

// The kind a digit key sets directly, or nothing for any other key.
std::optional<CellKind> kind_of_digit_key(int key);

// The popup of square kinds, as plain data: a 3 by 3 grid with one kind
// highlighted. It knows nothing of the field; its owner opens it on a square,
// passes it keys, and reads the kind chosen once it has closed. Its keys go
// as the command popup's do: space and return confirm on the press, escape
// closes on the release, the arrows move the highlight on the release (not
// round the edges); a digit chooses its kind at once.
class KindPicker {
public:
    static constexpr int columns = 3;

    // Opens with the square's own kind highlighted.
    explicit KindPicker(CellKind current);

    // True for the keys it takes; the camera keys and the rest go past it.
    bool handle_key(int key, bool released);

    bool is_open() const { return open_; }
    // Once closed: the kind chosen, or nothing when escape closed it.
    std::optional<CellKind> chosen() const { return chosen_; }
    // Index into placeable_kinds of the highlighted kind.
    int selected() const { return selected_; }

private:
    void choose(CellKind kind);

    int selected_ = 0;
    bool open_ = true;
    std::optional<CellKind> chosen_;
};

}  // namespace floebound
