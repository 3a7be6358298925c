// The models as written into the game folder, read with the tests' own MD2
// and PNG readers and judged the way the game will use them: file +X is the
// way a model faces, +Z is up, and the game stands it 24 units below its
// origin on a 64-unit square.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model_files.h"
#include "picture_files.h"

namespace {

using Point = std::array<float, 3>;
constexpr float kGround = -24.0f;
constexpr float kHalfSquare = 32.0f;

struct GameModel {
    const char* name;
    const char* model;
    const char* skin;
    int frames_needed;
    std::vector<int> frames_shown;  // the frames the game's animations reach
};

std::vector<int> frame_range(int first, int last) {
    std::vector<int> frames;
    for (int f = first; f <= last; ++f) frames.push_back(f);
    return frames;
}

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<GameModel>& game_models() {
    static const std::vector<GameModel> models = {
        {"penguin", "models/penguin/tris.md2", "models/penguin/penguin.png", 46,
         joined(frame_range(0, 39), frame_range(40, 45))},
        {"cow", "models/cow/tris.md2", "models/cow/cow.png", 184, joined(frame_range(0, 39), frame_range(178, 183))},
        {"shrub", "models/shrub/tris.md2", "models/shrub/s6.png", 1, frame_range(0, 39)},
        {"tuna", "models/tuna/tris.md2", "models/tuna/tuna.png", 1, {0}},
        {"bucket", "models/bucket/tris.md2", "models/bucket/bucket.png", 1, {0}},
        {"skateboard", "models/skateboard/board.md2", "models/skateboard/board.png", 1, {0}},
    };
    return models;
}

const Md2File& model(const std::string& name) {
    static std::map<std::string, Md2File> loaded;
    if (!loaded.count(name))
        for (const GameModel& m : game_models())
            if (name == m.name) loaded[name] = read_md2(m.model);
    return loaded.at(name);
}

const Picture& skin(const std::string& name) {
    static std::map<std::string, Picture> loaded;
    if (!loaded.count(name))
        for (const GameModel& m : game_models())
            if (name == m.name) loaded[name] = read_png(m.skin);
    return loaded.at(name);
}

const std::vector<Point>& frame(const std::string& name, int index) { return model(name).frames.at(index).vertices; }

float lowest(const std::vector<Point>& v, int axis) {
    return (*std::min_element(v.begin(), v.end(),
                              [axis](const Point& a, const Point& b) { return a[axis] < b[axis]; }))[axis];
}
float highest(const std::vector<Point>& v, int axis) {
    return (*std::max_element(v.begin(), v.end(),
                              [axis](const Point& a, const Point& b) { return a[axis] < b[axis]; }))[axis];
}
float extent(const std::vector<Point>& v, int axis) { return highest(v, axis) - lowest(v, axis); }

std::size_t index_of_extreme(const std::vector<Point>& v, int axis, bool largest) {
    const auto less = [axis](const Point& a, const Point& b) { return a[axis] < b[axis]; };
    const auto it = largest ? std::max_element(v.begin(), v.end(), less) : std::min_element(v.begin(), v.end(), less);
    return static_cast<std::size_t>(it - v.begin());
}

// The furthest any vertex moves between two frames.
float largest_move(const std::vector<Point>& a, const std::vector<Point>& b) {
    float move = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        move = std::max(move, std::hypot(a[i][0] - b[i][0], a[i][1] - b[i][1], a[i][2] - b[i][2]));
    return move;
}

// The skin colour a vertex wears: the texel of the first corner that uses it.
const std::uint8_t* colour_of_vertex(const std::string& name, std::size_t vertex) {
    const Md2File& file = model(name);
    const Picture& picture = skin(name);
    for (std::size_t t = 0; t < file.triangles.size(); ++t) {
        for (int c = 0; c < 3; ++c) {
            if (file.triangles[t][c] != vertex) continue;
            const auto texel = file.texel(t, c);
            return picture.at(std::clamp<int>(texel[0], 0, picture.width - 1),
                              std::clamp<int>(texel[1], 0, picture.height - 1));
        }
    }
    ADD_FAILURE() << name << ": vertex " << vertex << " is in no triangle";
    return picture.at(0, 0);
}

bool is_orange(const std::uint8_t* c) { return c[0] > 200 && c[1] > 80 && c[1] < 200 && c[2] < 100; }
bool is_pink(const std::uint8_t* c) {
    return c[0] > 190 && c[1] > 110 && c[1] < 210 && c[2] > 110 && c[2] < 210 && c[0] > c[1] + 30;
}
bool is_dark(const std::uint8_t* c) { return c[0] < 90 && c[1] < 90 && c[2] < 110; }
bool is_light(const std::uint8_t* c) { return c[0] > 190 && c[1] > 190 && c[2] > 190; }

// Positive when the triangles run counter-clockwise seen from outside.
float signed_volume(const Md2File& file, int index) {
    const auto& v = file.frames.at(index).vertices;
    double volume = 0;
    for (const auto& t : file.triangles) {
        const Point &a = v[t[0]], &b = v[t[1]], &c = v[t[2]];
        volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                   a[2] * (b[0] * c[1] - b[1] * c[0])) /
                  6.0;
    }
    return static_cast<float>(volume);
}

