// The ground generators: the cavern check on hand-made grids, the room stamp,
// the maze's direction table and its bound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "core/world.h"
#include "generation/caverns.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 2;

void rock_with_edges() {
  blank_world();
  rock_level(Z);
}

TEST(Caverns, CheckToleratesFifteenCutOffSquaresButNotSixteen) {
  rock_with_edges();
  fill_terrain(Z, 5, 5, 30, 30, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(check_cavern(Z), 2);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) ASSERT_EQ(map[Z][x][y].revealed, 0);
  fill_terrain(Z, 40, 40, 44, 42, TERRAIN_ROOM_FLOOR);  // 15 squares apart
  EXPECT_EQ(check_cavern(Z), 2);
  map[Z][44][43].terrain = TERRAIN_ROOM_FLOOR;  // the sixteenth
  EXPECT_EQ(check_cavern(Z), 0);
}

TEST(Caverns, CheckSpreadsOnlyTenSquaresAgainstTheScan) {
  rock_with_edges();
  // A corridor leading down, then back up a long way: the spread runs up
  // only one square a sweep, so the far arm stays out of reach.
  fill_terrain(Z, 10, 5, 10, 40, TERRAIN_STONE_FLOOR);
  fill_terrain(Z, 10, 40, 12, 40, TERRAIN_STONE_FLOOR);
  fill_terrain(Z, 12, 5, 12, 40, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(check_cavern(Z), 0);
  fill_terrain(Z, 12, 5, 12, 25, TERRAIN_ROCK);
  fill_terrain(Z, 12, 26, 12, 31, TERRAIN_ROCK);  // a short arm of 9 squares
  EXPECT_EQ(check_cavern(Z), 2);
}

TEST(Caverns, EveryAcceptedCaveHasWalledFloor) {
  for (unsigned seed = 1; seed <= 60; seed++) {
    rock_with_edges();
    std::srand(seed);
    cellular_map(Z, 5, 0);
    if (cavern_ground_rejected) continue;
    for (int x = 1; x < 49; x++) {
      for (int y = 1; y < 49; y++) {
        int t = map[Z][x][y].terrain;
        if (t != TERRAIN_STONE_FLOOR && t != TERRAIN_PASSAGE_FLOOR) continue;
        // Open floor away from the walls; floor by a wall is always terrain 5.
        EXPECT_TRUE(
            map[Z][x + 1][y].terrain != TERRAIN_ROCK && map[Z][x - 1][y].terrain != TERRAIN_ROCK &&
            map[Z][x][y + 1].terrain != TERRAIN_ROCK && map[Z][x][y - 1].terrain != TERRAIN_ROCK)
            << "seed " << seed << " at " << x << "," << y;
      }
    }
    for (int i = 0; i < LAND_SIZE; i++) {
      EXPECT_EQ(map[Z][i][0].terrain, TERRAIN_ROCK);
      EXPECT_EQ(map[Z][i][49].terrain, TERRAIN_ROCK);
      EXPECT_EQ(map[Z][i][50].terrain, TERRAIN_ROCK);
    }
  }
}

TEST(Caverns, RoomsStayOnTheLevelWithOneAnchorEach) {
  for (unsigned seed = 1; seed <= 200; seed++) {
    rock_with_edges();  // every square unmarked
    std::srand(seed);
    int count = static_cast<int>(seed % 4);
    EXPECT_GT(splatter_rooms(Z, count, seed % 2 ? 5 : 0), 0);
    int anchors = 0;
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        ASSERT_TRUE(map[Z][x][y].passable == 0 || (x < 50 && y < 50)) << x << "," << y;
        anchors += map[Z][x][y].passable == MARK_ROOM_ANCHOR;
      }
    EXPECT_GE(anchors, 1);
    EXPECT_LE(anchors, count + 1);
  }
}

TEST(Caverns, DirectionTableHoldsTheFourStepsOnce) {
  std::set<int> orders;
  for (unsigned seed = 1; seed <= 40; seed++) {
    std::srand(seed);
    random_directions();
    std::set<std::pair<int, int>> steps;
    int code = 0;
    for (int d = 0; d < 4; d++) {
      steps.insert({maze_dx[d], maze_dy[d]});
      EXPECT_EQ(std::abs(maze_dx[d]) + std::abs(maze_dy[d]), 1);
      code = code * 10 + (maze_dx[d] + 1) * 3 + maze_dy[d] + 1;
    }
    EXPECT_EQ(steps.size(), 4u);
    orders.insert(code);
  }
  EXPECT_EQ(orders.size(), 4u);
}

TEST(Caverns, MazeCarvesAQuarterOfItsCellsAndEndsWhenRoomsFillTheLevel) {
  rock_with_edges();
  std::srand(5);
  maze_map(Z, 0, 0);
  int corridor = 0;
  for (int x = 2; x <= 48; x += 2)
    for (int y = 2; y <= 48; y += 2) {
      int t = map[Z][x][y].terrain;
      if (t == TERRAIN_STONE_FLOOR || t == TERRAIN_PASSAGE_FLOOR) corridor++;
    }
  EXPECT_GT(corridor, 250);

  rock_with_edges();
  std::srand(9);
  maze_map(Z, 0, 60);  // far more rooms than fit
  int floor = 0;
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      int t = map[Z][x][y].terrain;
      if (t == TERRAIN_ROOM_FLOOR) floor++;  // the rooms that fitted
      if (x <= 1 || y <= 1 || x >= 49 || y >= 49) {
        EXPECT_TRUE(t == TERRAIN_ROCK || t == TERRAIN_ROOM_FLOOR || t == TERRAIN_CLOSED_DOOR)
            << x << "," << y;
      }
    }
  }
  EXPECT_GT(floor, 0);
}

}  // namespace
