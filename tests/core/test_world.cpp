// The world tables: clearing, slot allocation and the derived grid fields.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

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

TEST_F(World, ObjectCountsFollowTheLyingObjects) {
  object[3] = object_record{};
  object[3].status = OBJECT_ON_GROUND;
  object[3].x = 7, object[3].y = 8, object[3].z = 1;
  object[4] = object[3];
  object[6] = object[3];
  object[6].status = OBJECT_CARRIED;  // carried objects lie nowhere
  object[7] = object[3];
  object[7].z = 2;
  map_object(1);
  EXPECT_EQ(map[1][7][8].object_count, 2);
  EXPECT_EQ(map[2][7][8].object_count, 0);
}

// Only live units of the level mark their squares; one standing off the grid
// would land on another square of the flat table ([51][-1] is [50][50] and
// [0][51] is [1][0]) and marks none.
TEST_F(World, OccupancyIsRebuiltForTheLevelOnly) {
  auto stand = [](int p, int u, int status, int z, int x, int y) {
    unit[p][u].status = status;
    unit[p][u].x = x, unit[p][u].y = y, unit[p][u].z = z;
  };
  stand(1, 1, UNIT_NORMAL, 0, 5, 6);
  stand(2, 3, UNIT_UNCONSCIOUS, 0, 9, 9);
  stand(2, 4, UNIT_NORMAL, 1, 1, 1);
  stand(2, 5, UNIT_FREE, 0, 2, 2);
  stand(2, 6, UNIT_NORMAL, 0, 51, -1);
  stand(2, 7, UNIT_NORMAL, 0, 0, 51);
  map_occupied(0);
  EXPECT_EQ(map[0][5][6].occupant_player, 1);
  EXPECT_EQ(map[0][5][6].occupant_unit, 1);
  EXPECT_EQ(map[0][9][9].occupant_player, 2);
  EXPECT_EQ(map[0][9][9].occupant_unit, 3);
  for (auto [z, x, y] : {std::tuple{1, 1, 1}, {0, 2, 2}, {0, 50, 50}, {0, 1, 0}})
    EXPECT_EQ(map[z][x][y].occupant_player, 0) << z << " " << x << " " << y;
}

TEST_F(World, TextsAreCutToTheirBuffers) {
  copy_text(unit[1][1].name, std::string(200, 'x').c_str());
  EXPECT_EQ(std::strlen(unit[1][1].name), sizeof unit[1][1].name - 1);
  copy_text(object[1].name, "iron ");
  append_text(object[1].name, std::string(100, 'y').c_str());
  EXPECT_EQ(std::strlen(object[1].name), sizeof object[1].name - 1);
  EXPECT_EQ(std::strncmp(object[1].name, "iron y", 6), 0);
}

}  // namespace
