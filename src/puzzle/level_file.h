#pragma once

#include "puzzle/grid.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include <sys/types.h>

namespace floebound {

// What a level file says. The first eight lines draw the field, one character
// a square; the rest holds "key=value" settings. A square the file does not
// set (an unknown character, a short line, a missing row) and a setting it
// does not give stay empty here: loading the file leaves those as they were.
struct LevelFile {
    std::optional<CellKind> cells[grid_cells];  // row-major, like Grid
    std::optional<std::int32_t> penguinMax;
    std::optional<std::int32_t> goatMax;
    std::optional<std::int32_t> skateboardMax;
    std::optional<std::string> name;  // as the file has it, every byte of its line
};

// Any bytes make some LevelFile; nothing is read outside [bytes, bytes + size).
LevelFile parse_level_file(const char* bytes, std::size_t size);

// A level is a few hundred bytes; a file bigger than this is no level, and
// only its first this many bytes are read.
constexpr std::size_t max_level_file_size = 1 << 20;

// The text of a level file that draws this field and gives these settings;
// squares no file can hold (goats) are written empty. A name is written on a
// line of its own, its control characters as spaces so that it stays one
// line; an empty name writes no line.
std::string level_file_text(const Grid& field, int penguin_max, int goat_max, int skateboard_max,
                            const std::string& name = {});

// A name fit to show, in printable ASCII: control characters and bytes that
// are no UTF-8 become spaces, runs of white space one space, the ends
// trimmed, each other character beyond ASCII a "?", and a name longer than
// max_characters is cut there and ends in "...".
std::string printable_level_name(const std::string& raw, std::size_t max_characters);

// The field the file draws onto a new game's field, which starts empty.
Grid field_of(const LevelFile& file);

// Why something that exists, of this st_mode, is not read as a level, or
// null for a regular file: "it is a folder", "it is a FIFO", "it is a
// device" or "it is not a regular file".
const char* not_a_level_file(mode_t mode);

// The level file opened for reading, or null when it does not open or is no
// regular file: a FIFO, a device or a folder is refused before it is opened,
// since a FIFO without a writer would hold the game or the checker for good.
std::FILE* open_level_file(const char* path);

// The file's first max_level_file_size bytes, or nothing when
// open_level_file refuses it.
[[nodiscard]] std::optional<std::string> read_level_bytes(const char* path);

// The parsed file, or nothing when open_level_file refuses it.
[[nodiscard]] std::optional<LevelFile> read_level_file(const char* path);

}  // namespace floebound
