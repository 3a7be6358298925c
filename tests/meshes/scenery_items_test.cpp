#include "media/texture_budget.h"
#include "meshes/obj_model.h"
#include "meshes/scenery_items.h"
#include "meshes/scenery_tables.h"
#include "obj_scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using namespace floebound;

namespace {

class SceneryItems : public ObjScratch {
protected:
    // One small model file for every distinct name of the list.
    void SetUp() override {
        ObjScratch::SetUp();
        for (const char* name : scenery_item_list)
            write(std::string("models/") + name + ".obj", "v 8 0 0\nv 0 8 0\nv 0 0 8\nvt 0 0\nf 1/1 2/1 3/1\n");
    }

    static std::string load_items() {
        testing::internal::CaptureStdout();
        load_scenery_items();
        return testing::internal::GetCapturedStdout();
    }
};

const ObjModel& slot(int i) { return scenery_tables.models[i]; }

TEST_F(SceneryItems, TheListLoadsOnceInOrderUntilReleased) {
    texture_budget.vram_enabled = true;
    const std::string out = load_items();
    EXPECT_EQ(out.rfind("Loading items...\nread texture for 'enviro/tree2'\n", 0), 0u) << out;
    EXPECT_EQ(out.substr(out.size() - 23), "Loading items complete\n");
    ASSERT_EQ(scenery_item_count(), 11);
    for (int i = 0; i < 11; ++i) EXPECT_STREQ(slot(i).name, scenery_item_list[i]) << i;
    // Two copies of the same tree, each with arrays of its own.
    EXPECT_STREQ(slot(3).name, "enviro/tree2");
    EXPECT_NE(slot(0).corners.data(), slot(3).corners.data());
    EXPECT_FALSE(texture_budget.vram_enabled);

    EXPECT_EQ(load_items(), "");
    EXPECT_EQ(scenery_item_count(), 11);

    free_scenery_items();
    EXPECT_EQ(scenery_item_count(), 0);
    EXPECT_TRUE(slot(0).corners.empty());
    EXPECT_EQ(scenery_tables.material_count, 0);
    load_items();
    EXPECT_EQ(scenery_item_count(), 11);
}

TEST_F(SceneryItems, AMissingModelMovesTheLaterNamesUp) {
    std::filesystem::remove(file("models/enviro/tree4.obj"));
    const std::string out = load_items();
    EXPECT_NE(out.find("Couldn't find models/enviro/tree4.obj\n"), std::string::npos);
    ASSERT_EQ(scenery_item_count(), 10);
    EXPECT_STREQ(slot(1).name, "enviro/tree5");
    EXPECT_STREQ(slot(9).name, "enviro/grass_scatt");
    EXPECT_EQ(slot(10).name[0], '\0');
}

TEST_F(SceneryItems, PlacingScalesBySixAndMovesOnlyFilledSlots) {
    load_items();
    place_scenery_item(0, 1, 2, 3);
    const float expected[16] = {6, 0, 0, 0, 0, 6, 0, 0, 0, 0, 6, 0, 1, 2, 3, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(slot(0).placement[i], expected[i]) << i;

    // The rest keeps its values: placing twice moves, and scales no further.
    place_scenery_item(0, -5, 0, 7);
    EXPECT_EQ(slot(0).placement[0], 6);
    EXPECT_EQ(slot(0).placement[12], -5);
    EXPECT_EQ(slot(0).placement[14], 7);

    float before[max_scenery_models][16];
    for (int s = 0; s < max_scenery_models; ++s) std::memcpy(before[s], slot(s).placement, sizeof before[s]);
    place_scenery_item(11, 1, 2, 3);
    place_scenery_item(-1, 1, 2, 3);
    place_scenery_item(max_scenery_models, 1, 2, 3);
    for (int s = 0; s < max_scenery_models; ++s)
        EXPECT_EQ(std::memcmp(before[s], slot(s).placement, sizeof before[s]), 0) << s;
}

}  // namespace
