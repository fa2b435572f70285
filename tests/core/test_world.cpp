// The world tables: clearing, slot allocation and the derived grid fields.
#include <gtest/gtest.h>


#include "tests/core/hand_made_level.h"

namespace {

class World : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

TEST_F(World, ResetClearsEverySquareUnitObjectAndContainer) {
  map[3][50][50].terrain = TERRAIN_ROCK;
  map[3][50][50].scenery = SCENERY_NEST;
  map[3][10][10].object_count = 4;
  environment[3][50][0].lava = 1;
  unit[2][7].status = UNIT_NORMAL;
  unit[2][7].health = 12;
  object[5].status = OBJECT_ON_GROUND;
  object[5].z = 4;
  container[9].state = CONTAINER_CLOSED;
  nuke_variables();

  EXPECT_EQ(map[3][50][50].terrain, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(map[3][50][50].scenery, 0);
  EXPECT_EQ(map[3][50][50].passable, 1);
  EXPECT_EQ(map[3][10][10].object_count, 0);
  EXPECT_EQ(environment[3][50][0].lava, 0);
  EXPECT_EQ(unit[2][7].status, UNIT_FREE);
  EXPECT_EQ(unit[2][7].health, 0);
  EXPECT_EQ(object[5].status, 0);
  EXPECT_EQ(object[5].z, 0);
  EXPECT_STREQ(object[5].name, " ");
  EXPECT_EQ(container[9].state, 0);
  for (int p = 0; p < 4; p++)
    for (int u = 0; u <= UNIT_MAX; u++) ASSERT_EQ(unit[p][u].status, UNIT_FREE);
}

TEST_F(World, FreeSlotsAreTheLowestAndRunOutSoundly) {
  EXPECT_EQ(next_free_unit(2), 1);
  EXPECT_EQ(next_free_container(), 1);

  unit[2][1].status = UNIT_NORMAL;
  unit[2][2].status = UNIT_NORMAL;
  EXPECT_EQ(next_free_unit(2), 3);
  EXPECT_EQ(next_free_unit(1), 1);

  for (int u = 1; u < UNIT_MAX; u++) unit[2][u].status = UNIT_NORMAL;
  EXPECT_EQ(next_free_unit(2), 450);

  for (int c = 1; c < CONTAINER_SLOTS; c++) container[c].state = CONTAINER_CLOSED;
  EXPECT_EQ(next_free_container(), 1000);
  container[500].state = 0;
  EXPECT_EQ(next_free_container(), 500);
}

TEST_F(World, LaddersUpAndDownCountAsOneFeatureInRange) {
  map[2][10][10].scenery = SCENERY_LADDER_DOWN;
  map[0][0][0].scenery = SCENERY_WELL;
  struct look {
    int scenery, z, x, y, range, found;
  };
  const look looks[] = {
      {SCENERY_LADDER_UP, 2, 12, 12, 2, 1}, {SCENERY_LADDER_DOWN, 2, 12, 12, 2, 1},
      {SCENERY_LADDER_UP, 2, 13, 12, 2, 0}, {SCENERY_NEST, 2, 10, 10, 3, 0},
      {SCENERY_LADDER_UP, 3, 10, 10, 2, 0},  // another level does not count
      {SCENERY_WELL, 0, 0, 0, 5, 1},        // at the edge the search stays on the grid
      {SCENERY_WELL, 0, 50, 50, 5, 0},
  };
  for (const look& l : looks)
    EXPECT_EQ(mapextra_in_range(l.scenery, l.z, l.x, l.y, l.range), l.found)
        << l.scenery << " from " << l.z << " " << l.x << " " << l.y;
  map[2][10][10].scenery = SCENERY_LADDER_UP;
  EXPECT_EQ(mapextra_in_range(SCENERY_LADDER_DOWN, 2, 8, 8, 2), 1);
}

}  // namespace
