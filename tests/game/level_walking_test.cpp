#include "game/animation.h"
#include "game/particles.h"
#include "level_scene.h"
#include "puzzle/rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using namespace floebound;

namespace {

// The level of the worked example: a penguin square at (1, 1), a cow at (3, 3),
// nothing else in column 1 but a skateboard square at row 5.
const std::vector<std::string> example_field = {
    "..x.....", ".D......", "........", "...C..B.", "........", ".S...F..", "......T.", "f.......",
};
const Square cow_square{3, 3};

// A walk from one square centre to the next takes at least this many updates
// (the last unit is snapped to).
const int square_walk_updates =
    static_cast<int>((cell_width - 1) / (Actor::walking_speed * slice_ms / 1000));
// Enough for a drop and the longest walk any test makes.
constexpr int update_limit = 6000;

struct Walk {
    Square to;
    std::vector<SoundId> sounds;  // of the update that started it
};

bool operator==(const Walk& a, const Walk& b) { return a.to == b.to && a.sounds == b.sounds; }

std::ostream& operator<<(std::ostream& out, const Walk& walk) {
    out << "to " << walk.to << " with";
    for (SoundId sound : walk.sounds) out << " sound " << static_cast<int>(sound);
    return out;
}

int resting_on(const Level& level, Square square) {
    int count = 0;
    for (const Actor& penguin : level.penguins)
        if (!penguin.is_active() && square_of(penguin) == square) ++count;
    return count;
}

class LevelWalking : public LevelScene {
protected:
    // The walks a lone penguin starts over the next updates, with the sounds
    // each start made; no update in between may make a sound.
    std::vector<Walk> follow(const Actor& penguin, std::size_t walks) {
        std::vector<Walk> seen;
        for (int n = 0; n < update_limit && seen.size() < walks; ++n) {
            const Square before = destination_of(penguin);
            const std::vector<SoundId> sounds = update();
            if (penguin.walking && !(destination_of(penguin) == before))
                seen.push_back({destination_of(penguin), sounds});
            else
                EXPECT_TRUE(sounds.empty()) << "update " << n;
        }
        return seen;
    }
};

}  // namespace

