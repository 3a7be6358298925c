#pragma once

#include <cstdint>
#include <cstdio>

namespace floebound {

// The line forms of OBJ and MTL files as load_obj understands them.

constexpr int obj_line_limit = 254;
using ObjLine = char[obj_line_limit + 1];

// The next line, at most 254 characters with its line end; a longer line
// comes back in pieces. False at the end of the file.
bool read_obj_line(std::FILE* file, ObjLine& line);

// Removes trailing carriage returns and line feeds.
void strip_line_end(char* line);

// What the first pass counts, by the first characters of each raw line.
struct ObjLineCounts {
    long long positions = 0;      // "v" and a blank
    long long texcoords = 0;      // "vt"
    long long groups = 0;         // "g", longer than 2 with the line end
    long long corners = 0;        // 3 per line starting with "f"
};

ObjLineCounts count_obj_lines(std::FILE* file);

// "v%f%f%f": a position, not yet scaled.
bool parse_position(const char* line, float position[3]);

// "vt%f%f%f" or "vt%f%f": s, and t flipped to 1 - the second value.
bool parse_texcoord(const char* line, float& s, float& t);

// "f%d/%d/%d%d/%d/%d%d/%d/%d" (normal indices ignored) or "f%d/%d%d/%d%d/%d":
// the 1-based, possibly negative, position and texture indices of the first
// three corners.
struct ObjFace {
    int position[3];
    int texcoord[3];
};
bool parse_face(const char* line, ObjFace& face);

// The 0-based index that a 1-based or negative (from the end) index names
// among `read` entries, or -1 when it names none.
int resolve_obj_index(int index, int read);

// "Kd%f%f%f" after the keyword's start: each value * 255 truncated toward
// zero into a byte, kept within 0 to 255, missing values 0; alpha 255.
std::uint32_t parse_diffuse_colour(const char* keyword);

}  // namespace floebound
