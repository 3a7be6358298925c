#include "media/image.h"
#include "media/texture.h"
#include "png_fixture.h"
#include "process.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>

using namespace floebound;

namespace {

using Rgba = std::array<int, 4>;
using Bytes = std::vector<unsigned char>;

Rgba rgba_at(const Image& image, int x, int y) {
    unsigned char bytes[4];
    std::memcpy(bytes, &image.pixels[y * image.tex_width + x], 4);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

// Record addresses change from run to run; "(1a2b3c4d)" becomes "(@)".
std::string without_addresses(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\([0-9a-f]{8}\))"), "(@)");
}

std::string hex_address(const Image* image) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(image)));
    return text;
}

Bytes read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::uint32_t big_endian_at(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

// Where the data of the first chunk of this type starts; 0 when there is none.
std::size_t chunk_data(const Bytes& file, const char* type) {
    for (std::size_t at = 8; at + 8 <= file.size(); at += 12 + big_endian_at(file, at)) {
        if (std::memcmp(&file[at + 4], type, 4) == 0) return at + 8;
    }
    return 0;
}

// Rewrites a chunk's CRC after its data was changed, so that libpng gets as far
// as the damage itself.
void reseal_chunk(Bytes& file, std::size_t data) {
    const std::uint32_t length = big_endian_at(file, data - 8);
    const std::uint32_t crc = crc32(0, &file[data - 4], length + 4);
    for (int i = 0; i < 4; ++i) file[data + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
}

// Puts a chunk with this type and data, its CRC right, at byte at of the file.
void insert_chunk(Bytes& file, std::size_t at, const char* type, const Bytes& data) {
    Bytes chunk;
    for (int i = 0; i < 4; ++i) chunk.push_back(static_cast<unsigned char>(data.size() >> (24 - 8 * i)));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    chunk.resize(chunk.size() + 4);
    reseal_chunk(chunk, 8);
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), chunk.begin(), chunk.end());
}

// A picture of one row holding these samples.
PngPicture one_row(int colour_type, int bit_depth, std::vector<unsigned> samples) {
    PngPicture picture;
    picture.colour_type = colour_type;
    picture.bit_depth = bit_depth;
    picture.width = static_cast<int>(samples.size()) / channels_of(colour_type);
    picture.samples = std::move(samples);
    return picture;
}

// Every pixel different: red and green count columns and rows, blue their hundreds.
Rgba pattern_colour(int x, int y) { return {x % 256, y % 256, x / 256 * 16 + y / 256, 255}; }

PngPicture pattern_picture(int width, int height) {
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba colour = pattern_colour(x, y);
            picture.samples.insert(picture.samples.end(), colour.begin(), colour.begin() + 3);
        }
    }
    return picture;
}

class LoadImageTest : public testing::Test {
protected:
    std::string written(const std::string& name, const PngPicture& picture) {
        const std::string path = dir_.file(name);
        EXPECT_TRUE(write_png(path, picture)) << name;
        return path;
    }

    // Loads with the console captured into out_ and err_.
    Image* load(const std::string& path) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        ImageHandle image = load_image(path.c_str());
        std::fflush(nullptr);
        out_ = testing::internal::GetCapturedStdout();
        err_ = testing::internal::GetCapturedStderr();
        if (!image) return nullptr;
        loaded_.push_back(std::move(image));
        return loaded_.back().get();
    }

    // Null, and a refusal as the last console line; any lines before it are
    // libpng's warnings about the damage. Nothing reaches stderr.
    void expect_refused(const std::string& path) {
        EXPECT_EQ(load(path), nullptr);
        const std::string out = without_addresses(out_);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.back(), '\n');
        const std::size_t last_line = out.rfind('\n', out.size() - 2) + 1;
        const std::string refusal = "Couldn't load " + path + " (@)";
        EXPECT_EQ(out.compare(last_line, refusal.size(), refusal), 0) << out;
        for (std::size_t line = 0; line < last_line; line = out.find('\n', line) + 1)
            EXPECT_EQ(out.compare(line, 10, "PNGERROR: "), 0) << out;
        EXPECT_EQ(err_, "");
    }

    ScratchDir dir_;
    std::string out_;
    std::string err_;

