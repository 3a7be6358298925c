#include "media/image.h"
#include "media/texture.h"
#include "media/texture_budget.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

std::string console_of(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

int quiet_alloc(int size) {
    int address = 0;
    console_of([&] { address = vram_alloc(size); });
    return address;
}

void quiet_free(int address, int size) {
    console_of([&] { vram_free(address, size); });
}

// The free list as (address, size) pairs.
std::vector<std::pair<int, int>> free_blocks() {
    std::vector<std::pair<int, int>> blocks;
    for (const VramBlock& block : texture_budget.free_list) blocks.emplace_back(block.address, block.size);
    return blocks;
}

std::string report(int free, int blocks, int biggest) {
    return "There is " + std::to_string(free) + " VRAM available in " + std::to_string(blocks) +
           " blocks (biggest is " + std::to_string(biggest) + ")\n";
}

// Pixel value i at index i of the whole buffer.
ImageHandle numbered_image(int width, int height) {
    ImageHandle image = make_blank_image(width, height);
    const int count = image->tex_width * image->tex_height;
    for (int i = 0; i < count; ++i) image->pixels[i] = static_cast<std::uint32_t>(i);
    return image;
}

class TextureBudgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        texture_budget.vram_enabled = true;
        console_of(vram_reset);
    }
};

constexpr int start = vram_window_start;
constexpr int whole = vram_window_size;

TEST_F(TextureBudgetTest, ResetAllocAndFreeReportEachStep) {
    EXPECT_EQ(console_of(vram_reset), "reset: " + report(whole, 1, whole));
    int address = 0;
    EXPECT_EQ(console_of([&] { address = vram_alloc(262144); }), "alloc: " + report(442368, 1, 442368));
    EXPECT_EQ(address, 0x04154000);
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{0x04194000, 442368}}));

    EXPECT_EQ(console_of([&] { vram_free(address, 262144); }), "free: " + report(whole, 1, whole));
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{start, whole}}));

    // Larger than any block, or nothing at all: no address and no line.
    EXPECT_EQ(console_of([&] { address = vram_alloc(whole + 1); }), "");
    EXPECT_EQ(address, 0);
    EXPECT_EQ(quiet_alloc(0), 0);
    EXPECT_EQ(quiet_alloc(-4), 0);
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{start, whole}}));
}

TEST_F(TextureBudgetTest, AnExactFitIsTakenWholeElseTheLargestBlockIsCut) {
    const int a = quiet_alloc(1000);
    const int b = quiet_alloc(2000);
    const int c = quiet_alloc(1000);
    const int d = quiet_alloc(4000);
    ASSERT_EQ(b, a + 1000);
    ASSERT_EQ(d, c + 1000);
    quiet_free(a, 1000);
    quiet_free(c, 1000);
    const int rest = d + 4000;
    ASSERT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{a, 1000}, {c, 1000}, {rest, whole - 8000}}));

    // Two blocks fit exactly: the first of them goes, whole.
    EXPECT_EQ(console_of([] { vram_alloc(1000); }), "alloc: " + report(whole - 7000, 2, whole - 8000));
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{c, 1000}, {rest, whole - 8000}}));
    // No exact fit: the front of the largest block, not the smallest that fits.
    EXPECT_EQ(quiet_alloc(500), rest);
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{c, 1000}, {rest + 500, whole - 8500}}));
    EXPECT_EQ(texture_budget.largest_block, whole - 8500);
    EXPECT_EQ(texture_budget.free_bytes, whole - 7500);
}

TEST_F(TextureBudgetTest, FreedBlocksMergeWithTheirNeighboursInAddressOrder) {
    const int a = quiet_alloc(100);
    const int b = quiet_alloc(200);
    const int c = quiet_alloc(300);
    // Before the first block, then merged with the rest that follows it.
    EXPECT_EQ(console_of([&] { vram_free(a, 100); }), "free: " + report(whole - 500, 2, whole - 600));
    quiet_free(c, 300);
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{a, 100}, {c, whole - 300}}));
    // Between two free blocks: one block again.
    EXPECT_EQ(console_of([&] { vram_free(b, 200); }), "free: " + report(whole, 1, whole));
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{start, whole}}));

    // Free blocks given back twice, or ranges outside the window, change nothing.
    const int e = quiet_alloc(64);
    quiet_free(e, 64);
    for (const std::pair<int, int>& range : {std::pair{e, 64}, {e + 32, 8}, {start - 64, 64}, {start + whole - 8, 16}, {start, 0}}) {
        EXPECT_EQ(console_of([&] { vram_free(range.first, range.second); }).rfind("*** Bad VRAM free of ", 0), 0u);
        EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{start, whole}}));
    }
}

TEST_F(TextureBudgetTest, MovedPixelsAreTiledIntoTheWindowAndGivenBackOnRelease) {
    ImageHandle one_tile = numbered_image(4, 8);
    EXPECT_EQ(console_of([&] { move_image_to_vram(one_tile.get()); }),
              "alloc: " + report(whole - 128, 1, whole - 128) + "texture to vram\n");
    EXPECT_TRUE(one_tile->in_vram);
    EXPECT_TRUE(one_tile->swizzled);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(one_tile->pixels), vram_memory(start));
    for (int i = 0; i < 32; ++i) EXPECT_EQ(one_tile->pixels[i], static_cast<std::uint32_t>(i)) << i;

    // Two tiles side by side: all 8 rows of the left one first. Rows 8 to 11
    // make no full band and are left out.
    ImageHandle wide = numbered_image(8, 12);
    console_of([&] { move_image_to_vram(wide.get()); });
    ASSERT_TRUE(wide->in_vram);
    for (int row = 0; row < 8; ++row) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(wide->pixels[row * 4 + x], static_cast<std::uint32_t>(row * 8 + x));
            EXPECT_EQ(wide->pixels[32 + row * 4 + x], static_cast<std::uint32_t>(row * 8 + 4 + x));
        }
    }
    EXPECT_EQ(texture_budget.free_bytes, whole - 128 - 8 * 4 * 12);

    EXPECT_EQ(console_of([&] { wide.reset(); }), "free: " + report(whole - 128, 1, whole - 128));
    EXPECT_EQ(console_of([&] { one_tile.reset(); }), "free: " + report(whole, 1, whole));
}

TEST_F(TextureBudgetTest, MovingAgainOrWithTheBudgetOffUsesTheRightMemory) {
    // A second move gives the first block back to the window.
    ImageHandle image = numbered_image(4, 8);
    console_of([&] { move_image_to_vram(image.get()); });
    console_of([&] { move_image_to_vram(image.get()); });
    EXPECT_TRUE(image->in_vram);
    EXPECT_EQ(texture_budget.free_bytes, whole - 128);
    EXPECT_EQ(free_blocks().size(), 2u);
    console_of([&] { image.reset(); });
    EXPECT_EQ(free_blocks(), (std::vector<std::pair<int, int>>{{start, whole}}));

    // Switched off, the copy goes to the heap in the same order.
    texture_budget.vram_enabled = false;
    ImageHandle heap = numbered_image(8, 8);
    EXPECT_EQ(console_of([&] { move_image_to_vram(heap.get()); }), "");
    EXPECT_FALSE(heap->in_vram);
    EXPECT_TRUE(heap->swizzled);
    EXPECT_EQ(heap->pixels[4], 8u);
    EXPECT_EQ(heap->pixels[32], 4u);
    EXPECT_EQ(console_of([&] { heap.reset(); }), "");
    EXPECT_EQ(texture_budget.free_bytes, whole);
    texture_budget.vram_enabled = true;

    move_image_to_vram(nullptr);
}

}  // namespace
