#include "media/image.h"

#include "app/game_folder.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>

namespace floebound {

namespace {

constexpr png_uint_32 max_side = 1024;
// Limits for chunks other than the pixel data, which libpng streams: text,
// colour profiles and the like are a few kilobytes in any real picture. No
// allocation of libpng's is larger for a picture we accept either.
constexpr png_alloc_size_t max_chunk_bytes = 1 << 20;
constexpr png_uint_32 max_stored_chunks = 64;

// Everything one load holds. It lives outside the frame that calls setjmp, so
// after a libpng error has jumped back every field still says what to release.
struct PngLoad {
    Image* image = nullptr;
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    // Copied, because libpng may format its message in a frame the jump unwinds.
    char reason[128] = "";
};

void print_warning(png_structp, png_const_charp message) { std::printf("PNGERROR: %s\n", message); }

// libpng sizes a chunk's buffer by the length the file claims, and a length
// beyond the chunk limit only draws a warning. Refused here, such an
// allocation fails the chunk instead, so a few hundred bytes of file claiming
// gigabytes never take them.
png_voidp capped_alloc(png_structp, png_alloc_size_t size) {
    return size <= max_chunk_bytes ? ::operator new(size, std::nothrow) : nullptr;
}

void plain_release(png_structp, png_voidp block) { ::operator delete(block); }

// Replaces libpng's default, which writes to stderr: the reason is kept for the
// one line load_image prints when it gives up.
[[noreturn]] void abandon_load(png_structp png, png_const_charp message) {
    auto* load = static_cast<PngLoad*>(png_get_error_ptr(png));
    std::snprintf(load->reason, sizeof load->reason, "%s", message);
    png_longjmp(png, 1);
}

// Everything from the header to the end chunk. libpng errors leave through
// longjmp, so nothing here may need a destructor.
bool decode(PngLoad& load) {
    png_structp png = load.png;
    png_infop info = load.info;
    png_init_io(png, load.file);
    png_set_sig_bytes(png, 0);
    // Ancillary chunks are read, so that libpng can warn about a damaged one,
    // within the limits above (capped_alloc keeps the size limit).
    png_set_chunk_malloc_max(png, max_chunk_bytes);
    png_set_chunk_cache_max(png, max_stored_chunks);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr, nullptr);
    if (width > max_side || height > max_side) return false;

    Image* image = load.image;
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    image->tex_width = next_power_of_two(image->width);
    image->tex_height = next_power_of_two(image->height);

    png_set_strip_16(png);
    png_set_packing(png);
    if (colour_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    // Grey with alpha is widened too, so every file comes out as RGBA.
    if (colour_type == PNG_COLOR_TYPE_GRAY || colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    // Rows are decoded straight into the buffer, so they must be exactly its width.
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) return false;

    const std::size_t pixel_count = static_cast<std::size_t>(image->tex_width) * image->tex_height;
    // Zeroed: the margin beyond the picture is uploaded and, where a quad covers
    // the whole texture, drawn; transparent black keeps it invisible.
    image->pixels = new (std::nothrow) unsigned int[pixel_count]();
    if (!image->pixels) return false;

    // Each pass of an interlaced file fills in its own pixels of every row and
    // leaves the others as earlier passes wrote them.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 row = 0; row < height; ++row)
            png_read_row(png, reinterpret_cast<png_bytep>(image->pixels + std::size_t{row} * image->tex_width), nullptr);
    }
    png_read_end(png, nullptr);
    return true;
}

bool decode_guarded(PngLoad& load) {
    if (setjmp(png_jmpbuf(load.png))) return false;
    return decode(load);
}

}  // namespace

ImageHandle load_image(const char* path) {
    ImageHandle image{new (std::nothrow) Image{}};
    if (!image) return nullptr;
    // Printed in the console lines; only the low 32 bits fit the format.
    const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(image.get()));

    PngLoad load;
    load.image = image.get();
    load.file = std::fopen(game_file(path).c_str(), "rb");
    if (!load.file) return nullptr;

    load.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &load, abandon_load, print_warning, nullptr,
                                        capped_alloc, plain_release);
    if (load.png) load.info = png_create_info_struct(load.png);
    const bool loaded = load.info && decode_guarded(load);

    if (load.png) png_destroy_read_struct(&load.png, &load.info, nullptr);
    std::fclose(load.file);
    if (!loaded) {
        if (load.reason[0])
            std::printf("Couldn't load %s (%08x): %s\n", path, address, load.reason);
        else
            std::printf("Couldn't load %s (%08x)\n", path, address);
        return nullptr;
    }
    std::printf("Loaded %s (%08x)\n", path, address);
    return image;
}

int next_power_of_two(int n) {
    int bits = 0;
    for (int rest = n; rest > 0; rest >>= 1) ++bits;
    const int power = 1 << bits;
    return power == 2 * n ? power / 2 : power;
}

}  // namespace floebound
