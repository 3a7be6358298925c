#include "app/frame_clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace floebound;

using ::testing::ElementsAre;

TEST(FrameClock, ClampsZeroAndStalledFrames) {
    EXPECT_EQ(clamp_frame_time(0), 1);
    EXPECT_EQ(clamp_frame_time(-3), 1);
    EXPECT_EQ(clamp_frame_time(1), 1);
    EXPECT_EQ(clamp_frame_time(1000), 1000);
    EXPECT_EQ(clamp_frame_time(1001), 16);
    EXPECT_EQ(clamp_frame_time(1500), 16);
}

TEST(FrameClock, SlicesAFrameIntoUpdatesOfAtMost18Ms) {
    EXPECT_THAT(update_slices(37), ElementsAre(18, 18, 1));
    EXPECT_THAT(update_slices(40), ElementsAre(18, 18, 4));
    EXPECT_THAT(update_slices(18), ElementsAre(18));
    EXPECT_THAT(update_slices(1), ElementsAre(1));
    EXPECT_THAT(update_slices(clamp_frame_time(1500)), ElementsAre(16));
    int total = 0;
    for (int slice : update_slices(1000)) total += slice;
    EXPECT_EQ(total, 1000);
}

TEST(FrameClock, ReadoutMovesOnlyWhenTheFrameTimeChangesByTwoMs) {
    FpsReadout readout;
    EXPECT_EQ(fps_readout_text(readout, 62.5f, 16), "FPS: 62.500 (16 ms)");
    EXPECT_EQ(fps_readout_text(readout, 58.824f, 17), "FPS: 62.500 (16 ms)");
    EXPECT_EQ(fps_readout_text(readout, 62.5f, 16), "FPS: 62.500 (16 ms)");
    EXPECT_EQ(fps_readout_text(readout, 66.667f, 15), "FPS: 62.500 (16 ms)");
    EXPECT_EQ(fps_readout_text(readout, 55.556f, 18), "FPS: 55.556 (18 ms)");
    EXPECT_EQ(fps_readout_text(readout, 1.0f, 1000), "FPS: 1.000 (1000 ms)");
    EXPECT_EQ(fps_readout_text(readout, 1000.0f, 1), "FPS: 1000.000 (1 ms)");
}
