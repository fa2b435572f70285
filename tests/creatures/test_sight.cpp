#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "creatures/sight.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 3;

class SightTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

using squares = std::set<std::pair<int, int>>;

squares in_view(int z) {
  squares s;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++)
      if (map[z][x][y].revealed == 1) s.insert({x, y});
  return s;
}

// Squares beyond row 28 in view of a unit at (25, 30) looking north.
size_t seen_beyond_row_28() {
  size_t n = 0;
  for (auto s : in_view(Z))
    if (s.second < 28) n++;
  return n;
}

void row_of(int z, int y, int terrain) {
  for (int x = 0; x < LAND_SIZE; x++) put_terrain(z, x, y, terrain);
}

// Terrain the party has already seen (2: seen before, now out of view).
void seen_terrain(int x, int y, int terrain, int revealed = 1) {
  put_terrain(Z, x, y, terrain);
  map[Z][x][y].revealed = revealed;
}

// A container record standing at (x, y) of level z, marked on the map.
void put_container(int k, int z, int x, int y, int size) {
  container_record& c = container[k];
  c = container_record{};
  c.x = x, c.y = y, c.z = z;
  c.state = CONTAINER_CLOSED;
  c.type = CONTAINER_WARDROBE;
  c.size = size;
  map[z][x][y].scenery = SCENERY_CONTAINER;
}

TEST_F(SightTest, SingleRaySeesAPartyMemberOnTheThirdSquareButNeverFromTheParty) {
  put_unit(2, 1, Z, 10, 10, EAST);
  put_unit(1, 3, Z, 13, 10, WEST);
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), 8);
  put_unit(1, 2, Z, 10, 20, EAST);
  put_unit(1, 5, Z, 13, 20, WEST);
  EXPECT_EQ(single_ray(10, 20, Z, 16, 20), RAY_CLEAR);
}

TEST_F(SightTest, SingleRayStopsOnlyAtWallsAlreadySeen) {
  put_unit(1, 1, Z, 30, 30, NORTH);
  seen_terrain(12, 10, TERRAIN_BUILT_WALL, 0);
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_CLEAR);
  map[Z][12][10].revealed = 2;
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_BLOCKED);

  put_terrain(Z, 12, 10, TERRAIN_WINDOW);  // windows, metal doors, boulders: seen through
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_CLEAR);
  put_terrain(Z, 12, 10, TERRAIN_METAL_DOOR_CLOSED);
  map[Z][13][10].scenery = SCENERY_BOULDER;
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_CLEAR);
  put_container(1, Z, 13, 10, 17);
  map[Z][13][10].revealed = 1;
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_CLEAR);
  map[Z][13][10].scenery = SCENERY_SECRET_HIDDEN;  // looks like wall
  EXPECT_EQ(single_ray(10, 10, Z, 16, 10), RAY_BLOCKED);
}

// Walled in on every side, whatever the facing: its own square and the
// neighbours are in view but for the three behind (away from the facing),
// which are known only, and nothing past the walls is seen.
TEST_F(SightTest, TheThreeSquaresBehindFollowEveryFacing) {
  for (int f = NORTH; f <= NORTHWEST; f++) {
    fresh_world();
    put_unit(1, 1, Z, 25, 25, f);
    for (int d = NORTH; d <= NORTHWEST; d++)
      put_terrain(Z, 25 + DIRECTION_DX[d], 25 + DIRECTION_DY[d], TERRAIN_ROCK);
    reveal_tiles();
    for (int dx = -2; dx <= 2; dx++)
      for (int dy = -2; dy <= 2; dy++) {
        bool near = std::abs(dx) <= 1 && std::abs(dy) <= 1;
        bool behind = dx * DIRECTION_DX[f] + dy * DIRECTION_DY[f] < 0;
        EXPECT_EQ(map[Z][25 + dx][25 + dy].revealed, !near    ? 0
                                                     : behind ? 2
                                                              : 1)
            << f << " " << dx << "," << dy;
      }
  }
}

TEST_F(SightTest, LaterUnitsHideTheSquaresBehindThem) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  put_unit(1, 2, Z, 11, 10, SOUTH);
  CURRENT_UNIT = 2;
  reveal_tiles();
  EXPECT_EQ(map[Z][10][9].revealed, 2);  // before unit 1, behind unit 2
  EXPECT_EQ(map[Z][9][9].revealed, 1);
}

