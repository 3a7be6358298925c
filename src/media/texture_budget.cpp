#include "media/texture_budget.h"

#include "media/image.h"

#include <cstddef>
#include <cstdio>
#include <iterator>
#include <new>
#include <cstring>

namespace floebound {

// The texture memory window is the process's, like the GL context it stands for.
TextureBudget texture_budget;

namespace {

// The desktop build has no separate texture memory, so the window's addresses
// are offsets into this buffer; copying to them and freeing them stays safe.
alignas(16) unsigned char vram_backing[vram_window_size];

constexpr int tile_bytes = 16;  // 4 pixels
constexpr int band_rows = 8;

void print_report(const char* prefix) {
    std::printf("%s", prefix);
    vram_report();
}

using BlockIt = std::list<VramBlock>::iterator;

void recount() {
    texture_budget.free_bytes = 0;
    texture_budget.largest_block = 0;
    for (const VramBlock& block : texture_budget.free_list) {
        texture_budget.free_bytes += block.size;
        if (block.size > texture_budget.largest_block) texture_budget.largest_block = block.size;
    }
}

bool inside_window(int address, int size) {
    const long long start = address;
    return size > 0 && start >= vram_window_start && start + size <= vram_window_start + vram_window_size;
}

// A range that touches a free block is already free: giving it back again
// would make the list overlap itself.
bool overlaps_free_block(int address, int size) {
    for (const VramBlock& block : texture_budget.free_list)
        if (address < block.address + block.size && block.address < address + size) return true;
    return false;
}

// The block whose end is `address`, or the list's end.
BlockIt block_ending_at(int address) {
    std::list<VramBlock>& list = texture_budget.free_list;
    for (auto block = list.begin(); block != list.end(); ++block)
        if (block->address + block->size == address) return block;
    return list.end();
}

// Before the first block with a greater address.
BlockIt insert_block(int address, int size) {
    std::list<VramBlock>& list = texture_budget.free_list;
    auto after = list.begin();
    while (after != list.end() && after->address <= address) ++after;
    return list.insert(after, VramBlock{address, size});
}

void copy_tiled(const Image& image, unsigned char* destination) {
    const auto* source = reinterpret_cast<const unsigned char*>(image.pixels);
    const std::size_t row_bytes = static_cast<std::size_t>(image.tex_width) * 4;
    const int tiles_per_row = image.tex_width / 4;
    for (int band = 0; band + band_rows <= image.height; band += band_rows) {
        for (int tile = 0; tile < tiles_per_row; ++tile) {
            for (int row = 0; row < band_rows; ++row) {
                std::memcpy(destination, source + (band + row) * row_bytes + tile * tile_bytes, tile_bytes);
                destination += tile_bytes;
            }
        }
    }
}

}  // namespace

void release_image_pixels(Image& image) {
    if (!image.pixels) return;
    if (image.in_vram)
        vram_free(vram_address(image.pixels), image.height * image.tex_width * 4);
    else
        delete[] image.pixels;
    image.pixels = nullptr;
}

void vram_report() {
    std::printf("There is %d VRAM available in %d blocks (biggest is %d)\n", texture_budget.free_bytes,
                static_cast<int>(texture_budget.free_list.size()), texture_budget.largest_block);
}

void vram_reset() {
    texture_budget.free_list.assign(1, VramBlock{vram_window_start, vram_window_size});
    recount();
    print_report("reset: ");
}

int vram_alloc(int size) {
    if (size < 1 || size > texture_budget.largest_block) return 0;
    std::list<VramBlock>& list = texture_budget.free_list;
    const BlockIt none = list.end();
    BlockIt largest = none;
    BlockIt smallest_fit = none;
    for (auto block = list.begin(); block != none; ++block) {
        if (largest == none || block->size > largest->size) largest = block;
        if (block->size >= size && (smallest_fit == none || block->size < smallest_fit->size)) smallest_fit = block;
    }
    BlockIt chosen = none;
    if (smallest_fit != none && smallest_fit->size == size)
        chosen = smallest_fit;
    else if (largest != none && largest->size >= size)
        chosen = largest;
    if (chosen == none) {
        print_report("ASSERT COULDN'T ALLOC: ");
        return 0;
    }
    const int address = chosen->address;
    if (chosen->size == size) {
        list.erase(chosen);
    } else {
        chosen->address += size;
        chosen->size -= size;
    }
    recount();
    print_report("alloc: ");
    return address;
}

void vram_free(int address, int size) {
    if (!inside_window(address, size) || overlaps_free_block(address, size)) {
        std::printf("*** Bad VRAM free of %d bytes at %08x\n", size, static_cast<unsigned>(address));
        return;
    }
    BlockIt block = block_ending_at(address);
    if (block != texture_budget.free_list.end())
        block->size += size;
    else
        block = insert_block(address, size);
    const BlockIt next = std::next(block);
    if (next != texture_budget.free_list.end() && block->address + block->size == next->address) {
        block->size += next->size;
        texture_budget.free_list.erase(next);
    }
    recount();
    print_report("free: ");
}

unsigned char* vram_memory(int address) {
    if (!inside_window(address, 1)) return nullptr;
    return vram_backing + (address - vram_window_start);
}

int vram_address(const void* memory) {
    const auto* byte = static_cast<const unsigned char*>(memory);
    if (byte < vram_backing || byte >= vram_backing + vram_window_size) return 0;
    return vram_window_start + static_cast<int>(byte - vram_backing);
}

void move_image_to_vram(Image* image) {
    if (!image || !image->pixels) return;
    const int size = image->tex_width * 4 * image->height;
    unsigned char* destination = nullptr;
    const int address = texture_budget.vram_enabled ? vram_alloc(size) : 0;
    if (address) {
        std::printf("texture to vram\n");
        destination = vram_memory(address);
    } else {
        // Whole pixels, so that release_image_pixels can give them back as such.
        destination = reinterpret_cast<unsigned char*>(new (std::nothrow) unsigned int[size > 0 ? size / 4 : 1]);
        if (!destination) return;
    }
    copy_tiled(*image, destination);
    // The old buffer may itself lie in the window, from an earlier move.
    release_image_pixels(*image);
    image->pixels = reinterpret_cast<unsigned int*>(destination);
    image->in_vram = address != 0;
    image->swizzled = 1;
}

}  // namespace floebound
