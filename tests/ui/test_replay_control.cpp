#include <gtest/gtest.h>

#include "ui/replay_control.h"

TEST(ReplayControl, PlaysAtItsPaceAndChangesSpeedWithinBounds) {
  replay_control c;
  EXPECT_FALSE(replay_next_due(c, REPLAY_DELAY_START - 1));
  EXPECT_TRUE(replay_next_due(c, REPLAY_DELAY_START));
  for (int i = 0; i < 20; i++) replay_key_pressed(c, REPLAY_FASTER);
  EXPECT_TRUE(c.delay_ms >= REPLAY_DELAY_MIN && c.delay_ms < REPLAY_DELAY_MIN * 2) << c.delay_ms;
  for (int i = 0; i < 20; i++) replay_key_pressed(c, REPLAY_SLOWER);
  EXPECT_TRUE(c.delay_ms <= REPLAY_DELAY_MAX && c.delay_ms > REPLAY_DELAY_MAX / 2) << c.delay_ms;
}

TEST(ReplayControl, PausedItRunsOnlyTheStepsAskedForAndQuitStopsEverything) {
  replay_control c;
  replay_key_pressed(c, REPLAY_PAUSE);
  EXPECT_FALSE(replay_next_due(c, 100000));
  replay_key_pressed(c, REPLAY_STEP);
  replay_key_pressed(c, REPLAY_STEP);
  for (bool due : {true, true, false}) EXPECT_EQ(replay_next_due(c, 0), due);
  replay_key_pressed(c, REPLAY_PAUSE);  // playing again
  EXPECT_TRUE(replay_next_due(c, REPLAY_DELAY_START));
  // A step while playing pauses instead of skipping ahead.
  replay_key_pressed(c, REPLAY_STEP);
  EXPECT_TRUE(c.paused);
  EXPECT_FALSE(replay_next_due(c, 100000));
  // Quit stops everything.
  replay_key_pressed(c, REPLAY_QUIT);
  replay_key_pressed(c, REPLAY_PAUSE);
  replay_key_pressed(c, REPLAY_STEP);
  EXPECT_FALSE(replay_next_due(c, 100000));
}