TEST_F(SightTest, WindowIsSeenThroughOnlyAlongTheMiddleRays) {
  put_unit(1, 1, Z, 25, 30, NORTH);
  reveal_tiles();
  const squares open_view = in_view(Z);
  const size_t open_beyond = seen_beyond_row_28();

  fresh_world();
  put_unit(1, 1, Z, 25, 30, NORTH);
  row_of(Z, 28, TERRAIN_WINDOW);
  reveal_tiles();
  squares through;
  for (auto s : in_view(Z))
    if (s.second < 28) through.insert(s);
  ASSERT_FALSE(through.empty());
  for (auto s : through) {
    EXPECT_TRUE(open_view.count(s));
    EXPECT_GE(s.first, 24);
    EXPECT_LE(s.first, 26);
  }
  EXPECT_LT(through.size(), open_beyond);
  EXPECT_EQ(map[Z][24][28].revealed, 1);  // the window itself is seen from the side rays
}

// Fire lights its neighbours even where the ray stops, and a square only
// glimpsed at the edge of the cone.
TEST_F(SightTest, FireLightsWhatIsOnlyGlimpsedOrOutOfView) {
  put_unit(1, 1, Z, 25, 30, NORTH);
  reveal_tiles();
  squares edge;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++)
      if (map[Z][x][y].revealed == 2) edge.insert({x, y});
  ASSERT_FALSE(edge.empty());
  auto [fx, fy] = *edge.begin();
  map[Z][fx][fy].scenery = SCENERY_FIRE;
  reveal_tiles();
  EXPECT_EQ(map[Z][fx][fy].revealed, 1);

  SetUp();
  put_unit(1, 1, Z, 25, 30, NORTH);
  row_of(Z, 28, TERRAIN_WINDOW);
  reveal_tiles();
  ASSERT_EQ(map[Z][23][27].revealed, 0);
  map[Z][24][28].scenery = SCENERY_FIRE;
  reveal_tiles();
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) EXPECT_EQ(map[Z][24 + dx][28 + dy].revealed, 1);
}

TEST_F(SightTest, MetalDoorRoomOnceSeenStaysInView) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  environment[Z][40][40].zone = ZONE_METAL_ROOM;
  environment[Z][45][45].zone = ZONE_METAL_ROOM;
  map[Z][40][40].revealed = 2;
  for (int turn = 0; turn < 2; turn++) {
    reveal_tiles();
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++) EXPECT_EQ(map[Z][40 + dx][40 + dy].revealed, 1);
  }
  EXPECT_EQ(map[Z][45][45].revealed, 0);  // never seen, never shown
}

TEST_F(SightTest, ExitAlarmRingsOncePerGameOnTheTopLevelOnly) {
  put_unit(1, 1, 9, 25, 30, NORTH);
  map[9][25][27].scenery = SCENERY_LADDER_UP;
  reveal_tiles();
  EXPECT_EQ(FOUND_EXIT, 0);
  EXPECT_TRUE(headless.warnings.empty());

  put_unit(1, 1, 10, 25, 30, NORTH);
  map[10][25][27].scenery = SCENERY_LADDER_UP;
  reveal_tiles();
  EXPECT_EQ(FOUND_EXIT, 1);
  EXPECT_TRUE(headless_said("You have found the exit!!!"));
  EXPECT_EQ(headless.warnings.size(), 1u);
  FOUND_EXIT = 3;
  reveal_tiles();
  EXPECT_EQ(headless.warnings.size(), 1u);
  EXPECT_EQ(FOUND_EXIT, 3);
}

TEST_F(SightTest, RaysAtTheCornersStayOnTheLevel) {
  for (int f = 0; f < 9; f++) {
    fresh_world();
    put_unit(1, 1, Z, 0, 0, f).sight = 14;
    put_unit(1, 2, Z, 50, 50, f).sight = 14;
    reveal_tiles();
    CURRENT_UNIT = 2;
    reveal_tiles();
    EXPECT_EQ(map[Z][50][50].revealed, 1) << f;
    EXPECT_EQ(map[Z][0][0].revealed, 1) << f;  // every party unit sees its own square
  }
}

