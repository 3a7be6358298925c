#include "meshes/md2.h"

#include "app/game_folder.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace floebound {

// The running total of model memory the console reports: every model's, so the process's.
int md2_alloc_bytes = 0;

Md2Model::Md2Model() { md2_alloc_bytes += static_cast<int>(sizeof(Md2Model)); }

Md2Model::~Md2Model() { md2_alloc_bytes -= static_cast<int>(sizeof(Md2Model)); }

namespace {

// The file's header: seventeen little-endian 32-bit integers.
enum HeaderField {
    ident, version, skin_width, skin_height, frame_size, skin_count, vertex_count, texcoord_count,
    triangle_count, gl_command_count, frame_count, skins_offset, texcoords_offset, triangles_offset,
    frames_offset, gl_commands_offset, end_offset, header_field_count
};
constexpr std::size_t header_bytes = std::size_t{header_field_count} * 4;

// "IDP2" read as a little-endian integer.
constexpr std::int32_t md2_ident = 'I' | 'D' << 8 | 'P' << 16 | '2' << 24;
constexpr std::int32_t md2_version = 8;

// Sizes of the file's records, in bytes.
constexpr std::int64_t skin_name_bytes = 64;
constexpr std::int64_t texcoord_bytes = 4;
constexpr std::int64_t triangle_bytes = 12;
constexpr std::int64_t frame_head_bytes = 40;
constexpr std::int64_t vertex_bytes = 4;
constexpr std::int64_t gl_command_bytes = 4;

// The largest counts a file may declare. The first five are the limits the
// format's own tools were built with, so every model they can write loads;
// anything larger is damage. GL command words are only read and dropped: a
// strip per triangle, the worst case, takes ten words each for 4096 triangles,
// well under the limit. The limits also keep every byte count here far below
// what an int can hold.
constexpr std::int32_t max_triangles = 4096;
constexpr std::int32_t max_vertices = 2048;
constexpr std::int32_t max_frames = 512;
constexpr std::int32_t max_skins = 32;
constexpr std::int32_t max_texcoords = 2048;
constexpr std::int32_t max_gl_commands = 65536;

// A frame head as the file has it; the vertices follow it in the file but
// live in one block of their own here.
struct FrameHead {
    float scale[3];
    float translate[3];
    char name[16];
};
static_assert(sizeof(FrameHead) == frame_head_bytes, "a frame head is kept as the file has it");

std::uint16_t u16_at(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }

std::int16_t s16_at(const std::uint8_t* bytes) { return static_cast<std::int16_t>(u16_at(bytes)); }

std::int32_t s32_at(const std::uint8_t* bytes) {
    const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(value);
}

float float_at(const std::uint8_t* bytes) {
    const std::int32_t bits = s32_at(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Everything read from the file, dropped once the model is built.
struct FileBlocks {
    std::int32_t header[header_field_count] = {};
    CountedArray<std::uint8_t> skin_names;
    CountedArray<std::uint8_t> texcoords;
    CountedArray<std::uint8_t> triangles;
    CountedArray<FrameHead> frame_heads;
    CountedArray<std::uint8_t> vertices;  // frame after frame, vertex_count each
    CountedArray<std::uint8_t> gl_commands;
};

// Sizes of the file blocks; the header has been checked, so none is negative
// and none overflows.
std::size_t skin_names_size(const FileBlocks& f) { return f.header[skin_count] * skin_name_bytes; }
std::size_t texcoords_size(const FileBlocks& f) { return f.header[texcoord_count] * texcoord_bytes; }
std::size_t triangles_size(const FileBlocks& f) { return f.header[triangle_count] * triangle_bytes; }
std::size_t frame_vertices_size(const FileBlocks& f) { return f.header[vertex_count] * vertex_bytes; }
std::size_t vertices_size(const FileBlocks& f) { return f.header[frame_count] * frame_vertices_size(f); }
std::size_t gl_commands_size(const FileBlocks& f) { return f.header[gl_command_count] * gl_command_bytes; }

using Problem = char[96];

// Counts come from the header as signed values and are checked against their
// limits here, so no negative count ever sizes a block.
bool count_in_range(const std::int32_t* header, HeaderField field, const char* what, std::int32_t limit,
                    Problem problem) {
    const std::int32_t count = header[field];
    if (count >= 0 && count <= limit) return true;
    std::snprintf(problem, sizeof(Problem), "%d %s (0 to %d allowed)", count, what, limit);
    return false;
}

// Whether count records of record_bytes each, from offset on, lie inside the
// file. Offsets and counts are 32-bit and records a few kilobytes, so the
// 64-bit sum cannot wrap.
bool block_in_file(const std::int32_t* header, HeaderField offset_field, std::int64_t count,
                   std::int64_t record_bytes, std::int64_t file_size, const char* what, Problem problem) {
    const std::int64_t offset = header[offset_field];
    if (offset >= 0 && offset + count * record_bytes <= file_size) return true;
    std::snprintf(problem, sizeof(Problem), "%s run past the end of the file", what);
    return false;
}

// Trusts nothing in the header until it has been checked against the format
// and the real size of the file.
bool check_header(const std::int32_t* h, std::int64_t file_size, Problem problem) {
    if (h[ident] != md2_ident) {
        std::snprintf(problem, sizeof(Problem), "not an MD2 file");
        return false;
    }
    if (h[version] != md2_version) {
        std::snprintf(problem, sizeof(Problem), "version %d, not %d", h[version], md2_version);
        return false;
    }
    // Texture coordinates are divided by the skin size.
    if (h[skin_width] <= 0 || h[skin_height] <= 0) {
        std::snprintf(problem, sizeof(Problem), "skin size %d by %d", h[skin_width], h[skin_height]);
        return false;
    }
    const bool counts_sane = count_in_range(h, skin_count, "skins", max_skins, problem) &&
                             count_in_range(h, vertex_count, "vertices", max_vertices, problem) &&
                             count_in_range(h, texcoord_count, "texture coordinates", max_texcoords, problem) &&
                             count_in_range(h, triangle_count, "triangles", max_triangles, problem) &&
                             count_in_range(h, gl_command_count, "GL command words", max_gl_commands, problem) &&
                             count_in_range(h, frame_count, "frames", max_frames, problem);
    if (!counts_sane) return false;
    // Blending falls back to frame 0, so there must be one.
    if (h[frame_count] == 0) {
        std::snprintf(problem, sizeof(Problem), "no frames");
        return false;
    }
    const std::int64_t frame_bytes = frame_head_bytes + h[vertex_count] * vertex_bytes;
    return block_in_file(h, skins_offset, h[skin_count], skin_name_bytes, file_size, "skin names", problem) &&
           block_in_file(h, texcoords_offset, h[texcoord_count], texcoord_bytes, file_size, "texture coordinates",
                         problem) &&
           block_in_file(h, triangles_offset, h[triangle_count], triangle_bytes, file_size, "triangles", problem) &&
           block_in_file(h, frames_offset, h[frame_count], frame_bytes, file_size, "frames", problem) &&
           block_in_file(h, gl_commands_offset, h[gl_command_count], gl_command_bytes, file_size, "GL commands",
                         problem);
}

bool read_at(std::FILE* file, std::int32_t offset, void* into, std::size_t bytes) {
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(into, 1, bytes, file) == bytes;
}

bool read_frames(std::FILE* file, FileBlocks& f) {
    if (std::fseek(file, f.header[frames_offset], SEEK_SET) != 0) return false;
    const std::size_t vertices_per_frame = frame_vertices_size(f);
    for (std::int32_t i = 0; i < f.header[frame_count]; ++i) {
        std::uint8_t head[frame_head_bytes];
        if (std::fread(head, 1, sizeof head, file) != sizeof head) return false;
        FrameHead& frame = f.frame_heads[i];
        for (std::size_t k = 0; k < 3; ++k) {
            frame.scale[k] = float_at(head + 4 * k);
            frame.translate[k] = float_at(head + 12 + 4 * k);
        }
        std::memcpy(frame.name, head + 24, sizeof frame.name);
        std::uint8_t* vertices = f.vertices.data() + i * vertices_per_frame;
        if (std::fread(vertices, 1, vertices_per_frame, file) != vertices_per_frame) return false;
    }
    return true;
}

// Index slot of a triangle: its three vertices, then its three texture
// coordinates.
std::uint16_t triangle_index(const FileBlocks& f, std::int32_t triangle, std::size_t slot) {
    return u16_at(f.triangles.data() + triangle * triangle_bytes + 2 * slot);
}

// Every index a triangle holds must name an entry of its table.
bool check_triangles(const FileBlocks& f, Problem problem) {
    for (std::int32_t i = 0; i < f.header[triangle_count]; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            const int vertex = triangle_index(f, i, j);
            const int texcoord = triangle_index(f, i, 3 + j);
            if (vertex >= f.header[vertex_count]) {
                std::snprintf(problem, sizeof(Problem), "triangle %d names vertex %d, but there are %d", i, vertex,
                              f.header[vertex_count]);
                return false;
            }
            if (texcoord >= f.header[texcoord_count]) {
                std::snprintf(problem, sizeof(Problem), "triangle %d names texture coordinate %d, but there are %d", i,
                              texcoord, f.header[texcoord_count]);
                return false;
            }
        }
    }
    return true;
}

// Reads and checks the whole file into f; false with the reason in problem.
bool read_file(std::FILE* file, FileBlocks& f, Problem problem) {
    std::int64_t file_size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) file_size = std::ftell(file);
    if (file_size < 0) {
        std::snprintf(problem, sizeof(Problem), "not a file that can be measured");
        return false;
    }
    if (file_size < static_cast<std::int64_t>(header_bytes)) {
        std::snprintf(problem, sizeof(Problem), "too short for a header");
        return false;
    }
    std::uint8_t header[header_bytes];
    if (!read_at(file, 0, header, sizeof header)) {
        std::snprintf(problem, sizeof(Problem), "the header could not be read");
        return false;
    }
    for (std::size_t field = 0; field < header_field_count; ++field) f.header[field] = s32_at(header + 4 * field);
    if (!check_header(f.header, file_size, problem)) return false;

    f.skin_names = CountedArray<std::uint8_t>(skin_names_size(f));
    f.texcoords = CountedArray<std::uint8_t>(texcoords_size(f));
    f.triangles = CountedArray<std::uint8_t>(triangles_size(f));
    f.frame_heads = CountedArray<FrameHead>(f.header[frame_count]);
    f.vertices = CountedArray<std::uint8_t>(vertices_size(f));
    f.gl_commands = CountedArray<std::uint8_t>(gl_commands_size(f));
    if (!f.skin_names || !f.texcoords || !f.triangles || !f.frame_heads || !f.vertices || !f.gl_commands) {
        std::snprintf(problem, sizeof(Problem), "out of memory");
        return false;
    }
    // The header promised these blocks fit the file, so a short read means the
    // file changed or cannot be read.
    const bool read = read_at(file, f.header[skins_offset], f.skin_names.data(), skin_names_size(f)) &&
                      read_at(file, f.header[texcoords_offset], f.texcoords.data(), texcoords_size(f)) &&
                      read_at(file, f.header[triangles_offset], f.triangles.data(), triangles_size(f)) &&
                      read_frames(file, f) &&
                      read_at(file, f.header[gl_commands_offset], f.gl_commands.data(), gl_commands_size(f));
    if (!read) {
        std::snprintf(problem, sizeof(Problem), "the file could not be read to the end");
        return false;
    }
    return check_triangles(f, problem);
}

std::size_t corners_per_frame(const Md2Model& model) { return model.triangle_count * std::size_t{3}; }

// Converts a file frame to the game's axes: the file's (X, Y, Z) is kept as
// (X, -Z, Y), so that blending can emit the up axis as y.
void convert_frame(const FileBlocks& f, std::int32_t index, Md2Frame& frame) {
    const FrameHead& head = f.frame_heads[index];
    frame.scale[0] = head.scale[0];
    frame.scale[1] = head.scale[2];
    frame.scale[2] = head.scale[1];
    frame.translate[0] = head.translate[0];
    frame.translate[1] = -head.translate[2];
    frame.translate[2] = head.translate[1];
    const std::uint8_t* vertices = f.vertices.data() + index * frame_vertices_size(f);
    for (std::int32_t i = 0; i < f.header[triangle_count]; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            const std::uint8_t* vertex = vertices + triangle_index(f, i, j) * vertex_bytes;
            std::int16_t* corner = frame.corners[3 * static_cast<std::size_t>(i) + j];
            corner[0] = vertex[0];
            corner[1] = static_cast<std::int16_t>(-vertex[2]);
            corner[2] = vertex[1];
        }
    }
}

