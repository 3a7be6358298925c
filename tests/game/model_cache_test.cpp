#include "game/actor.h"
#include "game/model_cache.h"
#include "md2_fixture.h"
#include "meshes/md2.h"
#include "png_fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <string>

using namespace floebound;

namespace {

int occurrences(const std::string& text, const std::string& word) {
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

// The skins named here do not exist, so nothing needs a texture.
TEST(ModelCache, ActorsWithTheSameModelAndSkinShareOneLoad) {
    ModelCache models;
    const ScratchDir dir;
    const std::string model = dir.file("penguin.md2");
    const std::string skin = dir.file("penguin.png");
    write_bytes(model, square_md2_fixture(2).bytes());

    testing::internal::CaptureStdout();
    Actor first;
    Actor second;
    EXPECT_TRUE(first.load_model(models, "Penguin", model.c_str(), skin.c_str()));
    EXPECT_TRUE(second.load_model(models, "Penguin2", model.c_str(), skin.c_str()));
    Actor other_skin;
    EXPECT_TRUE(other_skin.load_model(models, "Cow", model.c_str(), dir.file("cow.png").c_str()));
    const std::string output = testing::internal::GetCapturedStdout();

    ASSERT_NE(first.model, nullptr);
    EXPECT_EQ(first.model, second.model);
    EXPECT_EQ(first.model->frame_count, 2);
    EXPECT_STREQ(second.display_name, "Penguin2");
    EXPECT_EQ(models.entries().at(model + ":" + skin).get(), first.model);
    // Another skin makes another model: two reads of the file in all.
    EXPECT_NE(other_skin.model, first.model);
    EXPECT_EQ(occurrences(output, "PARSE"), 2) << output;
}

TEST(ModelCache, MissingModelIsTriedOnceAndItsActorStillMoves) {
    ModelCache models;
    const ScratchDir dir;
    const std::string model = dir.file("missing.md2");
    const std::string skin = dir.file("missing.png");
    Actor first;
    EXPECT_FALSE(first.load_model(models, "Bucket", model.c_str(), skin.c_str()));
    EXPECT_EQ(first.model, nullptr);
    EXPECT_STREQ(first.display_name, "Bucket");

    // Even once the file appears, the remembered failure stands, and is
    // reported as one.
    write_bytes(model, square_md2_fixture(1).bytes());
    Actor second;
    EXPECT_FALSE(second.load_model(models, "Bucket", model.c_str(), skin.c_str()));
    EXPECT_EQ(second.model, nullptr);

    second.walk_to_cell(4, 4);
    second.start_dying();
    for (int n = 0; n < 200; ++n) second.update(10);
    EXPECT_EQ(second.position[0], 32);
    EXPECT_TRUE(second.death_finished());

    // Names longer than the field are cut to fit.
    const std::string long_name(300, 'x');
    EXPECT_FALSE(second.load_model(models, long_name.c_str(), model.c_str(), skin.c_str()));
    EXPECT_EQ(std::string(second.display_name), long_name.substr(0, sizeof second.display_name - 1));
}

}  // namespace
