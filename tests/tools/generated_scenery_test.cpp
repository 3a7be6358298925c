// The generated scenery as the game reads it: every model of the item list
// loads with the game's own loader, with its materials and pictures found.

#include "media/image.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"
#include "picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace floebound;

namespace {

constexpr float placed_scale = 6;

bool is_tree(const ObjModel& model) { return std::string(model.name).find("tree") != std::string::npos; }

TEST(GeneratedScenery, EveryItemLoadsWholeWithTheGamesLoader) {
    testing::internal::CaptureStdout();
    load_scenery_items();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Couldn't"), std::string::npos) << out;
    EXPECT_EQ(out.find("Material error"), std::string::npos) << out;
    EXPECT_EQ(out.find("Skipping"), std::string::npos) << out;
    ASSERT_EQ(scenery_item_count(), 11);

    for (int i = 0; i < 11; ++i) {
        const ObjModel& model = scenery_tables.models[i];
        SCOPED_TRACE(model.name);
        EXPECT_STREQ(model.name, scenery_item_list[i]);
        // Trees: trunk and crown in pictures of their own; grass: one cut-out.
        ASSERT_EQ(model.group_count, is_tree(model) ? 2 : 1);
        int corners = 0;
        for (int g = 0; g < model.group_count; ++g) {
            const ObjGroup& group = model.groups[g];
            ASSERT_NE(group.material_image, nullptr);
            EXPECT_GT(group.end_corner, group.first_corner);
            EXPECT_EQ(group.wide_corners, 0) << "nothing in the scenery is 250 units across";
            corners += group.end_corner - group.first_corner;
            // Standing on the ground, and no wider than 1.5 squares once placed,
            // which scales the loaded model by 6.
            EXPECT_GE(group.box[1], 0);
            EXPECT_LT(placed_scale * std::max(group.box[3] - group.box[0], group.box[5] - group.box[2]), 64.0f * 1.5f);
        }
        EXPECT_EQ(corners, static_cast<int>(model.corners.size()));
        for (std::size_t c = 0; c < model.corners.size(); ++c) {
            const ObjCorner& corner = model.corners[c];
            EXPECT_NEAR(corner.nx * corner.nx + corner.ny * corner.ny + corner.nz * corner.nz, 1.0f, 1e-3f) << c;
            ASSERT_TRUE(corner.s >= 0 && corner.s <= 1 && corner.t >= 0 && corner.t <= 1) << c;
        }
        if (is_tree(model)) {
            // The crown sits above the trunk; a tree stands about 1.5 squares tall once placed.
            EXPECT_GT(model.groups[1].box[4], model.groups[0].box[4]);
            EXPECT_NEAR(placed_scale * model.groups[1].box[4], 96.0f, 24.0f);
        }
    }
    free_scenery_items();
}

TEST(GeneratedScenery, GrassPicturesAreCutOutAndTheDetailTextureIsOpaque) {
    const Picture blades = read_png("models/enviro/grass1/blades.png");
    int clear = 0, solid = 0;
    for (int y = 0; y < blades.height; ++y)
        for (int x = 0; x < blades.width; ++x) (blades.at(x, y)[3] == 0 ? clear : solid) += 1;
    EXPECT_GT(clear, blades.width * blades.height / 3);
    EXPECT_GT(solid, blades.width * blades.height / 10);

    const Picture detail = read_png("data/detail.png");
    EXPECT_EQ(detail.width, 256);
    EXPECT_EQ(detail.height, 256);
    for (int y = 0; y < detail.height; y += 17)
        for (int x = 0; x < detail.width; x += 13) {
            EXPECT_EQ(detail.at(x, y)[3], 255);
            EXPECT_GT(detail.at(x, y)[0], 180) << "light enough for the colour map to show";
        }
}

}  // namespace
