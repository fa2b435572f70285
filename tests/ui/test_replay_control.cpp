#include "ui/replay_control.h"

#include <gtest/gtest.h>

TEST(ReplayControl, PlaysAtItsPaceAndChangesSpeedWithinBounds) {
  replay_control c;
  EXPECT_FALSE(replay_next_due(c, REPLAY_DELAY_START - 1));
  EXPECT_TRUE(replay_next_due(c, REPLAY_DELAY_START));
  for (int i = 0; i < 20; i++) replay_key_pressed(c, REPLAY_FASTER);
  EXPECT_GE(c.delay_ms, REPLAY_DELAY_MIN);
  EXPECT_LT(c.delay_ms, REPLAY_DELAY_MIN * 2);
  for (int i = 0; i < 20; i++) replay_key_pressed(c, REPLAY_SLOWER);
  EXPECT_LE(c.delay_ms, REPLAY_DELAY_MAX);
  EXPECT_GT(c.delay_ms, REPLAY_DELAY_MAX / 2);
}

TEST(ReplayControl, PausedItRunsOnlyTheStepsAskedFor) {
  replay_control c;
  replay_key_pressed(c, REPLAY_PAUSE);
  EXPECT_FALSE(replay_next_due(c, 100000));
  replay_key_pressed(c, REPLAY_STEP);
  replay_key_pressed(c, REPLAY_STEP);
  EXPECT_TRUE(replay_next_due(c, 0));
  EXPECT_TRUE(replay_next_due(c, 0));
  EXPECT_FALSE(replay_next_due(c, 0));
  replay_key_pressed(c, REPLAY_PAUSE);  // playing again
  EXPECT_TRUE(replay_next_due(c, REPLAY_DELAY_START));
  // A step while playing pauses instead of skipping ahead.
  replay_key_pressed(c, REPLAY_STEP);
  EXPECT_TRUE(c.paused);
  EXPECT_FALSE(replay_next_due(c, 100000));
}

TEST(ReplayControl, QuitStopsEverything) {
  replay_control c;
  replay_key_pressed(c, REPLAY_QUIT);
  EXPECT_FALSE(replay_next_due(c, 100000));
  replay_key_pressed(c, REPLAY_PAUSE);
  replay_key_pressed(c, REPLAY_STEP);
  EXPECT_FALSE(replay_next_due(c, 100000));
}
