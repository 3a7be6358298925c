#include "puzzle/level_file.h"

#include "app/game_folder.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace floebound {

namespace {

// The characters a file draws its squares with, read and written alike.
struct FileCharacter {
    char character;
    CellKind kind;
};
constexpr FileCharacter file_characters[] = {
    {'.', CellKind::empty},  {'D', CellKind::penguin_square}, {'x', CellKind::tree},
    {'T', CellKind::target}, {'C', CellKind::cow},            {'S', CellKind::skateboard_square},
    {'B', CellKind::bucket}, {'F', CellKind::fire},           {'f', CellKind::tunafish},
};

std::optional<CellKind> kind_of_character(char c) {
    for (const FileCharacter& entry : file_characters)
        if (entry.character == c) return entry.kind;
    return std::nullopt;
}

// '.' for a kind no file holds (goats, the ground off the field).
char character_of_kind(CellKind kind) {
    for (const FileCharacter& entry : file_characters)
        if (entry.kind == kind) return entry.character;
    return '.';
}

// The line starting at pos, without its line end; pos moves past the line
// end. A CR directly before the LF is part of the line end, so files written
// with CR LF read the same as with LF.
std::string_view next_line(std::string_view text, std::size_t& pos) {
    const std::size_t end = text.find('\n', pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (end == std::string_view::npos) {
        pos = text.size();
        return line;
    }
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// White space as formatted stream input skips it in the classic locale.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A decimal integer at the start of text, read the way formatted stream input
// reads one: leading white space, an optional sign, digits, and whatever
// follows them ignored. Nothing when there are no digits or the number does
// not fit in 32 bits.
std::optional<std::int32_t> leading_int32(std::string_view text) {
    constexpr std::int64_t largest_magnitude = std::int64_t{1} << 31;
    std::size_t i = 0;
    while (i < text.size() && is_space(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t first_digit = i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        // Stopping here keeps the sum from overflowing however long the digits run.
        if (magnitude > largest_magnitude) return std::nullopt;
    }
    if (i == first_digit) return std::nullopt;
    if (!negative && magnitude == largest_magnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

void apply_setting(LevelFile& file, std::string_view key, std::string_view value) {
    if (key == "name") {
        file.name = std::string(value);
        return;
    }
    std::optional<std::int32_t>* field = key == "penguinMax"      ? &file.penguinMax
                                         : key == "goatMax"       ? &file.goatMax
                                         : key == "skateboardMax" ? &file.skateboardMax
                                                                  : nullptr;
    if (!field) return;
    if (const std::optional<std::int32_t> number = leading_int32(value)) *field = number;
}

}  // namespace

LevelFile parse_level_file(const char* bytes, std::size_t size) {
    LevelFile file;
    const std::string_view text(bytes, size);
    std::size_t pos = 0;

    for (int row = 0; row < grid_side && pos < text.size(); ++row) {
        const std::string_view line = next_line(text, pos);
        for (int column = 0; column < grid_side && column < static_cast<int>(line.size()); ++column) {
            if (const std::optional<CellKind> kind = kind_of_character(line[column]))
                file.cells[row * grid_side + column] = kind;
        }
    }

    // A key runs to the next "=", across line ends if need be, so a line
    // without "=" becomes the front of the next key and spoils it; the value
    // is the rest of the line holding the "=". Text with no "=" left sets
    // nothing.
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        if (equals == std::string_view::npos) break;
        const std::string_view key = text.substr(pos, equals - pos);
        pos = equals + 1;
        apply_setting(file, key, next_line(text, pos));
    }
    return file;
}

std::string level_file_text(const Grid& field, int penguin_max, int goat_max, int skateboard_max,
                            const std::string& name) {
    std::string text;
    for (int row = 0; row < grid_side; ++row) {
        for (int column = 0; column < grid_side; ++column) text += character_of_kind(field.cell_at(column, row));
        text += '\n';
    }
    if (!name.empty()) {
        text += "name=";
        for (const char c : name) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c;
        text += '\n';
    }
    text += "penguinMax=" + std::to_string(penguin_max) + "\n";
    text += "goatMax=" + std::to_string(goat_max) + "\n";
    text += "skateboardMax=" + std::to_string(skateboard_max) + "\n";
    return text;
}

namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when none starts
// there (a stray continuation byte, an overlong lead, a cut-off sequence).
std::size_t utf8_sequence_length(const std::string& text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xc2 && lead <= 0xdf ? 2
                               : lead >= 0xe0 && lead <= 0xef ? 3
                               : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                              : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return 0;
    return length;
}

}  // namespace

std::string printable_level_name(const std::string& raw, std::size_t max_characters) {
    std::string name;
    bool space_pending = false;
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t length = utf8_sequence_length(raw, i);
        const unsigned char lead = static_cast<unsigned char>(raw[i]);
        i += length ? length : 1;
        if (length == 0 || lead <= 0x20 || lead == 0x7f) {
            space_pending = !name.empty();
            continue;
        }
        if (name.size() + (space_pending ? 1 : 0) >= max_characters) return name + "...";
        if (space_pending) name += ' ';
        space_pending = false;
        // The game's text is drawn from single bytes, so a character beyond
        // ASCII shows as one mark rather than as the bytes that make it.
        name += length == 1 ? static_cast<char>(lead) : '?';
    }
    return name;
}

Grid field_of(const LevelFile& file) {
    Grid grid;
    for (int cell = 0; cell < grid_cells; ++cell)
        if (file.cells[cell]) grid.cells[cell] = *file.cells[cell];
    return grid;
}

const char* not_a_level_file(mode_t mode) {
    if (S_ISREG(mode)) return nullptr;
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
    return "it is not a regular file";
}

std::FILE* open_level_file(const char* named) {
    const std::string path = game_file(named);
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
    // Should a FIFO take the file's place after the check, opening it must
    // not wait for a writer either.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    std::FILE* stream = nullptr;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) stream = fdopen(descriptor, "r");
    if (!stream) close(descriptor);
    return stream;
}

std::optional<std::string> read_level_bytes(const char* path) {
    std::FILE* stream = open_level_file(path);
    if (!stream) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    while (bytes.size() < max_level_file_size) {
        const std::size_t wanted = std::min(sizeof chunk, max_level_file_size - bytes.size());
        const std::size_t got = std::fread(chunk, 1, wanted, stream);
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    std::fclose(stream);
    return bytes;
}

std::optional<LevelFile> read_level_file(const char* path) {
    const std::optional<std::string> bytes = read_level_bytes(path);
    if (!bytes) return std::nullopt;
    return parse_level_file(bytes->data(), bytes->size());
}

}  // namespace floebound
