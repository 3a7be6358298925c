#pragma once

#include <list>

namespace floebound {

struct Image;

// A fixed window of dedicated texture memory, handed out in blocks: an exact
// fit when there is one, else the front of the largest free block. Addresses
// are numbers in the window, 0 meaning none; vram_memory turns one into the
// memory that stands in for it.
constexpr int vram_window_start = 0x04154000;
constexpr int vram_window_size = 704512;  // 0xAC000, so the window ends at 0x04200000

struct VramBlock {
    int address;
    int size;
};

struct TextureBudget {
    bool vram_enabled = true;  // when false, move_image_to_vram uses the heap
    int free_bytes = vram_window_size;
    int largest_block = 0;
    std::list<VramBlock> free_list;  // increasing addresses; empty until vram_reset
};

extern TextureBudget texture_budget;

// "There is %d VRAM available in %d blocks (biggest is %d)\n".
void vram_report();

// The whole window as one free block; prints "reset: " and the report.
void vram_reset();

// An address in the window for size bytes, or 0: silently when no block is
// that large (always before vram_reset, and for sizes below 1), else after
// "ASSERT COULDN'T ALLOC: " and the report. Prints "alloc: " and the report
// on success.
int vram_alloc(int size);

// Gives a block back, merging it with the free blocks either side; prints
// "free: " and the report. A range that is empty or not inside the window is
// ignored with a line of its own.
void vram_free(int address, int size);

// The memory standing in for window address `address`, or null outside the
// window; and the way back.
unsigned char* vram_memory(int address);
int vram_address(const void* memory);

// Gives an image's pixels back where they came from: the window or the heap.
void release_image_pixels(Image& image);

// Rewrites the image's pixels in the tiled order (bands of 8 rows, tiles 4
// pixels wide, each tile's 8 rows in turn) into the window when the budget is
// enabled and has room ("texture to vram\n"), else onto the heap, and marks
// it swizzled. Rows below the last full band are not copied. Null, or no
// memory anywhere, leaves the image as it was.
void move_image_to_vram(Image* image);

}  // namespace floebound