private:
    std::vector<ImageHandle> loaded_;
};

TEST(NextPowerOfTwo, GivesTheSmallestPowerNotBelow) {
    EXPECT_EQ(next_power_of_two(0), 1);
    EXPECT_EQ(next_power_of_two(1), 1);
    EXPECT_EQ(next_power_of_two(3), 4);
    EXPECT_EQ(next_power_of_two(4), 4);
    EXPECT_EQ(next_power_of_two(5), 8);
    EXPECT_EQ(next_power_of_two(640), 1024);
    EXPECT_EQ(next_power_of_two(1024), 1024);
    for (int n = 2; n <= 1024; ++n) {
        const int power = next_power_of_two(n);
        ASSERT_EQ(power & (power - 1), 0) << n;
        ASSERT_GE(power, n);
        ASSERT_LT(power / 2, n);
    }
}

TEST_F(LoadImageTest, BufferSidesArePowersOfTwoWithRowsTexWidthApart) {
    struct Case {
        int width, height, tex_width, tex_height;
    };
    for (const Case& c : {Case{640, 480, 1024, 512}, Case{256, 256, 256, 256}, Case{1, 1, 1, 1}, Case{3, 5, 4, 8}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string path = written("pattern.png", pattern_picture(c.width, c.height));
        const Image* image = load(path);
        ASSERT_NE(image, nullptr) << out_;
        EXPECT_EQ(out_, "Loaded " + path + " (" + hex_address(image) + ")\n");
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
        EXPECT_EQ(image->tex_width, c.tex_width);
        EXPECT_EQ(image->tex_height, c.tex_height);
        EXPECT_EQ(image->texture, 0u);
        EXPECT_EQ(image->swizzled, 0);
        EXPECT_EQ(image->in_vram, 0);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) ASSERT_EQ(rgba_at(*image, x, y), pattern_colour(x, y)) << x << "," << y;
        }
    }
}

TEST_F(LoadImageTest, SidesAbove1024AreRefused) {
    for (const auto& [width, height] : {std::pair{1025, 1}, std::pair{1, 1025}}) {
        const std::string path = written("huge.png", pattern_picture(width, height));
        EXPECT_EQ(load(path), nullptr);
        EXPECT_EQ(without_addresses(out_), "Couldn't load " + path + " (@)\n");
    }
    const Image* image = load(written("largest.png", pattern_picture(1024, 1024)));
    ASSERT_NE(image, nullptr) << out_;
    EXPECT_EQ(image->tex_width, 1024);
    EXPECT_EQ(image->tex_height, 1024);
    EXPECT_EQ(rgba_at(*image, 1023, 1023), pattern_colour(1023, 1023));
}

