#include "core/seed.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"

// Two whole worlds built from one seed match square for square.
TEST(Seed, AnAskedSeedBuildsTheSameDungeonAgain) {
  use_headless();
  DIFFICULTY = 2;
  ask_for_seed(1234);
  seed_new_game();
  EXPECT_EQ(GAME_SEED, 1234u);
  build_new_world();
  static map_cell first[LEVELS][LAND_SIZE][LAND_SIZE];
  std::copy(&map[0][0][0], &map[0][0][0] + LEVELS * LAND_SIZE * LAND_SIZE, &first[0][0][0]);
  int leader_x = unit[1][1].x;

  ask_for_seed(1234);
  seed_new_game();
  build_new_world();
  EXPECT_EQ(unit[1][1].x, leader_x);
  int differ = 0;
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++)
        if (map[z][x][y].terrain != first[z][x][y].terrain ||
            map[z][x][y].scenery != first[z][x][y].scenery)
          differ++;
  EXPECT_EQ(differ, 0);
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