TEST_F(LevelWalking, PenguinLandsHeadingForRowZeroAndShuttlesUpAndDownItsColumn) {
    level->load_level(write_level("example.txt", level_text(example_field)).c_str());
    const Actor& penguin = drop_penguin("Gus", 1, 1);
    testing::internal::CaptureStdout();

    // A new penguin heads for row - 1; the edge turns it back with the tipped
    // sound, and so on for ever.
    std::vector<Walk> expected;
    int row = 1;
    int step = -1;
    const int there_and_back_twice = 2 * grid_side + 1;
    for (int n = 0; n < there_and_back_twice; ++n) {
        const bool turning = row + step < 0 || row + step > 7;
        if (turning) step = -step;
        row += step;
        expected.push_back({{1, row}, turning ? std::vector{SoundId::tipped} : std::vector<SoundId>{}});
    }
    EXPECT_EQ(follow(penguin, expected.size()), expected);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(LevelWalking, GoatSendsPenguinsOntoTheCowAndEightAtRestTipIt) {
    level->load_level(write_level("example.txt", level_text(example_field)).c_str());
    level->set_cell(1, 3, CellKind::goat_ccw);
    const Actor& first = drop_penguin("Gus", 1, 1);
    testing::internal::CaptureStdout();
    const std::vector<Walk> route = {
        {{1, 0}, {}},   {{1, 1}, {SoundId::tipped}}, {{1, 2}, {}},
        {{1, 3}, {}},   {{2, 3}, {SoundId::turn}},   {{3, 3}, {}},
    };
    EXPECT_EQ(follow(first, route.size() + 1), route);  // and no walk after
    EXPECT_EQ(resting_on(*level, cow_square), 1);

    // Seven at rest do nothing to the cow; the eighth tips it as it arrives.
    const Actor& cow = level->cows.front();
    for (int n = 2; n < cow_tip_count; ++n) drop_penguin("Penguin", 1, 1);
    int updates = 0;
    for (; updates < update_limit && resting_on(*level, cow_square) < cow_tip_count - 1; ++updates) update();
    for (int n = 0; n < square_walk_updates; ++n) update();
    EXPECT_EQ(resting_on(*level, cow_square), cow_tip_count - 1);
    EXPECT_FALSE(cow.dying);

    drop_penguin("Gus", 1, 1);
    for (updates = 0; updates < update_limit && !cow.dying; ++updates) {
        const int resting_before = resting_on(*level, cow_square);
        update();
        EXPECT_EQ(cow.dying, resting_on(*level, cow_square) == cow_tip_count) << "before " << resting_before;
    }
    ASSERT_TRUE(cow.dying);

    // The cow goes once its tipping has played, with the tipped sound.
    const AnimationRange tipping = animation_range(Animation::death_fallback);
    const int tipping_updates = (tipping.last_frame - tipping.first_frame + 1) * frame_length_ms(tipping) / slice_ms;
    std::vector<SoundId> sounds;
    for (updates = 0; updates < update_limit && !level->cows.empty(); ++updates) {
        EXPECT_EQ(level->cell_at(3, 3), CellKind::cow);
        sounds = update();
    }
    EXPECT_TRUE(level->cows.empty());
    EXPECT_GE(updates, tipping_updates);
    EXPECT_EQ(sounds, std::vector{SoundId::tipped});
    EXPECT_EQ(level->cell_at(3, 3), CellKind::empty);
    EXPECT_EQ(resting_on(*level, cow_square), cow_tip_count);

    // On the empty square the first of them walks on, the others wait.
    update();
    for (const Actor& penguin : level->penguins) EXPECT_EQ(penguin.walking, &penguin == &level->penguins.front());
    EXPECT_EQ(destination_of(level->penguins.front()), (Square{4, 3}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(LevelWalking, OfPenguinsSharingASquareOnlyTheFirstGoesOn) {
    level->load_level(write_level("open.txt", level_text(std::vector<std::string>(8, "........"))).c_str());
    const Actor& first = drop_penguin("Gus", 5, 5);
    const Actor& second = drop_penguin("Penguin", 5, 5);

    // The second fans out half a square toward its angle; the first stays put.
    update();
    const float angle = 0.75f * 2;
    EXPECT_NEAR(second.draw_offset[0], 0.02f * 32 * std::cos(angle), 1e-5);
    EXPECT_EQ(second.draw_offset[1], 0);
    EXPECT_NEAR(second.draw_offset[2], 0.02f * 32 * std::sin(angle), 1e-5);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(first.draw_offset[k], 0);

    // Both land together. Walking toward row - 1 the first counts on the new
    // square from its first step, so the second leaves on the next update.
    int updates = 0;
    while (updates++ < update_limit && first.position[1] != 0) update();
    EXPECT_TRUE(first.walking);
    EXPECT_FALSE(second.is_active());
    update();
    EXPECT_TRUE(second.walking);
    EXPECT_EQ(destination_of(second), (Square{5, 4}));

    // Walking toward column + 1 the first counts on the square it left until
    // it arrives; only then does the second go.
    level->load_level("data/open.txt");
    level->set_cell(2, 2, CellKind::goat_cw);
    const Actor& leader = drop_penguin("Gus", 2, 2);
    const Actor& follower = drop_penguin("Penguin", 2, 2);
    const Square shared{3, 2};
    for (updates = 0; updates < update_limit && !(square_of(follower) == shared && !follower.is_active()); ++updates)
        update();
    ASSERT_TRUE(leader.walking);
    ASSERT_EQ(destination_of(leader), (Square{4, 2}));
    int waited = 0;
    for (; waited < update_limit && !follower.walking; ++waited) {
        update();
        EXPECT_EQ(follower.walking, !(square_of(leader) == shared));
    }
    EXPECT_GE(waited, square_walk_updates);
    EXPECT_EQ(destination_of(follower), (Square{4, 2}));
}

TEST_F(LevelWalking, PenguinsThatCannotWalkSaySoOnEveryUpdate) {
    level->load_level(write_level("walls.txt", level_text({
                                                    ".x......",
                                                    "x......x",
                                                    "........",
                                                    "........",
                                                    "........",
                                                    "...B....",
                                                    "....x...",
                                                    "........",
                                                }))
                          .c_str());
    level->set_cell(3, 6, CellKind::goat_cw);
    // In a corner walled in by trees; beside the edge with a tree behind; on a
    // goat that turns it into a tree, with a bucket straight ahead.
    const Actor& stuck = drop_penguin("Stuck", 0, 0);
    drop_penguin("Turner", 7, 0);
    const Actor& confused = drop_penguin("Confused", 3, 6);

    const std::string stuck_line = "Actor Stuck: stuck.  Stopping\n";
    const std::string confused_lines = "Actor Confused: confused by goat CW\nActor Confused: Assertion failure!\n";
    testing::internal::CaptureStdout();
    int updates = 0;
    while (updates++ < update_limit && stuck.position[1] != 0) update();  // all land together
    update();
    update();
    // The turn starts a walk, said once; the others say theirs on every update.
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              stuck_line + "Actor Turner: stuck; turning a bit.  Now headed 6 (S)\n" + confused_lines +
                  stuck_line + confused_lines + stuck_line + confused_lines);
    EXPECT_FALSE(stuck.is_active());
    EXPECT_EQ(square_of(stuck), (Square{0, 0}));
    EXPECT_FALSE(confused.is_active());
    EXPECT_EQ(square_of(confused), (Square{3, 6}));
}

TEST_F(LevelWalking, FiresBurnForEver) {
    level->load_level(write_level("fire.txt", level_text({"........", "........", "....F..."})).c_str());
    ASSERT_EQ(level->fires.size(), 2u);
    const CellCentre centre = cell_centre(4, 2);
    // Past the emission of the first fire and the life of its last particle.
    const float longest_life = static_cast<float>(fire_params_1.lifetime) * (1 + fire_params_1.lifetime_spread);
    const int updates = static_cast<int>((static_cast<float>(fire_params_1.duration) + longest_life) / slice_ms) + 5;
    for (int n = 0; n < updates; ++n) update();
    EmitterParams* const params[2] = {&fire_params_1, &fire_params_2};
    for (int i = 0; i < 2; ++i) {
        const ParticleEmitter& fire = level->fires[static_cast<std::size_t>(i)];
        EXPECT_EQ(fire.params, params[i]);
        EXPECT_LT(fire.clock, params[i]->duration);
        EXPECT_GT(fire.count, 0);
        EXPECT_EQ(fire.origin[0], centre.x);
        EXPECT_EQ(fire.origin[2], centre.z);
    }
}