TEST_F(LoadImageTest, EveryColourTypeBecomesEightBitRgba) {
    PngPicture palette = one_row(PNG_COLOR_TYPE_PALETTE, 2, {0, 1, 2, 3});
    palette.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};
    palette.palette_alpha = {255, 0};  // entries beyond the list are opaque
    PngPicture opaque_palette = one_row(PNG_COLOR_TYPE_PALETTE, 8, {1, 0});
    opaque_palette.palette = {{1, 2, 3}, {250, 251, 252}};
    PngPicture keyed_grey = one_row(PNG_COLOR_TYPE_GRAY, 8, {7, 8});
    keyed_grey.transparent_colour = png_color_16{0, 0, 0, 0, 7};
    PngPicture keyed_rgb = one_row(PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 10, 20, 31});
    keyed_rgb.transparent_colour = png_color_16{0, 10, 20, 30, 0};

    struct Case {
        const char* name;
        PngPicture picture;
        std::vector<Rgba> expected;
    };
    const Case cases[] = {
        {"palette with transparency", palette, {{10, 20, 30, 255}, {40, 50, 60, 0}, {70, 80, 90, 255}, {100, 110, 120, 255}}},
        {"palette", opaque_palette, {{250, 251, 252, 255}, {1, 2, 3, 255}}},
        {"grey 1 bit", one_row(PNG_COLOR_TYPE_GRAY, 1, {0, 1, 1, 0}),
         {{0, 0, 0, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}}},
        {"grey 2 bits", one_row(PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3}),
         {{0, 0, 0, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}, {255, 255, 255, 255}}},
        {"grey 16 bits", one_row(PNG_COLOR_TYPE_GRAY, 16, {0x1234}), {{0x12, 0x12, 0x12, 255}}},
        {"grey with a transparent value", keyed_grey, {{7, 7, 7, 0}, {8, 8, 8, 255}}},
        {"grey and alpha", one_row(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 100, 0, 255}),
         {{200, 200, 200, 100}, {0, 0, 0, 255}}},
        {"grey and alpha 16 bits", one_row(PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0xff00, 0x8001}), {{255, 255, 255, 128}}},
        {"RGB 16 bits", one_row(PNG_COLOR_TYPE_RGB, 16, {0x1234, 0xabcd, 0x00ff}), {{0x12, 0xab, 0x00, 255}}},
        {"RGB with a transparent colour", keyed_rgb, {{10, 20, 30, 0}, {10, 20, 31, 255}}},
        {"RGBA", one_row(PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 250, 251, 252, 0}),
         {{1, 2, 3, 4}, {250, 251, 252, 0}}},
        {"RGBA 16 bits", one_row(PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x0102, 0x0304, 0x0506, 0x0708}), {{1, 3, 5, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Image* image = load(written("sample.png", c.picture));
        ASSERT_NE(image, nullptr) << out_;
        ASSERT_EQ(image->width, static_cast<int>(c.expected.size()));
        for (int x = 0; x < image->width; ++x) EXPECT_EQ(rgba_at(*image, x, 0), c.expected[x]) << "pixel " << x;
    }
}

