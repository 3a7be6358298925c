// Alone in its binary: the budget is process-wide and nothing here may call
// vram_reset.

#include "media/image.h"
#include "media/texture.h"
#include "media/texture_budget.h"

#include <gtest/gtest.h>

using namespace floebound;

TEST(VramUnset, WithoutAResetNothingIsAllocatedAndMovesUseTheHeap) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(vram_alloc(16), 0);
    EXPECT_EQ(vram_alloc(1), 0);
    const ImageHandle image = make_blank_image(4, 8);
    ASSERT_NE(image, nullptr);
    image->pixels[5] = 0x12345678u;
    move_image_to_vram(image.get());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(image->swizzled);
    EXPECT_FALSE(image->in_vram);
    EXPECT_EQ(image->pixels[5], 0x12345678u);
    EXPECT_TRUE(texture_budget.free_list.empty());
}
