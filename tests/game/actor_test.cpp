#include "game/actor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace floebound;

namespace {

constexpr double pi = 3.14159265358979323846;

// The centre of a field square, as the field's geometry places it.
float centre_of(int cell) { return static_cast<float>(cell * 64 - 224); }

std::pair<int, int> cell_at(float x, float z) {
    Actor actor;
    actor.set_position(x, 0, z);
    std::pair<int, int> cell;
    actor.cell_of(cell.first, cell.second);
    return cell;
}

TEST(AnimationTable, RangesTileTheFramesOfAFullCharacterModel) {
    EXPECT_EQ(animation_table[0].first_frame, 0);
    EXPECT_EQ(animation_table[animation_count - 1].last_frame, 198);
    for (int i = 1; i < animation_count; ++i) {
        EXPECT_EQ(animation_table[i].first_frame, animation_table[i - 1].last_frame + 1) << animation_names[i];
    }
    EXPECT_STREQ(animation_names[static_cast<int>(Animation::run)], "run");
    EXPECT_STREQ(animation_names[static_cast<int>(Animation::death_fallback)], "death_fallback");
    EXPECT_STREQ(animation_names[static_cast<int>(Animation::boom)], "boom");
}

TEST(Actor, NewActorStandsStillFacingMinusZ) {
    Actor actor;
    EXPECT_EQ(actor.facing_direction(), 4);
    EXPECT_FALSE(actor.is_active());
    EXPECT_FALSE(actor.death_finished());
    EXPECT_EQ(actor.previous_frame, 0);
    EXPECT_EQ(actor.frame, 0);
    EXPECT_EQ(blend_factor(animation_range(actor.animation), actor.animation_time), 0);
    for (int key : {9, 13, 27, 32, 273, 276, 293, int{'w'}}) {
        EXPECT_FALSE(actor.handle_key(key, false)) << key;
        EXPECT_FALSE(actor.handle_key(key, true)) << key;
    }
}

TEST(Actor, FallShrinksTheHeightByTwoPercentPerUpdate) {
    Actor actor;
    actor.set_position(centre_of(2), 2000, centre_of(6));
    EXPECT_TRUE(actor.is_active());
    // The first update at which 2000 * 0.98^n falls below 1 lands it, however
    // long the slices.
    const int landing = static_cast<int>(std::ceil(std::log(2000.0) / -std::log(0.98)));
    for (int n = 1; n < landing; ++n) {
        actor.update(n % 18 + 1);
        ASSERT_TRUE(actor.is_active()) << "update " << n;
    }
    actor.update(10);
    EXPECT_EQ(actor.position[1], 0);
    EXPECT_FALSE(actor.is_active());
    EXPECT_EQ(actor.position[0], centre_of(2));
    EXPECT_EQ(actor.position[2], centre_of(6));
}

TEST(Actor, WalksOneSquareAtFiftyUnitsPerSecondAndSnapsOnArrival) {
    Actor actor;
    actor.set_position(-96, 0, 96);
    actor.walk_to_cell(3, 5);
    EXPECT_EQ(actor.target[0], -32);
    EXPECT_EQ(actor.target[2], 96);
    EXPECT_EQ(actor.velocity[0], 50);
    EXPECT_EQ(actor.velocity[1], 0);

    // 10 ms cover half a unit; the update that leaves less than 1 of the 64
    // units stops the walk, about 1.28 s after it began.
    const int arrival = static_cast<int>(std::floor((64 - 1) / 0.5)) + 1;
    float previous_heading = actor.heading;
    for (int n = 1; n < arrival; ++n) {
        actor.update(10);
        ASSERT_TRUE(actor.is_active()) << "update " << n;
        ASSERT_EQ(actor.animation, Animation::run);
        // The heading eases toward the direction of travel without reaching it.
        ASSERT_LT(actor.heading, previous_heading);
        ASSERT_GT(actor.heading, actor.target_heading);
        previous_heading = actor.heading;
    }
    actor.update(10);
    EXPECT_NEAR(arrival * 10, 1280, 10);
    EXPECT_FALSE(actor.is_active());
    EXPECT_EQ(actor.position[0], -32);
    EXPECT_EQ(actor.position[2], 96);
    EXPECT_EQ(actor.velocity[0], 0);
    EXPECT_EQ(actor.facing_direction(), 2);
    EXPECT_EQ(actor.animation, Animation::run);  // stands from the next update
    actor.update(10);
    EXPECT_EQ(actor.animation, Animation::stand);
    EXPECT_EQ(actor.frame, 0);
}

TEST(Actor, MoveWithinOneUnitArrivesAtOnce) {
    Actor actor;
    actor.set_position(10, 0, 10);
    actor.move_to(10.5f, 0.5f, 10.5f);  // 0.75 squared
    EXPECT_FALSE(actor.walking);
    EXPECT_EQ(actor.position[1], 0.5f);
    EXPECT_EQ(actor.position[2], 10.5f);

    // Height counts toward the distance, not toward the speed.
    actor.move_to(11.1f, 1.4f, 10.5f);  // 1.17 squared
    EXPECT_TRUE(actor.walking);
    EXPECT_FLOAT_EQ(actor.velocity[0], 50);

    // Straight above its point, it waits for the fall to bring it down.
    actor.set_position(0, 300, 0);
    actor.move_to(0, 0, 0);
    EXPECT_EQ(actor.velocity[0], 0);
    EXPECT_EQ(actor.velocity[1], 0);
    for (int n = 0; n < 1000 && actor.is_active(); ++n) actor.update(10);
    EXPECT_FALSE(actor.walking);
}

TEST(Actor, CellIsTheSquareWhoseCentreIsAtOrBelowThePosition) {
    EXPECT_EQ(cell_at(-224, 224), std::pair(0, 7));
    EXPECT_EQ(cell_at(-225, 0), std::pair(-1, 3));
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(cell_at(centre_of(c), centre_of(7 - c)), std::pair(c, 7 - c));
        EXPECT_EQ(cell_at(centre_of(c) + 63.5f, centre_of(c) + 0.5f), std::pair(c, c));
    }
}