// The kept model, every index resolved; null when memory runs out.
std::unique_ptr<Md2Model> build_model(const FileBlocks& f) {
    std::unique_ptr<Md2Model> model(new (std::nothrow) Md2Model);
    if (!model) return nullptr;
    model->frame_count = f.header[frame_count];
    model->triangle_count = f.header[triangle_count];
    model->skin_width = f.header[skin_width];
    model->skin_height = f.header[skin_height];
    model->frames = CountedArray<Md2Frame>(model->frame_count);
    if (!model->frames) return nullptr;
    for (std::int32_t i = 0; i < model->frame_count; ++i) {
        Md2Frame& frame = model->frames[i];
        frame.corners = CountedArray<std::int16_t[3]>(corners_per_frame(*model));
        if (!frame.corners) return nullptr;
        convert_frame(f, i, frame);
    }

    model->corner_texcoords = CountedArray<std::int16_t[2]>(corners_per_frame(*model));
    if (!model->corner_texcoords) return nullptr;
    for (std::int32_t i = 0; i < model->triangle_count; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            const std::uint8_t* texcoord = f.texcoords.data() + triangle_index(f, i, 3 + j) * texcoord_bytes;
            std::int16_t* corner = model->corner_texcoords[3 * static_cast<std::size_t>(i) + j];
            corner[0] = s16_at(texcoord);
            corner[1] = s16_at(texcoord + 2);
        }
    }
    return model;
}

}  // namespace