// What stops the party's rays (walls, metal doors, rubble, boulders, big
// containers; not a passage not yet found) and what in_los looks through
// (windows, metal doors and rubble, but no boulder or big container).
TEST_F(SightTest, WhatStopsThePartysViewAndWhatInLosSeesThrough) {
  const struct {
    int terrain, scenery, container_size;
    bool view_stops, los;
  } rows[] = {
      {TERRAIN_METAL_DOOR_CLOSED, 0, 0, true, true},
      {TERRAIN_STONE_FLOOR, SCENERY_RUBBLE, 0, true, true},
      {TERRAIN_STONE_FLOOR, SCENERY_BOULDER, 0, true, false},
      {TERRAIN_STONE_FLOOR, SCENERY_SECRET_HIDDEN, 0, false, true},
      {TERRAIN_STONE_FLOOR, 0, 16, true, false},
      {TERRAIN_STONE_FLOOR, 0, 15, false, true},
      {TERRAIN_OPEN_DOOR, 0, 0, false, true},
      {TERRAIN_CLOSED_DOOR, 0, 0, true, false},
      {TERRAIN_WINDOW, 0, 0, false, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.terrain << " " << r.scenery << " " << r.container_size);
    fresh_world();
    put_unit(1, 1, Z, 25, 29, NORTH);
    for (int x = 0; x < LAND_SIZE; x++) {
      put_terrain(Z, x, 28, r.terrain);
      map[Z][x][28].scenery = r.scenery;
      if (r.container_size > 0) put_container(x + 1, Z, x, 28, r.container_size);
    }
    EXPECT_EQ(in_los(1, 1, 0, 25, 27), r.los);
    move_unit(1, 1, Z, 25, 30);
    reveal_tiles();
    EXPECT_EQ(seen_beyond_row_28() == 0, r.view_stops);
  }
}

// A boulder rolled into a pit fills it: it is walked over and seen past.
TEST_F(SightTest, BoulderSunkInAPitHidesNothing) {
  put_unit(1, 1, Z, 25, 30, NORTH);
  for (int x = 0; x < LAND_SIZE; x++) {
    put_container(x + 1, Z, x, 28, 20);
    container[x + 1].type = CONTAINER_BOULDER;
    container[x + 1].state = CONTAINER_IN_PIT;
    map[Z][x][28].scenery = SCENERY_FILLED_PIT;
  }
  reveal_tiles();
  EXPECT_GT(seen_beyond_row_28(), 0u);
  EXPECT_EQ(in_los(1, 1, 0, 25, 28), 1);
  map[Z][25][28].scenery = SCENERY_CONTAINER;  // one still standing
  EXPECT_EQ(in_los(1, 1, 0, 25, 28), 0);
}

// Open squares ahead only, within the short cone; a wall ahead, or facing a
// wall, only a neighbour that is in view.
TEST_F(SightTest, InLosReachesOpenSquaresAheadAndSeenNeighbours) {
  put_unit(1, 1, Z, 25, 25, NORTH);
  EXPECT_EQ(in_los(1, 1, 0, 25, 23), 1);
  EXPECT_EQ(in_los(1, 1, 0, 25, 15), 0);
  EXPECT_EQ(in_los(1, 1, 0, 25, 27), 0);
  row_of(Z, 24, TERRAIN_ROCK);
  EXPECT_EQ(in_los(1, 1, 0, 25, 23), 0);
  EXPECT_EQ(in_los(1, 1, 0, 24, 24), 0);
  map[Z][24][24].revealed = 1;
  EXPECT_EQ(in_los(1, 1, 0, 24, 24), 1);
  map[Z][24][24].revealed = 2;
  EXPECT_EQ(in_los(1, 1, 0, 24, 24), 0);
  map[Z][25][26].revealed = 1;  // the seen square just behind counts too
  EXPECT_EQ(in_los(1, 1, 0, 25, 26), 1);
}

TEST_F(SightTest, SightRangeByKind) {
  const int race_and_range[][2] = {{3, 11},  {0, 9},   {99, 9}, {1, 9},  {2, 11}, {6, 2}, {8, 6},
                                   {11, 14}, {77, 14}, {12, 8}, {13, 7}, {14, 3}, {9, 12}};
  for (auto [race, range] : race_and_range) {
    put_unit(2, 1, Z, 10, 10, NORTH).race = race;
    EXPECT_EQ(unit_sight(2, 1), range) << race;
  }
  DIFFICULTY = 3;
  unit[2][1].race = 3;
  EXPECT_EQ(unit_sight(2, 1), 9);
}

}  // namespace
