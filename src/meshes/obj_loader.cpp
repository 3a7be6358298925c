#include "meshes/obj_model.h"

#include "app/game_folder.h"
#include "media/image.h"
#include "media/texture.h"
#include "meshes/obj_groups.h"
#include "meshes/obj_lines.h"
#include "meshes/obj_materials.h"
#include "meshes/scenery_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace floebound {

namespace {

constexpr float position_scale = 0.125f;
constexpr int blank_texture_side = 8;
// Far beyond any scenery model; keeps every count and array size well inside int.
constexpr long long max_obj_entries = 1 << 22;

struct ScratchEntry {
    float position[3];
    float s, t;
};

// What the second pass keeps while it walks the file.
struct ObjReader {
    ObjModel& model;
    int position_capacity;
    int texcoord_capacity;
    std::vector<ScratchEntry> scratch;
    int positions_read = 0;
    int texcoords_read = 0;
    int group = 0;
    int corner = 0;
    float box[6] = {0, 0, 0, 0, 0, 0};
};

ImageHandle load_default_texture(const char* name) {
    std::printf("read texture for '%s'\n", name);
    char path[512];
    std::snprintf(path, sizeof path, "data/%s.png", name);
    ImageHandle image = load_image(path);
    if (!image) {
        std::snprintf(path, sizeof path, "models/%s/%s.png", name, name);
        image = load_image(path);
    }
    if (!image) image = make_blank_image(blank_texture_side, blank_texture_side);
    make_texture(image.get());
    if (!image) std::printf("*** Could not load texture '%s'\n", path);
    return image;
}

void set_identity(float matrix[16]) {
    for (int i = 0; i < 16; ++i) matrix[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

void read_position(ObjReader& reader, const char* line) {
    float position[3];
    // Lines the first pass did not count as positions ("v" with no blank
    // after it) find no room once the counted ones are in.
    if (!parse_position(line, position) || reader.positions_read == reader.position_capacity) return;
    float* stored = reader.scratch[reader.positions_read++].position;
    for (int axis = 0; axis < 3; ++axis) {
        stored[axis] = position[axis] * position_scale;
        reader.box[axis] = std::min(reader.box[axis], stored[axis]);
        reader.box[axis + 3] = std::max(reader.box[axis + 3], stored[axis]);
    }
}

void read_texcoord(ObjReader& reader, const char* line) {
    float s = 0, t = 0;
    if (!parse_texcoord(line, s, t) || reader.texcoords_read == reader.texcoord_capacity) return;
    reader.scratch[reader.texcoords_read].s = s;
    reader.scratch[reader.texcoords_read].t = t;
    ++reader.texcoords_read;
}

bool group_counted(const ObjReader& reader) {
    if (reader.group < static_cast<int>(reader.model.groups.size())) return true;
    std::printf("Skipping group %d: more groups than counted\n", reader.group);
    return false;
}

void open_group(ObjReader& reader) {
    if (!group_counted(reader)) return;
    ObjGroup& group = reader.model.groups[reader.group];
    group.first_corner = group.end_corner = reader.corner;
    group.material_image = nullptr;
}

void close_group(ObjReader& reader) {
    if (!group_counted(reader)) return;
    ObjGroup* groups = reader.model.groups.data();
    int& g = reader.group;
    groups[g].end_corner = reader.corner;
    if (g >= 1 && groups[g - 1].material_image == groups[g].material_image) {
        --g;
        groups[g].end_corner = reader.corner;
        std::printf("consolidated: ");
    } else {
        std::printf("Got group %d %s at face %d\n", g, "", reader.corner);
    }
    finish_obj_group(groups[g], reader.model.corners.data());
    ++g;
    reader.model.group_count = g;
}

void use_material(ObjReader& reader, const char* line) {
    char name[obj_line_limit + 1];
    if (std::sscanf(line, "usemtl %254s", name) != 1) return;
    int index = find_obj_material(name);
    if (index < 0) {
        std::printf("Material error.  Couldn't find %s\n", name);
        index = 0;
    }
    if (!group_counted(reader)) return;
    std::printf("Applying material %s (%d) to group %d (face %d)\n", name, index, reader.group, reader.corner);
    reader.model.groups[reader.group].material_image = scenery_tables.materials[index].image;
}

void set_face_normal(ObjCorner* triangle) {
    const float e1[3] = {triangle[1].x - triangle[0].x, triangle[1].y - triangle[0].y, triangle[1].z - triangle[0].z};
    const float e2[3] = {triangle[2].x - triangle[0].x, triangle[2].y - triangle[0].y, triangle[2].z - triangle[0].z};
    float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length == 0) length = 1;
    for (int k = 0; k < 3; ++k) {
        triangle[k].nx = n[0] / length;
        triangle[k].ny = n[1] / length;
        triangle[k].nz = n[2] / length;
    }
}

void read_face(ObjReader& reader, const char* line) {
    ObjFace face;
    if (!parse_face(line, face)) return;
    if (reader.corner + 3 > static_cast<int>(reader.model.corners.size())) {
        std::printf("Skipping face at %d: more faces than counted\n", reader.corner);
        return;
    }
    int position[3];
    int texcoord[3];
    for (int k = 0; k < 3; ++k) {
        position[k] = resolve_obj_index(face.position[k], reader.positions_read);
        texcoord[k] = resolve_obj_index(face.texcoord[k], reader.texcoords_read);
        if (position[k] < 0 || texcoord[k] < 0) {
            std::printf("Skipping face at %d: index out of range\n", reader.corner);
            return;
        }
    }
    ObjCorner* triangle = reader.model.corners.data() + reader.corner;
    for (int k = 0; k < 3; ++k) {
        const float* p = reader.scratch[position[k]].position;
        triangle[k].x = p[0];
        triangle[k].y = p[1];
        triangle[k].z = p[2];
        triangle[k].s = reader.scratch[texcoord[k]].s;
        triangle[k].t = reader.scratch[texcoord[k]].t;
    }
    set_face_normal(triangle);
    reader.corner += 3;
}

void read_line(ObjReader& reader, char* line) {
    strip_line_end(line);
    switch (line[0]) {
    case 'v':
        if (line[1] == 't')
            read_texcoord(reader, line);
        else
            read_position(reader, line);
        break;
    case 'g':
        if (std::strlen(line) < 3 && reader.positions_read > 0)
            close_group(reader);
        else
            open_group(reader);
        break;
    case 'u':
        use_material(reader, line);
        break;
    case 'f':
        read_face(reader, line);
        break;
    default:
        break;
    }
}

// Pass one: counts, then every array at its final size. False, holding
// nothing new, when the file is too large for the tables.
bool size_model(ObjModel& model, std::FILE* file, const char* path, ObjReader& reader) {
    const ObjLineCounts counts = count_obj_lines(file);
    std::printf("Found %lld image verts, %lld texture verts, %lld groups and %lld faces.\n", counts.positions,
                counts.texcoords, counts.groups, counts.corners);
    if (std::max({counts.positions, counts.texcoords, counts.groups, counts.corners}) > max_obj_entries) {
        std::printf("Couldn't load %s: too many lines\n", path);
        return false;
    }
    model.group_count = static_cast<int>(counts.groups);
    model.position_count = static_cast<int>(counts.positions);
    reader.position_capacity = model.position_count;
    reader.texcoord_capacity = static_cast<int>(counts.texcoords);
    const long long scratch_size = std::max(counts.positions, counts.texcoords);
    // Zeroed, so that what the file leaves out is zero too.
    try {
        model.groups.resize(static_cast<std::size_t>(counts.groups));
        model.corners.resize(static_cast<std::size_t>(counts.corners));
        reader.scratch.resize(static_cast<std::size_t>(scratch_size));
    } catch (const std::bad_alloc&) {
        std::printf("Couldn't load %s: out of memory\n", path);
        return false;
    }
    set_identity(model.placement);
    return true;
}

bool name_fits(const char* name) {
    if (!name || !name[0] || std::strlen(name) > max_obj_name) {
        std::printf("*** Model name '%.63s' is empty or longer than %d characters\n", name ? name : "", max_obj_name);
        return false;
    }
    if (scenery_tables.model_count == max_scenery_models) {
        std::printf("*** No room for model '%s': %d are loaded\n", name, max_scenery_models);
        return false;
    }
    return true;
}

}  // namespace

void release_obj_model(ObjModel& model) {
    model = ObjModel{};
}

ObjModel* load_obj(const char* name) {
    if (!name_fits(name)) return nullptr;
    ObjModel& model = scenery_tables.models[scenery_tables.model_count];
    release_obj_model(model);

    model.texture = load_default_texture(name);
    load_obj_materials(name);
    std::snprintf(model.name, sizeof model.name, "%s", name);

    std::printf("read obj for '%s'\n", name);
    char path[512];
    std::snprintf(path, sizeof path, "models/%s.obj", name);
    std::FILE* file = std::fopen(game_file(path).c_str(), "rb");
    if (!file) {
        std::printf("Couldn't find %s\n", path);
        // The slot stays free, so nothing may stay behind in it.
        release_obj_model(model);
        return nullptr;
    }
    ObjReader reader{model, 0, 0, {}};
    if (!size_model(model, file, path, reader)) {
        std::fclose(file);
        release_obj_model(model);
        return nullptr;
    }
    std::rewind(file);
    ObjLine line;
    while (read_obj_line(file, line)) read_line(reader, line);
    std::fclose(file);
    const float* box = reader.box;
    std::printf("Min: %.2f,%.2f,%.2f; Max: %.2f,%.2f,%.2f\n", box[0], box[1], box[2], box[3], box[4], box[5]);
    ++scenery_tables.model_count;
    return &model;
}

}  // namespace floebound
