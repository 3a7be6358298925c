#include "md2_fixture.h"
#include "media/image.h"
#include "media/texture.h"
#include "meshes/md2.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace floebound;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Box = std::array<float, 6>;

std::string console_of(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

Bytes first_bytes(const Bytes& bytes, std::size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

struct Point {
    float x, y, z;
};

// Where the game must draw a file vertex: the file's point (X, Y, Z), Z up,
// becomes (-Y, Z, -X).
Point game_point(const Md2FixtureFrame& frame, int vertex) {
    float file[3];
    for (int k = 0; k < 3; ++k)
        file[k] = static_cast<float>(frame.vertices[vertex][k]) * frame.scale[k] + frame.translate[k];
    return {-file[1], file[2], -file[0]};
}

void expect_at(const Md2CornerVertex& corner, Point p, const std::string& where) {
    EXPECT_FLOAT_EQ(corner.x, p.x) << where;
    EXPECT_FLOAT_EQ(corner.y, p.y) << where;
    EXPECT_FLOAT_EQ(corner.z, p.z) << where;
}

// Bytes loading holds while it parses, and bytes a loaded model keeps.
int file_block_bytes(const Md2Fixture& m) {
    const auto vertices = static_cast<int>(m.frames.empty() ? 0 : m.frames[0].vertices.size());
    return 64 * m.skin_count + 4 * static_cast<int>(m.texcoords.size()) +
           12 * static_cast<int>(m.triangles.size()) + static_cast<int>(m.frames.size()) * (40 + 4 * vertices) +
           4 * m.gl_command_count;
}

int kept_bytes(const Md2Fixture& m) {
    const auto frames = static_cast<int>(m.frames.size());
    const auto corners = 3 * static_cast<int>(m.triangles.size());
    return static_cast<int>(sizeof(Md2Model)) + frames * static_cast<int>(sizeof(Md2Frame)) +
           frames * corners * 3 * 2 + corners * 2 * 2;
}

// The three lines loading m prints when `held` bytes were held before it.
std::string load_lines(int held, const Md2Fixture& m) {
    const int kept = held + kept_bytes(m);
    return "PARSEmd2alloc=" + std::to_string(held + file_block_bytes(m)) + "\nALLOCmd2alloc=" +
           std::to_string(kept + file_block_bytes(m)) + "\nCLEANUPmd2alloc=" + std::to_string(kept) + "\n";
}

// Two frames of a quad whose triangles name vertices and texture coordinates
// out of order, with scales and translations that differ per frame and axis.
Md2Fixture two_frame_quad() {
    Md2Fixture m;
    m.skin_width = 128;
    m.skin_height = 32;
    m.texcoords = {{{0, 0}}, {{-64, 16}}, {{128, 32}}, {{32, 8}}, {{96, 24}}};
    m.triangles = {{{2, 0, 3, 4, 1, 0}}, {{1, 3, 0, 3, 2, 4}}};
    Md2FixtureFrame first;
    first.scale[0] = 0.5f;
    first.scale[1] = 2;
    first.scale[2] = 0.25f;
    first.translate[0] = -300;
    first.translate[1] = -600;
    first.translate[2] = -300;
    first.vertices = {{{10, 20, 255}}, {{0, 0, 0}}, {{200, 7, 90}}, {{33, 144, 1}}};
    Md2FixtureFrame second = first;
    second.scale[1] = 1.5f;
    second.translate[2] = -280;
    second.vertices = {{{30, 40, 5}}, {{255, 255, 255}}, {{1, 2, 3}}, {{128, 64, 32}}};
    m.frames = {first, second};
    return m;
}

class Md2Test : public testing::Test {
protected:
    Md2Test() {
        std::string name = (std::filesystem::temp_directory_path() / "md2_test_XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("no temporary folder");
        dir_ = name;
    }
    ~Md2Test() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::unique_ptr<Md2Model> load(const Bytes& bytes, std::string& console, const std::string& name = "model.md2") {
        write_bytes(path(name), bytes);
        std::unique_ptr<Md2Model> model;
        console = console_of([&] { model = load_md2(path(name).c_str()); });
        return model;
    }

    std::unique_ptr<Md2Model> load(const Md2Fixture& fixture) {
        std::string console;
        std::unique_ptr<Md2Model> model = load(fixture.bytes(), console);
        EXPECT_TRUE(model) << console;
        return model;
    }

    static void release(std::unique_ptr<Md2Model>& model) {
        console_of([&] { free_md2(std::move(model)); });
    }

    static std::vector<Md2CornerVertex> build(const Md2Model& model, int frame, int next, float f, Box& box,
                                              std::string* console = nullptr) {
        std::vector<Md2CornerVertex> out(static_cast<std::size_t>(model.triangle_count) * 3);
        const std::string printed =
            console_of([&] { md2_build_vertices(&model, frame, next, f, out.data(), box.data()); });
        if (console) *console = printed;
        return out;
    }

    // A damaged file is refused with one line naming it, holding nothing.
    void expect_refused(const Bytes& bytes, const std::string& what) {
        const int before = md2_alloc_bytes;
        std::string console;
        std::unique_ptr<Md2Model> model = load(bytes, console);
        EXPECT_EQ(model, nullptr) << what;
        release(model);
        const std::string prefix = "Couldn't load " + path("model.md2") + ": ";
        EXPECT_EQ(console.rfind(prefix, 0), 0u) << what << ": " << console;
        EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1) << what << ": " << console;
        EXPECT_TRUE(!console.empty() && console.back() == '\n') << what;
        EXPECT_EQ(md2_alloc_bytes, before) << what;
    }

    std::filesystem::path dir_;
};

TEST_F(Md2Test, FileAxesBecomeGameAxes) {
    Md2Fixture m;
    m.texcoords = {{{0, 0}}};
    m.triangles = {{{0, 1, 0, 0, 0, 0}}};
    m.frames.resize(1);
    m.frames[0].vertices = {{{10, 20, 255}}, {{3, 2, 1}}};
    std::unique_ptr<Md2Model> model = load(m);
    ASSERT_TRUE(model);
    Box box;
    const auto out = build(*model, 0, 0, 0, box);
    EXPECT_FLOAT_EQ(out[0].x, -20);
    EXPECT_FLOAT_EQ(out[0].y, 255);
    EXPECT_FLOAT_EQ(out[0].z, -10);
    expect_at(out[1], game_point(m.frames[0], 1), "second corner");
    release(model);
}

TEST_F(Md2Test, BlendsEachCornerBetweenTwoFrames) {
    const Md2Fixture m = two_frame_quad();
    std::unique_ptr<Md2Model> model = load(m);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->frame_count, 2);
    EXPECT_EQ(model->triangle_count, 2);
    EXPECT_EQ(model->skin, nullptr);
    for (int frame = 0; frame < 2; ++frame) {
        Box box;
        const auto out = build(*model, frame, frame, 0, box);
        for (int c = 0; c < 6; ++c)
            expect_at(out[c], game_point(m.frames[frame], m.triangles[c / 3][c % 3]),
                      "frame " + std::to_string(frame) + " corner " + std::to_string(c));
    }
    for (float f : {0.0f, 0.5f, 1.0f}) {
        Box box;
        const auto out = build(*model, 0, 1, f, box);
        for (int c = 0; c < 6; ++c) {
            const Point a = game_point(m.frames[0], m.triangles[c / 3][c % 3]);
            const Point b = game_point(m.frames[1], m.triangles[c / 3][c % 3]);
            const Point blend = {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f};
            expect_at(out[c], blend, "f " + std::to_string(f) + " corner " + std::to_string(c));
        }
    }
    release(model);
}

TEST_F(Md2Test, TextureCoordinatesFollowTheirOwnIndicesOverTheSkinSize) {
    const Md2Fixture m = two_frame_quad();
    std::unique_ptr<Md2Model> model = load(m);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->skin_width, m.skin_width);
    EXPECT_EQ(model->skin_height, m.skin_height);
    Box box;
    const auto out = build(*model, 0, 1, 0.5f, box);
    for (int c = 0; c < 6; ++c) {
        const auto& texel = m.texcoords[m.triangles[c / 3][3 + c % 3]];
        EXPECT_FLOAT_EQ(out[c].s, texel[0] / static_cast<float>(m.skin_width)) << "corner " << c;
        EXPECT_FLOAT_EQ(out[c].t, texel[1] / static_cast<float>(m.skin_height)) << "corner " << c;
    }
    release(model);
}