TEST_F(LoadImageTest, InterlacedFilesGiveTheSamePixelsAsProgressiveOnes) {
    const std::pair<int, int> formats[] = {
        {PNG_COLOR_TYPE_GRAY, 1},    {PNG_COLOR_TYPE_GRAY, 2},       {PNG_COLOR_TYPE_GRAY, 4},
        {PNG_COLOR_TYPE_GRAY, 8},    {PNG_COLOR_TYPE_GRAY, 16},      {PNG_COLOR_TYPE_PALETTE, 1},
        {PNG_COLOR_TYPE_PALETTE, 2}, {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8},
        {PNG_COLOR_TYPE_RGB, 8},     {PNG_COLOR_TYPE_RGB, 16},       {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB_ALPHA, 8}, {PNG_COLOR_TYPE_RGB_ALPHA, 16},
    };
    std::mt19937 random(7);
    for (const auto& [colour_type, bit_depth] : formats) {
        for (const auto& [width, height] : {std::pair{13, 9}, std::pair{2, 3}, std::pair{1, 1}}) {
            SCOPED_TRACE("colour type " + std::to_string(colour_type) + ", " + std::to_string(bit_depth) + " bits, " +
                         std::to_string(width) + "x" + std::to_string(height));
            PngPicture picture;
            picture.width = width;
            picture.height = height;
            picture.colour_type = colour_type;
            picture.bit_depth = bit_depth;
            const unsigned largest = (1u << bit_depth) - 1;
            for (int i = 0; i < width * height * channels_of(colour_type); ++i)
                picture.samples.push_back(random() & largest);
            if (colour_type == PNG_COLOR_TYPE_PALETTE) {
                for (unsigned entry = 0; entry <= largest; ++entry) {
                    picture.palette.push_back({static_cast<png_byte>(random()), static_cast<png_byte>(random()),
                                               static_cast<png_byte>(random())});
                    picture.palette_alpha.push_back(static_cast<png_byte>(random()));
                }
            }
            const Image* progressive = load(written("progressive.png", picture));
            picture.interlaced = true;
            const Image* interlaced = load(written("interlaced.png", picture));
            ASSERT_NE(progressive, nullptr) << out_;
            ASSERT_NE(interlaced, nullptr) << out_;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(rgba_at(*interlaced, x, y), rgba_at(*progressive, x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(LoadImageTest, MissingFileIsNullWithoutAMessage) {
    EXPECT_EQ(load(dir_.file("absent.png")), nullptr);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(err_, "");
}

// Damaged ancillary chunks: libpng's warnings about them reach the console,
// and the picture still loads.
TEST_F(LoadImageTest, WarningsArePrintedAndTheLoadGoesOn) {
    PngPicture picture = pattern_picture(4, 4);
    picture.comment = "made by a test";
    const std::string path = written("commented.png", picture);
    const Bytes good = read_bytes(path);
    const std::size_t text = chunk_data(good, "tEXt");
    const std::size_t after_header = chunk_data(good, "IHDR") + 13 + 4;
    ASSERT_NE(text, 0u);

    Bytes stale_text = good;
    stale_text[text] ^= 1;  // a chunk whose CRC no longer matches
    Bytes bad_intent = good;
    insert_chunk(bad_intent, after_header, "sRGB", {9});  // intents run 0 to 3
    Bytes zero_gamma = good;
    insert_chunk(zero_gamma, after_header, "gAMA", {0, 0, 0, 0});

    for (const auto& [name, file] : {std::pair{"text CRC", &stale_text}, std::pair{"sRGB intent", &bad_intent},
                                     std::pair{"zero gamma", &zero_gamma}}) {
        SCOPED_TRACE(name);
        write_bytes(path, *file);
        const Image* image = load(path);
        ASSERT_NE(image, nullptr) << out_;
        EXPECT_EQ(rgba_at(*image, 3, 3), pattern_colour(3, 3));
        const std::string out = without_addresses(out_);
        EXPECT_EQ(out.rfind("PNGERROR: ", 0), 0u) << out;
        const std::string end = "\nLoaded " + path + " (@)\n";
        ASSERT_GT(out.size(), end.size()) << out;
        EXPECT_EQ(out.substr(out.size() - end.size()), end);
        EXPECT_EQ(err_, "");
    }
}

TEST_F(LoadImageTest, DamagedFilesAreRefused) {
    PngPicture picture = pattern_picture(6, 5);
    picture.comment = "damaged by a test";
    const Bytes good = read_bytes(written("good.png", picture));
    const std::size_t header = chunk_data(good, "IHDR");
    const std::size_t text = chunk_data(good, "tEXt");
    const std::size_t pixels = chunk_data(good, "IDAT");
    ASSERT_NE(header, 0u);
    ASSERT_NE(text, 0u);
    ASSERT_NE(pixels, 0u);

    // Each damage flips bits of one byte; some then reseal the chunk's CRC so
    // that libpng meets the bad value itself.
    struct Damage {
        const char* name;
        std::size_t at;
        unsigned char flip;
        bool reseal;
    };
    const Damage damages[] = {
        {"signature", 1, 0x01, false},
        {"zero width", header + 3, 6, true},
        {"unknown colour type", header + 9, 0x07, true},  // RGB (2) becomes 5
        {"unknown compression method", header + 10, 0x01, true},
        {"header CRC", header + 13, 0xff, false},
        {"pixel data under a stale CRC", pixels + 2, 0xff, false},
        {"compression stream header", pixels, 0xff, true},
        {"text chunk claiming 2 GB", text - 8, 0x7b, false},
    };
    const std::string path = dir_.file("damaged.png");
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes file = good;
        file[damage.at] ^= damage.flip;
        if (damage.reseal) reseal_chunk(file, damage.at < text ? header : pixels);
        write_bytes(path, file);
        expect_refused(path);
    }
    write_bytes(path, Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '\n'});
    expect_refused(path);

    // Cut anywhere, progressive or interlaced.
    picture.interlaced = true;
    for (const Bytes& whole : {good, read_bytes(written("interlaced.png", picture))}) {
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE("cut to " + std::to_string(length) + " of " + std::to_string(whole.size()) + " bytes");
            write_bytes(path, Bytes(whole.begin(), whole.begin() + length));
            expect_refused(path);
        }
    }
}

}  // namespace
