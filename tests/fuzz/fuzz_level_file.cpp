// Feeds arbitrary bytes to the level file parser, directly and through a
// memory file for the reader, and checks what any level must look like.

#include "puzzle/level_file.h"

#include "line_ends.h"
#include "memory_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace floebound;

namespace {

// A level file names only these; goat squares and the outside never come from one.
bool is_file_kind(CellKind kind) {
    switch (kind) {
    case CellKind::empty:
    case CellKind::penguin_square:
    case CellKind::tree:
    case CellKind::target:
    case CellKind::cow:
    case CellKind::skateboard_square:
    case CellKind::bucket:
    case CellKind::fire:
    case CellKind::tunafish:
        return true;
    default:
        return false;
    }
}

bool same(const LevelFile& a, const LevelFile& b) {
    for (int cell = 0; cell < grid_cells; ++cell)
        if (a.cells[cell] != b.cells[cell]) return false;
    return a.penguinMax == b.penguinMax && a.goatMax == b.goatMax && a.skateboardMax == b.skateboardMax;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = memory_file_holding(data, size);

    const LevelFile parsed = parse_level_file(reinterpret_cast<const char*>(data), size);
    for (const auto& cell : parsed.cells)
        if (cell && !is_file_kind(*cell)) std::abort();

    // Files written with CR LF read the same as with LF.
    const std::string lf_only = without_crs_before_lfs(data, size);
    if (!same(parsed, parse_level_file(lf_only.data(), lf_only.size()))) std::abort();

    // Inputs stay far below the size cap, so the reader sees all of them.
    const std::optional<LevelFile> read = read_level_file(path);
    if (!read || !same(*read, parsed)) std::abort();
    return 0;
}