// The quad lies at positive x and z and negative y throughout, so a box grown
// from zeros instead of from the first corner shows.
TEST_F(Md2Test, BoundingBoxHoldsExactlyTheBlendedCorners) {
    std::unique_ptr<Md2Model> model = load(two_frame_quad());
    ASSERT_TRUE(model);
    Box box;
    const auto out = build(*model, 1, 0, 0.25f, box);
    Box expected = {out[0].x, out[0].y, out[0].z, out[0].x, out[0].y, out[0].z};
    for (const Md2CornerVertex& corner : out) {
        const float p[3] = {corner.x, corner.y, corner.z};
        for (int k = 0; k < 3; ++k) {
            expected[k] = std::min(expected[k], p[k]);
            expected[k + 3] = std::max(expected[k + 3], p[k]);
        }
    }
    EXPECT_GT(expected[0], 0);
    EXPECT_LT(expected[4], 0);
    EXPECT_GT(expected[2], 0);
    EXPECT_EQ(box, expected);
    release(model);
}

TEST_F(Md2Test, ZeroTrianglesLeaveTheOutputAloneAndTheBoxZero) {
    Md2Fixture m = square_md2_fixture(1);
    m.triangles.clear();
    std::unique_ptr<Md2Model> model = load(m);
    ASSERT_TRUE(model);
    const Md2CornerVertex before[2] = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
    Md2CornerVertex out[2] = {before[0], before[1]};
    Box box = {9, 9, 9, 9, 9, 9};
    const std::string console = console_of([&] { md2_build_vertices(model.get(), 0, 0, 0.5f, out, box.data()); });
    EXPECT_EQ(console, "");
    EXPECT_EQ(box, Box{});
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(out[i].s, before[i].s);
        EXPECT_EQ(out[i].t, before[i].t);
        expect_at(out[i], {before[i].x, before[i].y, before[i].z}, "corner " + std::to_string(i));
    }
    release(model);
}

