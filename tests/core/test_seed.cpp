#include "core/seed.h"

#include <gtest/gtest.h>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/replay.h"
#include "core/world.h"

// An asked seed builds the same dungeon every time it is asked, but serves
// one game only: the next games take seeds of their own.
TEST(Seed, AnAskedSeedBuildsItsDungeonForOneGame) {
  use_headless();
  DIFFICULTY = 2;
  std::string first;
  for (int build = 0; build < 2; build++) {
    ask_for_seed(1234);
    seed_new_game();
    EXPECT_EQ(GAME_SEED, 1234u);
    build_new_world();
    if (build == 0) first = world_digest();
  }
  EXPECT_EQ(world_digest(), first);
  seed_new_game();
  unsigned second = GAME_SEED;
  seed_new_game();
  EXPECT_NE(second, 1234u);
  EXPECT_NE(GAME_SEED, 1234u);
  EXPECT_NE(GAME_SEED, second);  // two games in one second still differ
}