TEST(Actor, FacingNamesTheLastDirectionOfTravelInEighthTurns) {
    // Step d means travel along (sin(d * 45 degrees), cos(d * 45 degrees)) in
    // x and z; up to nearly a sixteenth of a turn off still counts as d.
    for (int d = 0; d < 8; ++d) {
        for (double skew : {-0.38, 0.0, 0.38}) {
            Actor actor;
            const double angle = d * pi / 4 + skew;
            actor.move_to(static_cast<float>(100 * std::sin(angle)), 0, static_cast<float>(100 * std::cos(angle)));
            actor.update(1);
            EXPECT_EQ(actor.facing_direction(), d) << "direction " << d << " skewed by " << skew;
            actor.velocity[0] = actor.velocity[1] = 0;  // stopping keeps it
            actor.update(1);
            EXPECT_EQ(actor.facing_direction(), d) << "direction " << d << " skewed by " << skew;
        }
    }
    Actor actor;
    actor.target_heading = static_cast<float>(2 * pi + 0.1);
    EXPECT_EQ(actor.facing_direction(), 4);
}

TEST(Actor, StandLoopsEveryFortyFramesOf111Milliseconds) {
    Actor actor;
    actor.update(4439);
    EXPECT_EQ(actor.frame, 39);
    EXPECT_GT(blend_factor(animation_range(actor.animation), actor.animation_time), 0.99f);
    actor.update(1);
    EXPECT_EQ(actor.frame, 0);
    EXPECT_EQ(actor.previous_frame, 39);
    EXPECT_EQ(actor.animation_time, 0);
    actor.update(110);
    EXPECT_EQ(actor.frame, 0);
    actor.update(1);
    EXPECT_EQ(actor.frame, 1);
    EXPECT_EQ(actor.previous_frame, 0);
    EXPECT_TRUE(actor.playing);
}

TEST(Actor, DeathPlaysOnceAndHoldsItsLastFrame) {
    Actor actor;
    EXPECT_FALSE(actor.start_dying());
    EXPECT_TRUE(actor.start_dying());
    EXPECT_EQ(actor.animation, Animation::stand);  // switches on the next update
    actor.walk_to_cell(7, 3);                      // and goes on walking
    actor.update(10);
    EXPECT_EQ(actor.animation, Animation::death_fallback);
    EXPECT_EQ(actor.frame, 178);
    EXPECT_GT(actor.position[0], 0);
    // Frames of 142 ms: the last, 183, from 710 ms; held and finished from 852.
    for (int elapsed = 1; elapsed <= 1000; ++elapsed) {
        actor.update(1);
        ASSERT_EQ(actor.frame, elapsed < 710 ? 178 + elapsed / 142 : 183) << elapsed << " ms";
        ASSERT_EQ(actor.death_finished(), elapsed >= 852) << elapsed << " ms";
    }
}

}  // namespace