// The blend folds scale, translation and weight together: for every pair of
// frames of the game's own models it must still give each corner and the box
// as the plain formula does (stored corner times scale plus translate, blended,
// axes swapped and negated), within 1e-4.
TEST_F(Md2Test, GeneratedModelsBlendAsThePlainFormulaInEveryFramePair) {
    for (const char* name : {"penguin", "cow"}) {
        const std::string path = std::string(FLOEBOUND_GAME_DIR) + "/models/" + name + "/tris.md2";
        std::unique_ptr<Md2Model> model;
        console_of([&] { model = load_md2(path.c_str()); });
        ASSERT_TRUE(model) << path;
        const int corners = model->triangle_count * 3;
        std::vector<Md2CornerVertex> out(static_cast<std::size_t>(corners));
        Box box{};
        const float f = 0.37f;
        int worst_frame = -1;
        float worst = 0;
        for (int frame = 0; frame < model->frame_count; ++frame)
            for (int next = 0; next < model->frame_count; ++next) {
                md2_build_vertices(model.get(), frame, next, f, out.data(), box.data());
                const Md2Frame& a = model->frames[frame];
                const Md2Frame& b = model->frames[next];
                Box expected_box{};
                for (int c = 0; c < corners; ++c) {
                    float p[3];
                    for (int k = 0; k < 3; ++k)
                        p[k] = (a.corners[c][k] * a.scale[k] + a.translate[k]) * (1 - f) +
                               (b.corners[c][k] * b.scale[k] + b.translate[k]) * f;
                    const float expected[3] = {-p[2], -p[1], -p[0]};
                    const float got[3] = {out[c].x, out[c].y, out[c].z};
                    for (int k = 0; k < 3; ++k) {
                        worst = std::max(worst, std::abs(got[k] - expected[k]));
                        expected_box[k] = c == 0 ? expected[k] : std::min(expected_box[k], expected[k]);
                        expected_box[k + 3] = c == 0 ? expected[k] : std::max(expected_box[k + 3], expected[k]);
                    }
                }
                for (int k = 0; k < 6; ++k) worst = std::max(worst, std::abs(box[k] - expected_box[k]));
                if (worst > 1e-4f && worst_frame < 0) worst_frame = frame;
            }
        EXPECT_LE(worst, 1e-4f) << name << ", first off in frame " << worst_frame;
        release(model);
    }
}

