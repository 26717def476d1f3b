// SPDX-License-Identifier: MIT
// Playback's steps over a small program, without a window: what the window's buttons, slider
// and timer show.
#include <gtest/gtest.h>

#include <numbers>

#include "loaded_plot.h"
#include "playback_controller.h"

namespace talvo::plot {
namespace {

// A rapid of 60 at 3600 a minute (1 s), a pierce of 2 s, a cut of 60 at F600 (6 s), then a
// half circle of radius 10 at F1200 (π/2 s) ending at (140, 0).
constexpr double kTotal = 9 + std::numbers::pi / 2;

class PlaybackControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    JobSettings job;
    job.rapidRate = 3600;
    job.pierceDelay = 2;
    playback.Load(plot.program, job);
  }
  const LoadedPlot plot = PlotOfText("G0X60\nG1X120F600\nG3X140Y0I10J0F1200\n");
  PlaybackController playback;
};

TEST(PlaybackControllerEmpty, ShowsNothingBeforeAProgramOrForOneWithoutMoves) {
  PlaybackController playback;
  EXPECT_FALSE(playback.Home());
  EXPECT_FALSE(playback.Step(1));
  EXPECT_FALSE(playback.End());
  EXPECT_FALSE(playback.PlayTo(1));
  const LoadedPlot empty = PlotOfText("M30\n");
  playback.Load(empty.program, JobSettings{});
  EXPECT_FALSE(playback.Home());
  EXPECT_FALSE(playback.Step(1));
  EXPECT_FALSE(playback.End());
  // Playing an empty program stops at the first tick.
  EXPECT_FALSE(playback.PlayOrPause());
  EXPECT_TRUE(playback.Playing());
  EXPECT_FALSE(playback.Tick(0.03));
  EXPECT_FALSE(playback.Playing());
}

TEST_F(PlaybackControllerTest, StepsLandWhereMovesStart) {
  auto at = playback.Step(1);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 1u);
  EXPECT_DOUBLE_EQ(at->x, 60);
  EXPECT_DOUBLE_EQ(at->y, 0);
  EXPECT_FALSE(at->done);
  EXPECT_EQ(playback.CurrentMove(), 1u);
  EXPECT_DOUBLE_EQ(playback.Seconds(), 1);
  at = playback.Step(1);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 2u);
  EXPECT_DOUBLE_EQ(at->x, 120);
  EXPECT_DOUBLE_EQ(playback.Seconds(), 9);
  at = playback.Step(-1);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 1u);
  // Back from the first move stays there.
  playback.Step(-1);
  at = playback.Step(-1);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 0u);
  EXPECT_DOUBLE_EQ(at->x, 0);
  EXPECT_DOUBLE_EQ(playback.Seconds(), 0);
}

TEST_F(PlaybackControllerTest, EndAndStepsPastItShowTheWholeJobDone) {
  auto at = playback.End();
  ASSERT_TRUE(at);
  EXPECT_TRUE(at->done);
  EXPECT_NEAR(at->x, 140, 1e-9);
  EXPECT_NEAR(playback.Seconds(), kTotal, 1e-9);
  EXPECT_EQ(playback.CurrentMove(), 3u);
  at = playback.Step(1);
  ASSERT_TRUE(at);
  EXPECT_TRUE(at->done);
  EXPECT_EQ(playback.CurrentMove(), 3u);
  // Back from the end: the last move from its start.
  at = playback.Step(-1);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 2u);
  EXPECT_FALSE(at->done);
  at = playback.Home();
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 0u);
  EXPECT_EQ(playback.CurrentMove(), 0u);
  // The slider past the last move: the end.
  at = playback.FromMove(7);
  ASSERT_TRUE(at);
  EXPECT_TRUE(at->done);
}

TEST_F(PlaybackControllerTest, PlaysAtItsSpeedAndStopsAtTheEnd) {
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(playback.PlayOrPause());  // from where it stands: nothing new to show
  EXPECT_TRUE(playback.Playing());
  auto at = playback.Tick(0.03);  // 10 times the real time by default
  ASSERT_TRUE(at);
  EXPECT_NEAR(playback.Seconds(), 0.3, 1e-12);
  EXPECT_NEAR(at->x, 18, 1e-9);
  playback.SetSpeed(100);
  at = playback.Tick(0.03);
  EXPECT_NEAR(playback.Seconds(), 3.3, 1e-12);
  EXPECT_TRUE(playback.Playing());
  // Pausing and playing again goes on from there.
  EXPECT_FALSE(playback.PlayOrPause());
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(playback.PlayOrPause());
  EXPECT_NEAR(playback.Seconds(), 3.3, 1e-12);
  at = playback.Tick(1);
  ASSERT_TRUE(at);
  EXPECT_TRUE(at->done);
  EXPECT_FALSE(playback.Playing());
  // Played at the end: from the start again.
  at = playback.PlayOrPause();
  ASSERT_TRUE(at);
  EXPECT_EQ(at->move, 0u);
  EXPECT_DOUBLE_EQ(playback.Seconds(), 0);
  EXPECT_TRUE(playback.Playing());
}

TEST_F(PlaybackControllerTest, AStepOrTheSliderStopsPlayingButTheEndDoesNot) {
  playback.PlayOrPause();
  playback.Step(1);
  EXPECT_FALSE(playback.Playing());
  playback.PlayOrPause();
  playback.FromMove(2);
  EXPECT_FALSE(playback.Playing());
  playback.PlayOrPause();
  playback.End();
  EXPECT_TRUE(playback.Playing());
  const auto at = playback.Tick(0.03);
  ASSERT_TRUE(at);
  EXPECT_TRUE(at->done);
  EXPECT_FALSE(playback.Playing());
}

TEST_F(PlaybackControllerTest, LoadingAgainStopsAtTheStart) {
  playback.PlayOrPause();
  playback.Tick(0.5);
  playback.Load(plot.program, JobSettings{});
  EXPECT_FALSE(playback.Playing());
  EXPECT_DOUBLE_EQ(playback.Seconds(), 0);
  EXPECT_EQ(playback.CurrentMove(), 0u);
}

}  // namespace
}  // namespace talvo::plot
