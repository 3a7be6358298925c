// Renders contact sheets of the generated models so their looks can be
// judged without starting the game: one row per frame, one column per view;
// and the particle sprites over a dark sky.
// Usage: modelpreview GAME_DIR OUTPUT_DIR

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "binary_io.h"
#include "png_writer.h"
#include "soft_renderer.h"

using namespace floebound::tools;

namespace fs = std::filesystem;

namespace {

constexpr int kTile = 240;

struct Sheet {
    const char* name;
    const char* model;
    const char* skin;
    std::vector<int> frames;
    float camera_distance;
};

// Front, the model's left side, three-quarter front, three-quarter back and
// the steep view the game's camera usually has.
constexpr PreviewView kViews[] = {{0, 8, 0}, {90, 8, 0}, {-40, 25, 0}, {145, 25, 0}, {30, 55, 0}};
constexpr int kViewCount = sizeof kViews / sizeof kViews[0];

void render_sheet(const fs::path& game, const fs::path& out, const Sheet& sheet) {
    const PreviewModel model = read_md2((game / sheet.model).string());
    const PreviewSkin skin = read_png((game / sheet.skin).string());
    Raster picture{kViewCount * kTile, static_cast<int>(sheet.frames.size()) * kTile, {}};
    picture.rgba.assign(static_cast<std::size_t>(picture.width) * picture.height * 4, 255);
    for (std::size_t row = 0; row < sheet.frames.size(); ++row)
        for (int column = 0; column < kViewCount; ++column) {
            PreviewView view = kViews[column];
            view.distance = sheet.camera_distance;
            render_preview(model, skin, sheet.frames[row], view, picture, column * kTile, static_cast<int>(row) * kTile,
                           kTile);
        }
    write_file(out / (std::string(sheet.name) + ".png"), encode_png(picture));
}

// The sprite sheet over a dark night sky, first as it is, then tinted with
// the fire's start and end colours and the cow plume's end colour, the way
// the particles multiply it.
void render_particle_sheet(const fs::path& game, const fs::path& out) {
    const PreviewSkin sheet = read_png((game / "data/particle.png").string());
    const float tints[4][3] = {{1, 1, 1}, {192 / 255.0f, 128 / 255.0f, 0}, {1, 0, 0}, {1, 192 / 255.0f, 192 / 255.0f}};
    Raster picture{sheet.width * 4, sheet.height, {}};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int tint = x / sheet.width;
            const unsigned char* texel = &sheet.rgba[(static_cast<std::size_t>(y) * sheet.width + x % sheet.width) * 4];
            const float alpha = texel[3] / 255.0f;
            const float sky[3] = {20, 24, 48};
            for (int i = 0; i < 3; ++i)
                picture.rgba.push_back(
                    static_cast<std::uint8_t>(sky[i] * (1 - alpha) + texel[i] * tints[tint][i] * alpha));
            picture.rgba.push_back(255);
        }
    }
    write_file(out / "particles.png", encode_png(picture));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GAME_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::vector<Sheet> sheets = {
        {"penguin_stand", "models/penguin/tris.md2", "models/penguin/penguin.png", {0, 10, 20, 30}, 95},
        {"penguin_run", "models/penguin/tris.md2", "models/penguin/penguin.png", {40, 41, 42, 43, 44, 45}, 95},
        {"penguin_closeup", "models/penguin/tris.md2", "models/penguin/penguin.png", {0, 42}, 55},
        {"cow_stand", "models/cow/tris.md2", "models/cow/cow.png", {0, 10, 20, 30}, 95},
        {"cow_death", "models/cow/tris.md2", "models/cow/cow.png", {178, 179, 180, 181, 182, 183}, 95},
        {"cow_closeup", "models/cow/tris.md2", "models/cow/cow.png", {0, 183}, 65},
        {"shrub", "models/shrub/tris.md2", "models/shrub/s6.png", {0}, 110},
        {"tuna", "models/tuna/tris.md2", "models/tuna/tuna.png", {0}, 65},
        {"bucket", "models/bucket/tris.md2", "models/bucket/bucket.png", {0}, 65},
        {"skateboard", "models/skateboard/board.md2", "models/skateboard/board.png", {0}, 65},
    };
    try {
        fs::create_directories(argv[2]);
        for (const Sheet& sheet : sheets) render_sheet(argv[1], argv[2], sheet);
        render_particle_sheet(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "modelpreview: %s\n", error.what());
        return 1;
    }
    return 0;
}
