#include "meshes/obj_lines.h"

#include <cstring>

namespace floebound {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

unsigned char colour_byte(float value) {
    const float scaled = value * 255;
    // Also turns NaN into 0: every comparison with it fails.
    if (!(scaled > 0)) return 0;
    if (scaled >= 255) return 255;
    return static_cast<unsigned char>(scaled);
}

}  // namespace

bool read_obj_line(std::FILE* file, ObjLine& line) { return std::fgets(line, sizeof line, file) != nullptr; }

void strip_line_end(char* line) {
    std::size_t length = std::strlen(line);
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n')) line[--length] = '\0';
}

ObjLineCounts count_obj_lines(std::FILE* file) {
    ObjLineCounts counts;
    ObjLine line;
    while (read_obj_line(file, line)) {
        if (line[0] == 'v' && is_blank(line[1])) ++counts.positions;
        if (line[0] == 'v' && line[1] == 't') ++counts.texcoords;
        if (line[0] == 'f') counts.corners += 3;
        if (line[0] == 'g' && std::strlen(line) > 2) ++counts.groups;
    }
    return counts;
}

bool parse_position(const char* line, float position[3]) {
    return std::sscanf(line, "v%f%f%f", &position[0], &position[1], &position[2]) == 3;
}

bool parse_texcoord(const char* line, float& s, float& t) {
    float values[3];
    const bool read = std::sscanf(line, "vt%f%f%f", &values[0], &values[1], &values[2]) == 3 ||
                      std::sscanf(line, "vt%f%f", &values[0], &values[1]) == 2;
    if (!read) return false;
    s = values[0];
    t = 1 - values[1];
    return true;
}

bool parse_face(const char* line, ObjFace& face) {
    int normal[3];
    if (std::sscanf(line, "f%d/%d/%d%d/%d/%d%d/%d/%d", &face.position[0], &face.texcoord[0], &normal[0],
                    &face.position[1], &face.texcoord[1], &normal[1], &face.position[2], &face.texcoord[2],
                    &normal[2]) == 9)
        return true;
    return std::sscanf(line, "f%d/%d%d/%d%d/%d", &face.position[0], &face.texcoord[0], &face.position[1],
                       &face.texcoord[1], &face.position[2], &face.texcoord[2]) == 6;
}

int resolve_obj_index(int index, int read) {
    if (index > 0 && index <= read) return index - 1;
    if (index < 0 && -static_cast<long long>(index) <= read) return read + index;
    return -1;
}

std::uint32_t parse_diffuse_colour(const char* keyword) {
    float rgb[3] = {0, 0, 0};
    std::sscanf(keyword, "Kd%f%f%f", &rgb[0], &rgb[1], &rgb[2]);
    const unsigned char bytes[4] = {colour_byte(rgb[0]), colour_byte(rgb[1]), colour_byte(rgb[2]), 255};
    std::uint32_t colour;
    std::memcpy(&colour, bytes, sizeof colour);
    return colour;
}

}  // namespace floebound