std::unique_ptr<Md2Model> load_md2(const char* path) {
    std::FILE* file = std::fopen(game_file(path).c_str(), "rb");
    if (!file) return nullptr;
    FileBlocks blocks;
    Problem problem = "";
    const bool read = read_file(file, blocks, problem);
    std::fclose(file);
    if (!read) {
        std::printf("Couldn't load %s: %s\n", path, problem);
        return nullptr;
    }
    std::printf("PARSEmd2alloc=%d\n", md2_alloc_bytes);

    // The file has passed every check; only memory running out can stop the
    // load from here on.
    std::unique_ptr<Md2Model> model = build_model(blocks);
    if (!model) {
        std::printf("Couldn't load %s: out of memory\n", path);
        return nullptr;
    }
    std::printf("ALLOCmd2alloc=%d\n", md2_alloc_bytes);
    blocks = FileBlocks{};
    std::printf("CLEANUPmd2alloc=%d\n", md2_alloc_bytes);
    return model;
}

void free_md2(std::unique_ptr<Md2Model> model) {
    if (!model) return;
    model.reset();
    std::printf("FREEmd2alloc=%d\n", md2_alloc_bytes);
}

void md2_build_vertices(const Md2Model* model, int frame, int next_frame, float f, Md2CornerVertex* out,
                        float box[6]) {
    for (int k = 0; k < 6; ++k) box[k] = 0;
    if (frame < 0 || frame >= model->frame_count) {
        std::printf("frame (%d) out of bounds.\n", frame);
        frame = 0;
    }
    if (next_frame < 0 || next_frame >= model->frame_count) {
        std::printf("nextFrame (%d) out of bounds.\n", next_frame);
        next_frame = 0;
    }
    // The loader refuses models without frames or with skins of no size.
    assert(model->frame_count > 0 && model->skin_width > 0 && model->skin_height > 0);
    const Md2Frame& from = model->frames[frame];
    const Md2Frame& to = model->frames[next_frame];
    const float w = 1 - f;
    const float ks = 1.0f / static_cast<float>(model->skin_width);
    const float kt = 1.0f / static_cast<float>(model->skin_height);
    const int corner_count = model->triangle_count * 3;
    // Both frames' corners are runs of shorts, axis after axis. Scale,
    // translation, blend weight and the negation of the game's axes folded
    // into one multiply-add pair per number, repeating every third one, the
    // whole run blends in a loop that vectorises.
    const int numbers = corner_count * 3;
    if (numbers == 0) return;
    // Grows to the largest model once, so drawing allocates nothing per frame
    // (models are blended on the main thread only).
    static std::vector<float> blended;
    if (blended.size() < static_cast<std::size_t>(numbers)) blended.resize(static_cast<std::size_t>(numbers));
    const std::int16_t* __restrict a = from.corners[0];
    const std::int16_t* __restrict b = to.corners[0];
    float* __restrict p = blended.data();
    float wa[12], wb[12], wo[12];
    for (int i = 0; i < 12; ++i) {
        const int axis = i % 3;
        wa[i] = -from.scale[axis] * w;
        wb[i] = -to.scale[axis] * f;
        wo[i] = -(from.translate[axis] * w + to.translate[axis] * f);
    }
    const auto blend = [&](int i, int j) {
        return static_cast<float>(a[i]) * wa[j] + static_cast<float>(b[i]) * wb[j] + wo[j];
    };
    // The box grows in the same loop, twelve running minima and maxima, one
    // per lane, folded to three axes at the end: min and max do not branch,
    // and the numbers are read once.
    float low[12], high[12];
    for (int j = 0; j < 12; ++j) low[j] = high[j] = blend(j % 3, j);
    int i = 0;
    for (; i + 12 <= numbers; i += 12)
        for (int j = 0; j < 12; ++j) {
            const float number = blend(i + j, j);
            p[i + j] = number;
            low[j] = std::min(low[j], number);
            high[j] = std::max(high[j], number);
        }
    for (; i < numbers; ++i) {
        const float number = blend(i, i % 12);
        p[i] = number;
        low[i % 3] = std::min(low[i % 3], number);
        high[i % 3] = std::max(high[i % 3], number);
    }

    const std::int16_t(*__restrict st)[2] = model->corner_texcoords.data();
    Md2CornerVertex* __restrict corner = out;
    // Game x, y and z are the frames' third, second and first axes.
    for (int c = 0; c < corner_count; ++c) {
        corner[c].s = static_cast<float>(st[c][0]) * ks;
        corner[c].t = static_cast<float>(st[c][1]) * kt;
        corner[c].x = p[3 * c + 2];
        corner[c].y = p[3 * c + 1];
        corner[c].z = p[3 * c];
    }
    for (int axis = 0; axis < 3; ++axis) {
        box[2 - axis] = std::min({low[axis], low[axis + 3], low[axis + 6], low[axis + 9]});
        box[5 - axis] = std::max({high[axis], high[axis + 3], high[axis + 6], high[axis + 9]});
    }
}

}  // namespace floebound