// Loops close: the step from the last frame back to the first is no bigger
// than the steps inside the loop (quantisation adds a little either way).
void expect_smooth_loop(const std::string& name, int first, int last) {
    float largest_step = 0;
    for (int f = first; f < last; ++f)
        largest_step = std::max(largest_step, largest_move(frame(name, f), frame(name, f + 1)));
    EXPECT_GT(largest_step, 0.1f) << name << " " << first << ".." << last << " does not move";
    EXPECT_LE(largest_move(frame(name, last), frame(name, first)), 1.5f * largest_step + 0.2f)
        << name << " jumps from frame " << last << " back to " << first;
}

}  // namespace

TEST(GeneratedModels, FitTheGamesLimitsAndWearOpaqueSkinsOfTheHeadersSize) {
    for (const GameModel& m : game_models()) {
        SCOPED_TRACE(m.name);
        const Md2File& file = model(m.name);
        EXPECT_EQ(std::string(file.header.ident, 4), "IDP2");
        EXPECT_EQ(file.header.version, 8);
        EXPECT_GE(file.header.frame_count, m.frames_needed);
        EXPECT_GT(file.header.triangle_count, 0);
        EXPECT_LE(file.header.triangle_count, 4096);
        EXPECT_LE(file.header.vertex_count, 2048);
        EXPECT_LE(file.header.texcoord_count, 2048);
        EXPECT_LE(file.header.frame_count, 512);

        const Picture& picture = skin(m.name);
        ASSERT_EQ(picture.colour_type, 6) << "8-bit RGBA";
        EXPECT_EQ(picture.width, file.header.skin_width);
        EXPECT_EQ(picture.height, file.header.skin_height);
        EXPECT_EQ(picture.width & (picture.width - 1), 0) << "power of two";
        EXPECT_EQ(picture.height & (picture.height - 1), 0) << "power of two";

        // The game blends with the skin's alpha, so whatever a triangle shows is opaque.
        int see_through = 0;
        for (std::size_t t = 0; t < file.triangles.size(); ++t) {
            float s = 0, u = 0;
            for (int c = 0; c < 3; ++c) {
                const auto texel = file.texel(t, c);
                EXPECT_TRUE(texel[0] >= 0 && texel[0] <= picture.width && texel[1] >= 0 && texel[1] <= picture.height);
                s += texel[0] / 3.0f;
                u += texel[1] / 3.0f;
            }
            see_through += picture.at(std::min(static_cast<int>(s), picture.width - 1),
                                      std::min(static_cast<int>(u), picture.height - 1))[3] < 255;
        }
        EXPECT_EQ(see_through, 0);
    }
}

TEST(GeneratedModels, StandOnTheGroundWithinTheirSquareInEveryFrameShown) {
    for (const GameModel& m : game_models()) {
        for (int f : m.frames_shown) {
            SCOPED_TRACE(std::string(m.name) + " frame " + std::to_string(f));
            const auto& v = frame(m.name, f);
            // Feet touch the ground: a walking foot may lift, but something always stands on it.
            EXPECT_NEAR(lowest(v, 2), kGround, f == 0 ? 0.3f : 0.6f);
            EXPECT_GE(lowest(v, 0), -kHalfSquare);
            EXPECT_LE(highest(v, 0), kHalfSquare);
            EXPECT_GE(lowest(v, 1), -kHalfSquare);
            EXPECT_LE(highest(v, 1), kHalfSquare);
        }
    }
}

TEST(GeneratedModels, TrianglesRunClockwiseFromOutsideAsTheGameCullsThem) {
    for (const GameModel& m : game_models()) {
        const Md2File& file = model(m.name);
        const auto& v = frame(m.name, 0);
        const float box = extent(v, 0) * extent(v, 1) * extent(v, 2);
        EXPECT_LT(signed_volume(file, 0), -0.05f * box) << m.name;
    }
}

TEST(GeneratedModels, PenguinFacesForwardWithOrangeBeakWhiteFrontBlackBack) {
    const auto& v = frame("penguin", 0);
    const float height = extent(v, 2);
    EXPECT_GE(height, 30.0f);
    EXPECT_LE(height, 36.0f);

    EXPECT_TRUE(is_orange(colour_of_vertex("penguin", index_of_extreme(v, 0, true)))) << "the beak leads";
    EXPECT_TRUE(is_dark(colour_of_vertex("penguin", index_of_extreme(v, 0, false)))) << "black back";
    EXPECT_TRUE(is_dark(colour_of_vertex("penguin", index_of_extreme(v, 2, true)))) << "black head";

    // Across the belly, the frontmost vertex is white.
    std::size_t belly = 0;
    float front = -1e9f;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i][2] > -16 && v[i][2] < -8 && std::fabs(v[i][1]) < 3 && v[i][0] > front) front = v[belly = i][0];
    EXPECT_TRUE(is_light(colour_of_vertex("penguin", belly)));
}

