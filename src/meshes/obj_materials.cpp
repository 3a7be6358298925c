#include "meshes/obj_materials.h"

#include "app/game_folder.h"
#include "media/image.h"
#include "media/texture.h"
#include "meshes/obj_lines.h"
#include "meshes/scenery_tables.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace floebound {

namespace {

constexpr std::uint32_t opaque_black = 0xff000000u;
// "newmtl" and "map_Kd" are six characters and a separator before their value.
constexpr std::size_t value_offset = 7;

// Where a keyword's value starts: from its eighth character, or nothing when
// the line ends sooner.
const char* value_after(const char* keyword) {
    return std::strlen(keyword) >= value_offset ? keyword + value_offset : "";
}

bool keyword_is(const char* keyword, const char* word) {
    const std::size_t length = std::strlen(word);
    return std::strncmp(keyword, word, length) == 0 &&
           (keyword[length] == '\0' || keyword[length] == ' ' || keyword[length] == '\t');
}

void clear_material(ObjMaterial& material) {
    material.name[0] = '\0';
    material.colour = opaque_black;
    material.image = nullptr;
}

void load_material_image(ObjMaterial& material, const char* model_name, const char* file_name) {
    char path[512];
    std::snprintf(path, sizeof path, "models/%s/%s", model_name, file_name);
    std::printf("Image '%s'\n", path);
    ImageHandle image = load_image(path);
    // Made before the check, so a picture that failed reports its missing
    // texture as every failed texture does.
    make_texture(image.get());
    if (!image) {
        std::printf("Couldn't locate '%s'\n", path);
        // A picture from an earlier line of the same material does not survive
        // a later line that fails.
        material.image = nullptr;
        return;
    }
    material.image = image.get();
    scenery_tables.material_images.push_back(std::move(image));
}

}  // namespace

void load_obj_materials(const char* model_name) {
    // Each model sees only its own materials; a material's picture is not
    // carried over from whatever model filled its entry before.
    for (ObjMaterial& material : scenery_tables.materials) clear_material(material);
    scenery_tables.material_count = 0;

    std::printf("read materials for '%s'\n", model_name);
    char path[512];
    std::snprintf(path, sizeof path, "models/%s.mtl", model_name);
    std::FILE* file = std::fopen(game_file(path).c_str(), "rb");
    if (file) {
        // Lines before the first "newmtl" describe entry 0; lines of a
        // material the table has no room for are dropped.
        ObjMaterial* current = &scenery_tables.materials[0];
        ObjLine line;
        while (read_obj_line(file, line)) {
            strip_line_end(line);
            const char* keyword = line + std::strspn(line, " \t");
            if (keyword_is(keyword, "newmtl")) {
                const char* name = value_after(keyword);
                if (scenery_tables.material_count == max_obj_materials) {
                    std::printf("*** No room for material '%s'\n", name);
                    current = nullptr;
                    continue;
                }
                current = &scenery_tables.materials[scenery_tables.material_count++];
                std::snprintf(current->name, sizeof current->name, "%s", name);
                std::printf("Located material '%s'\n", current->name);
            } else if (current && keyword_is(keyword, "Kd")) {
                current->colour = parse_diffuse_colour(keyword);
            } else if (current && keyword_is(keyword, "map_Kd")) {
                load_material_image(*current, model_name, value_after(keyword));
            }
        }
        std::fclose(file);
    }
    std::printf("read %d materials for %s\n", scenery_tables.material_count, model_name);
}

int find_obj_material(const char* name) {
    for (int i = 0; i < scenery_tables.material_count; ++i)
        if (std::strcmp(scenery_tables.materials[i].name, name) == 0) return i;
    return -1;
}

}  // namespace floebound
