#include "bmp_writer.h"

namespace floebound::tools {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi

}  // namespace

Bytes encode_bmp24(const Raster& image) {
    // Rows are padded to a multiple of four bytes.
    const std::uint32_t row_size = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixel_bytes = row_size * static_cast<std::uint32_t>(image.height);
    const std::uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize;

    Bytes out;
    out.reserve(pixel_offset + pixel_bytes);
    put_text(out, "BM");
    put_u32le(out, pixel_offset + pixel_bytes);
    put_u32le(out, 0);
    put_u32le(out, pixel_offset);

    put_u32le(out, kInfoHeaderSize);
    put_u32le(out, static_cast<std::uint32_t>(image.width));
    put_u32le(out, static_cast<std::uint32_t>(image.height));  // positive: rows stored bottom-up
    put_u16le(out, 1);                                           // planes
    put_u16le(out, 24);                                          // bits per pixel
    put_u32le(out, 0);                                           // BI_RGB, uncompressed
    put_u32le(out, pixel_bytes);
    put_u32le(out, kPixelsPerMetre);
    put_u32le(out, kPixelsPerMetre);
    put_u32le(out, 0);  // colours used
    put_u32le(out, 0);  // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.pixel(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < row_size; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace floebound::tools
