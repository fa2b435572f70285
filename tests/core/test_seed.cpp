#include "core/seed.h"

#include <gtest/gtest.h>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/replay.h"
#include "core/world.h"

TEST(Seed, AnAskedSeedBuildsTheSameDungeonAgain) {
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
}

TEST(Seed, TheAskedSeedServesOneGameAndTheNextTakesItsOwn) {
  ask_for_seed(77);
  seed_new_game();
  EXPECT_EQ(GAME_SEED, 77u);
  seed_new_game();
  unsigned second = GAME_SEED;
  seed_new_game();
  EXPECT_NE(GAME_SEED, 77u);
  EXPECT_NE(GAME_SEED, second);  // two games in one second still differ
}