TEST_F(Md2Test, FramesOutOfRangeAreReportedAndReplacedByTheFirst) {
    const Md2Fixture m = square_md2_fixture(3);
    std::unique_ptr<Md2Model> model = load(m);
    ASSERT_TRUE(model);
    struct Case {
        int frame, next;
        float f;
        std::string console;
        int shown;  // the frame whose pose comes out
    };
    const Case cases[] = {
        {-1, 2, 0, "frame (-1) out of bounds.\n", 0},
        {1, 3, 1, "nextFrame (3) out of bounds.\n", 0},
        {3, -7, 0.5f, "frame (3) out of bounds.\nnextFrame (-7) out of bounds.\n", 0},
        {2, 0, 0, "", 2},
    };
    for (const Case& c : cases) {
        Box box;
        std::string console;
        const auto out = build(*model, c.frame, c.next, c.f, box, &console);
        EXPECT_EQ(console, c.console);
        for (int corner = 0; corner < 6; ++corner)
            expect_at(out[corner], game_point(m.frames[c.shown], m.triangles[corner / 3][corner % 3]), c.console);
    }
    release(model);
}

TEST_F(Md2Test, EveryStagePrintsTheBytesHeld) {
    const Md2Fixture first = square_md2_fixture(3);
    const Md2Fixture second = two_frame_quad();
    const int before = md2_alloc_bytes;
    std::string console;
    std::unique_ptr<Md2Model> a = load(first.bytes(), console, "first.md2");
    ASSERT_TRUE(a);
    EXPECT_EQ(console, load_lines(before, first));
    std::unique_ptr<Md2Model> b = load(second.bytes(), console, "second.md2");
    ASSERT_TRUE(b);
    // The second model's counts include the blocks the first one keeps.
    EXPECT_EQ(console, load_lines(before + kept_bytes(first), second));

    // A model owns an attached skin; the sanitizer build reports it if it stays.
    b->skin = make_blank_image(4, 4);
    ASSERT_TRUE(b->skin);
    EXPECT_EQ(console_of([&] { free_md2(std::move(a)); }),
              "FREEmd2alloc=" + std::to_string(before + kept_bytes(second)) + "\n");
    EXPECT_EQ(console_of([&] { free_md2(std::move(b)); }), "FREEmd2alloc=" + std::to_string(before) + "\n");
    EXPECT_EQ(console_of([] { free_md2(nullptr); }), "");
}

TEST_F(Md2Test, MissingFileIsNullWithoutAWord) {
    const int before = md2_alloc_bytes;
    std::unique_ptr<Md2Model> model;
    EXPECT_EQ(console_of([&] { model = load_md2(path("absent.md2").c_str()); }), "");
    EXPECT_EQ(model, nullptr);
    EXPECT_EQ(md2_alloc_bytes, before);
}