TEST(GeneratedModels, PenguinIdlesGentlyAndWaddlesInLoops) {
    expect_smooth_loop("penguin", 0, 39);
    expect_smooth_loop("penguin", 40, 45);
    for (int f = 1; f < 40; ++f)
        EXPECT_LT(largest_move(frame("penguin", 0), frame("penguin", f)), 6.0f) << "frame " << f;

    // Waddling rocks the head from one side to the other.
    float leftmost = 1e9f, rightmost = -1e9f;
    for (int f = 40; f <= 45; ++f) {
        const auto& v = frame("penguin", f);
        float sum = 0;
        int count = 0;
        for (const Point& p : v)
            if (p[2] > 0) sum += p[1], ++count;
        ASSERT_GT(count, 0);
        leftmost = std::min(leftmost, sum / count);
        rightmost = std::max(rightmost, sum / count);
    }
    EXPECT_LT(leftmost, -1.5f);
    EXPECT_GT(rightmost, 1.5f);
}

TEST(GeneratedModels, CowFacesForwardWithHerHeadUnderThePlume) {
    const auto& v = frame("cow", 0);
    EXPECT_GE(extent(v, 0), 40.0f);
    EXPECT_LE(extent(v, 0), 50.0f);
    EXPECT_TRUE(is_pink(colour_of_vertex("cow", index_of_extreme(v, 0, true)))) << "the muzzle leads";
    // Her highest point (horns, ears) is at the front, and the game's plume
    // rises from (18, 0, 22): just above her head, not inside it.
    const Point top = v[index_of_extreme(v, 2, true)];
    EXPECT_GT(top[0], 8.0f);
    EXPECT_GT(top[2], 12.0f);
    EXPECT_LT(top[2], 22.0f);
    expect_smooth_loop("cow", 0, 39);
}

TEST(GeneratedModels, CowTipsOverWithHerHoovesEndingInTheAir) {
    const auto& standing = frame("cow", 0);
    const auto& fallen = frame("cow", 183);
    std::vector<std::size_t> hooves;
    bool front = false, back = false, left = false, right = false;
    for (std::size_t i = 0; i < standing.size(); ++i) {
        if (standing[i][2] > kGround + 1) continue;
        hooves.push_back(i);
        front |= standing[i][0] > 0;
        back |= standing[i][0] < 0;
        left |= standing[i][1] > 0;
        right |= standing[i][1] < 0;
    }
    ASSERT_GE(hooves.size(), 4u);
    EXPECT_TRUE(front && back && left && right) << "four legs stand on the ground";

    float mean_all = 0, mean_hooves = 0;
    for (const Point& p : fallen) mean_all += p[2] / fallen.size();
    for (std::size_t i : hooves) mean_hooves += fallen[i][2] / hooves.size();
    EXPECT_GT(mean_hooves, mean_all + 5) << "legs up";
    EXPECT_LT(extent(fallen, 2), 0.85f * extent(standing, 2)) << "lying down";
    // The fall starts from the standing pose.
    EXPECT_LT(largest_move(standing, frame("cow", 178)), largest_move(standing, fallen) / 3);
}

TEST(GeneratedModels, TreeAndBoardHaveTheirShapes) {
    EXPECT_NEAR(extent(frame("shrub", 0), 2), 50.0f, 5.0f);
    const auto& board = frame("skateboard", 0);
    EXPECT_NEAR(extent(board, 0), 40.0f, 4.0f);
    EXPECT_LT(extent(board, 1), extent(board, 0) / 2);
    EXPECT_LT(extent(board, 2), 12.0f) << "a board lies flat";
}

TEST(GeneratedModels, TreeSkinReadsAsARoundLeafyPatchOnTheGround) {
    // The game also draws this picture flat under tree and fire squares.
    const Picture& picture = skin("shrub");
    const std::uint8_t* centre = picture.at(picture.width / 2, picture.height / 2);
    EXPECT_EQ(centre[3], 255);
    EXPECT_GT(centre[1], centre[0] + 15) << "green";
    EXPECT_GT(centre[1], centre[2] + 15) << "green";
    for (int corner = 0; corner < 4; ++corner)
        EXPECT_EQ(picture.at(corner % 2 ? picture.width - 1 : 0, corner / 2 ? picture.height - 1 : 0)[3], 0)
            << "corner " << corner;
}