TEST_F(Md2Test, ImplausibleHeadersAreRefused) {
    const Md2Fixture fixture = square_md2_fixture(2);
    const Bytes good = fixture.bytes();
    const auto size = static_cast<std::int32_t>(good.size());
    const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    // Offsets that put a block's last byte one past the end of the file.
    const auto one_too_far = [&](std::size_t block) { return size - static_cast<std::int32_t>(block) + 1; };
    const std::size_t frame_bytes = 40 + 4 * fixture.frames[0].vertices.size();
    const std::pair<Md2HeaderField, std::int32_t> damage[] = {
        {md2_ident, 'I' | 'D' << 8 | 'P' << 16 | '3' << 24}, {md2_version, 7}, {md2_skin_width, 0},
        {md2_skin_height, 0}, {md2_skin_width, -64}, {md2_num_skins, -1}, {md2_num_vertices, -1},
        {md2_num_texcoords, -1}, {md2_num_triangles, -1}, {md2_num_gl_commands, -1}, {md2_num_frames, -1},
        {md2_num_frames, 0}, {md2_num_skins, 33}, {md2_num_vertices, 2049}, {md2_num_texcoords, 2049},
        {md2_num_triangles, 4097}, {md2_num_frames, 513}, {md2_num_gl_commands, huge},
        {md2_num_gl_commands, 0x40000001},  // four times this wraps to 4 in 32 bits
        {md2_offset_skins, one_too_far(64)}, {md2_offset_texcoords, one_too_far(4 * fixture.texcoords.size())},
        {md2_offset_triangles, one_too_far(12 * fixture.triangles.size())}, {md2_offset_triangles, -12},
        {md2_offset_frames, one_too_far(fixture.frames.size() * frame_bytes)}, {md2_offset_frames, huge},
        {md2_offset_gl_commands, one_too_far(4 * static_cast<std::size_t>(fixture.gl_command_count))},
        {md2_offset_gl_commands, huge - 3},
    };
    for (const auto& [field, value] : damage) {
        Bytes bytes = good;
        poke_int32(bytes, field, value);
        expect_refused(bytes, "field at " + std::to_string(field) + " = " + std::to_string(value));
    }
    // The same counts, with the blocks really there, do load.
    std::string console;
    std::unique_ptr<Md2Model> model = load(good, console);
    EXPECT_TRUE(model) << console;
    release(model);
}

TEST_F(Md2Test, TrianglesNamingMissingEntriesAreRefused) {
    const Md2Fixture good = square_md2_fixture(2);
    for (int slot = 0; slot < 6; ++slot) {
        const std::size_t table_size = slot < 3 ? good.frames[0].vertices.size() : good.texcoords.size();
        for (std::size_t index : {table_size, std::size_t{0xffff}}) {
            Md2Fixture m = good;
            m.triangles[1][slot] = static_cast<std::uint16_t>(index);
            expect_refused(m.bytes(), "slot " + std::to_string(slot) + " = " + std::to_string(index));
        }
    }
}

// Every block of these files is needed, so any shorter file is damaged.
TEST_F(Md2Test, TruncatedFilesAreRefused) {
    const Bytes small = square_md2_fixture(1).bytes();
    for (std::size_t length = 0; length < small.size(); ++length)
        expect_refused(first_bytes(small, length), "length " + std::to_string(length));

    Md2Fixture m = two_frame_quad();
    m.skin_count = 2;
    const Bytes big = m.bytes();
    std::vector<std::size_t> boundaries = {68, 68 + 64, 68 + 2 * 64};
    boundaries.push_back(boundaries.back() + 4 * m.texcoords.size());
    boundaries.push_back(boundaries.back() + 12 * m.triangles.size());
    for (const Md2FixtureFrame& frame : m.frames) {
        boundaries.push_back(boundaries.back() + 40);
        boundaries.push_back(boundaries.back() + 4 * frame.vertices.size());
    }
    boundaries.push_back(boundaries.back() + 4);
    ASSERT_EQ(boundaries.back() + 4, big.size());
    for (std::size_t length : boundaries)
        for (std::size_t cut : {length - 1, length})
            expect_refused(first_bytes(big, cut), "length " + std::to_string(cut));
}

}  // namespace
