#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "creatures/monsters.h"
#include "creatures/path.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 4;

// A floor level inside the stone ring every built level has.
void ringed_level(int z) {
  for (int i = 0; i < LAND_SIZE; i++) {
    put_terrain(z, i, 0, TERRAIN_BUILT_WALL);
    put_terrain(z, i, LAND_SIZE - 1, TERRAIN_BUILT_WALL);
    put_terrain(z, 0, i, TERRAIN_BUILT_WALL);
    put_terrain(z, LAND_SIZE - 1, i, TERRAIN_BUILT_WALL);
  }
}

constexpr int LAVA = -1;

// Rock, floor or lava over the rectangle from (x0, y0) to (x1, y1).
void fill(int z, int x0, int y0, int x1, int y1, int terrain = TERRAIN_ROCK) {
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++)
      if (terrain == LAVA)
        environment[z][x][y].lava = 1;
      else
        put_terrain(z, x, y, terrain, terrain != TERRAIN_ROCK);
}

bool blocked_for(int race, int z, int x, int y) {
  const map_cell& m = map[z][x][y];
  if (m.terrain == TERRAIN_ROCK || m.terrain == TERRAIN_BUILT_WALL) return true;
  bool bridge = m.scenery == SCENERY_BRIDGE_EW || m.scenery == SCENERY_BRIDGE_NS;
  return environment[z][x][y].lava && !bridge && race != RACE_SALAMANDER;
}

class PathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    ringed_level(Z);
    CURRENT_PLAYER = 1;
    CURRENT_UNIT = 1;
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) map[Z][x][y].revealed = 1;
  }

  // Checks the party unit's waypoints as a route: slot 1 the goal, each slot
  // next to the one before, the last next to the start, none blocked, then the
  // end mark.  Answers the number of squares.
  int checked_route(int u, int tx, int ty, int race = RACE_HUMAN) {
    const unit_record& r = unit[1][u];
    EXPECT_EQ(r.waypoint_index, 1);
    EXPECT_EQ(r.waypoint_x[1], tx);
    EXPECT_EQ(r.waypoint_y[1], ty);
    int i = 1;
    for (; i < WAYPOINTS - 1 && r.waypoint_x[i] != ROUTE_END_MARK; i++) {
      EXPECT_FALSE(blocked_for(race, Z, r.waypoint_x[i], r.waypoint_y[i]))
          << r.waypoint_x[i] << "," << r.waypoint_y[i];
      bool last = r.waypoint_x[i + 1] == ROUTE_END_MARK;
      if (last && i == ROUTE_WAYPOINTS) {  // a longer route is cut here
        i++;
        break;
      }
      int nx = last ? r.x : r.waypoint_x[i + 1];
      int ny = last ? r.y : r.waypoint_y[i + 1];
      EXPECT_LE(std::abs(nx - r.waypoint_x[i]), 1) << "slot " << i;
      EXPECT_LE(std::abs(ny - r.waypoint_y[i]), 1) << "slot " << i;
    }
    EXPECT_EQ(r.waypoint_y[i], ROUTE_END_MARK);
    return i - 1;
  }

  // Lets creature u of player 2 follow its search one step at a time, as the
  // creatures' turn does, until it reaches the goal or stands next to it.
  // Answers the steps taken, -1 when a search gave up.
  int hunt(int u, int tx, int ty) {
    unit_record& r = unit[2][u];
    for (int steps = 0; steps < 200; steps++) {
      if (r.x == tx && r.y == ty) return steps;
      bool beside = std::abs(r.x - tx) <= 1 && std::abs(r.y - ty) <= 1;
      if (beside && map[Z][tx][ty].occupant_player != 0) return steps;
      int d = npc_a_star_path_finding(r.x, r.y, tx, ty, Z);
      if (d > NORTHWEST) return -1;
      EXPECT_EQ(AGX, r.x + DIRECTION_DX[d]);
      EXPECT_EQ(AGY, r.y + DIRECTION_DY[d]);
      EXPECT_FALSE(blocked_for(r.race, Z, AGX, AGY)) << AGX << "," << AGY;
      EXPECT_EQ(map[Z][AGX][AGY].occupant_player, 0) << "stepped onto a unit";
      map[Z][r.x][r.y].passable = 1;
      move_unit(2, u, Z, AGX, AGY);
      map[Z][r.x][r.y].passable = 0;
    }
    return -1;
  }
};

// Start on the goal, the goal walled in, the start walled in: no path, and
// the party's old route is left alone.
TEST_F(PathTest, NoWayIsNoPathAndLeavesTheWaypointsAlone) {
  struct {
    int sx, sy, gx, gy, walled_x, walled_y;
  } cases[] = {{10, 10, 10, 10, 0, 0}, {10, 20, 30, 20, 30, 20}, {10, 10, 30, 30, 10, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gx);
    SetUp();
    if (c.walled_x) {
      fill(Z, c.walled_x - 1, c.walled_y - 1, c.walled_x + 1, c.walled_y + 1);
      put_terrain(Z, c.walled_x, c.walled_y, TERRAIN_STONE_FLOOR, 1);
    }
    unit_record& r = put_unit(1, 1, Z, c.sx, c.sy, NORTH);
    r.waypoint_x[1] = 33, r.waypoint_y[1] = 34, r.waypoint_index = 5;
    AGX = AGY = 7;
    EXPECT_EQ(a_star_path_finding(c.sx, c.sy, c.gx, c.gy, Z), NO_PATH);
    EXPECT_EQ(npc_a_star_path_finding(c.sx, c.sy, c.gx, c.gy, Z), NO_PATH);
    EXPECT_EQ((std::vector<int>{r.waypoint_x[1], r.waypoint_y[1], r.waypoint_index, AGX}),
              (std::vector<int>{33, 34, 5, 7}));
  }
}

TEST_F(PathTest, AGoalNextToTheStartIsTakenAtOnceInEveryDirection) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  for (int d = NORTH; d <= NORTHWEST; d++) {
    int gx = 10 + DIRECTION_DX[d], gy = 10 + DIRECTION_DY[d];
    EXPECT_EQ(a_star_path_finding(10, 10, gx, gy, Z), d);
    EXPECT_EQ(AGX * 100 + AGY, gx * 100 + gy);
    EXPECT_EQ(checked_route(1, gx, gy), 1);
  }
}

TEST_F(PathTest, ThePartyRouteRunsFromTheGoalBackToTheFirstStep) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  EXPECT_EQ(a_star_path_finding(10, 10, 20, 10, Z), EAST);
  EXPECT_EQ(AGX * 100 + AGY, 1110);
  EXPECT_EQ(checked_route(1, 20, 10), 10);
  EXPECT_EQ(unit[1][1].waypoint_x[10], 11);
  EXPECT_EQ(unit[1][1].waypoint_x[11], ROUTE_END_MARK);
  EXPECT_EQ(unit[1][1].waypoint_x[12], 0);  // the old route is cleared
}

TEST_F(PathTest, OnlyTheActingPlayersUnitGetsARoute) {
  unit_record& r = put_unit(2, 3, Z, 10, 10, NORTH);
  r.waypoint_x[1] = 33, r.waypoint_index = 8;
  EXPECT_EQ(a_star_path_finding(10, 10, 20, 10, Z), EAST);
  EXPECT_EQ(r.waypoint_x[1], 33);
  EXPECT_EQ(r.waypoint_index, 8);
  put_unit(1, 1, Z, 30, 30, NORTH);
  EXPECT_EQ(npc_a_star_path_finding(30, 30, 40, 30, Z), EAST);
  EXPECT_EQ(unit[1][1].waypoint_index, 0);
}

// Fire ahead is stepped round by both; creatures are drawn to items, the
// party is not; the party prefers squares it has seen, while a creature's
// search knows the whole level.
TEST_F(PathTest, EachSearchWeighsSquaresItsOwnWay) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  EXPECT_EQ(a_star_path_finding(10, 10, 20, 10, Z), EAST);
  const struct {
    int x, y, scenery, objects, revealed, party, creature;
  } cases[] = {{11, 10, SCENERY_FIRE, 0, 1, NORTHEAST, NORTHEAST},
               {11, 11, SCENERY_NONE, 1, 1, EAST, SOUTHEAST},
               {11, 10, SCENERY_NONE, 0, 0, NORTHEAST, EAST}};
  for (const auto& c : cases) {
    map_cell& m = map[Z][c.x][c.y];
    const map_cell was = m;
    m.scenery = c.scenery, m.object_count = c.objects, m.revealed = c.revealed;
    EXPECT_EQ(a_star_path_finding(10, 10, 20, 10, Z), c.party) << c.x << "," << c.y;
    EXPECT_EQ(npc_a_star_path_finding(10, 10, 20, 10, Z), c.creature) << c.x << "," << c.y;
    m = was;
  }
}

TEST_F(PathTest, ThePartyGoesRoundAWallAndBacksOutOfACup) {
  fill(Z, 15, 5, 15, 40);
  put_unit(1, 1, Z, 10, 25, NORTH);
  ASSERT_LE(a_star_path_finding(10, 25, 20, 25, Z), NORTHWEST);
  EXPECT_GT(checked_route(1, 20, 25), 15);  // round the end of the wall, not through it

  // A cup open towards the start: the greedy walk runs into it first.
  SetUp();
  fill(Z, 20, 18, 20, 32);
  fill(Z, 14, 18, 20, 18);
  fill(Z, 14, 32, 20, 32);
  put_unit(1, 1, Z, 10, 25, NORTH);
  ASSERT_LE(a_star_path_finding(10, 25, 30, 25, Z), NORTHWEST);
  checked_route(1, 30, 25);
}

TEST_F(PathTest, ThePartyGoesRoundLavaAndCrossesItByABridge) {
  fill(Z, 15, 15, 17, 35, LAVA);
  put_unit(1, 1, Z, 10, 25, NORTH);
  ASSERT_LE(a_star_path_finding(10, 25, 20, 25, Z), NORTHWEST);
  EXPECT_GT(checked_route(1, 20, 25), 10);

  // A river of lava from ring to ring: no way over but the bridge.
  fill(Z, 15, 1, 17, 49, LAVA);
  EXPECT_EQ(a_star_path_finding(10, 25, 20, 25, Z), NO_PATH);
  for (int x = 15; x <= 17; x++) map[Z][x][30].scenery = SCENERY_BRIDGE_EW;
  ASSERT_LE(a_star_path_finding(10, 25, 20, 25, Z), NORTHWEST);
  EXPECT_GE(checked_route(1, 20, 25), 10);  // which checks no square of it is lava
}

TEST_F(PathTest, CreaturesCrossLavaOnlyByBridgeUnlessTheyAreSalamanders) {
  fill(Z, 15, 1, 17, 49, LAVA);
  unit_record& rat = put_unit(2, 1, Z, 10, 25, NORTH);
  rat.race = RACE_RAT;
  EXPECT_EQ(npc_a_star_path_finding(10, 25, 20, 25, Z), NO_PATH);

  unit_record& sal = put_unit(2, 2, Z, 10, 20, NORTH);
  sal.race = RACE_SALAMANDER;
  EXPECT_EQ(hunt(2, 20, 20), 10);  // straight over

  for (int x = 15; x <= 17; x++) map[Z][x][27].scenery = SCENERY_BRIDGE_EW;
  EXPECT_GE(hunt(1, 20, 25), 10);  // by the bridge: hunt checks no step is on lava
  EXPECT_EQ(rat.x, 20);
}

TEST_F(PathTest, ThePartyTriesAgainFromTheStartWhereACreatureGivesUp) {
  // A one-square stub points at the goal; the way round starts the other way.
  fill(Z, 1, 1, 49, 49);
  fill(Z, 5, 10, 11, 10, TERRAIN_STONE_FLOOR);
  fill(Z, 5, 5, 5, 10, TERRAIN_STONE_FLOOR);
  fill(Z, 5, 5, 20, 5, TERRAIN_STONE_FLOOR);
  fill(Z, 20, 5, 20, 10, TERRAIN_STONE_FLOOR);
  put_unit(1, 1, Z, 10, 10, NORTH);
  EXPECT_EQ(a_star_path_finding(10, 10, 20, 10, Z), WEST);
  EXPECT_GT(checked_route(1, 20, 10), 20);
  EXPECT_EQ(npc_a_star_path_finding(10, 10, 20, 10, Z), NO_PATH);
}

TEST_F(PathTest, PitsCellDoorsOpenCryptsAndCaveInsAreNeverWalked) {
  const int blocking[] = {SCENERY_PIT, SCENERY_CELL_DOOR, SCENERY_OPEN_CRYPT, SCENERY_RUBBLE};
  for (int s : blocking) {
    fresh_world();
    ringed_level(Z);
    // A corridor closed by one square of that scenery.
    fill(Z, 1, 1, 49, 9);
    fill(Z, 1, 11, 49, 49);
    map[Z][20][10].scenery = s;
    put_unit(2, 1, Z, 10, 10, NORTH);
    EXPECT_EQ(npc_a_star_path_finding(10, 10, 30, 10, Z), NO_PATH) << s;
    map[Z][20][10].scenery = SCENERY_NONE;
    EXPECT_EQ(npc_a_star_path_finding(10, 10, 30, 10, Z), EAST) << s;
  }
}

// A winding corridor of rows 2, 4, 6, ... joined at alternate ends by one
// square each, out beyond the row's end: the walls between the rows leave no
// corner to cut, so square k of it is k steps from square 0.
struct corridor {
  int x[1200], y[1200], n = 0;
};

corridor winding_corridor(int z) {
  corridor c;
  fill(z, 1, 1, 49, 49);
  for (int row = 0; row < 12; row++) {
    int y = 2 + row * 2;
    bool east = row % 2 == 0;
    for (int i = 0; i < 45; i++) {
      c.x[c.n] = east ? 3 + i : 47 - i;
      c.y[c.n] = y;
      c.n++;
    }
    c.x[c.n] = east ? 48 : 2;
    c.y[c.n] = y + 1;
    c.n++;
  }
  for (int i = 0; i < c.n; i++) put_terrain(z, c.x[i], c.y[i], TERRAIN_STONE_FLOOR, 1);
  return c;
}

TEST_F(PathTest, ARouteLongerThanTheListsHoldEndsTheSearch) {
  corridor c = winding_corridor(Z);
  put_unit(1, 1, Z, c.x[0], c.y[0], NORTH);
  for (int k = 90; k <= 110; k++)
    EXPECT_EQ(a_star_path_finding(c.x[0], c.y[0], c.x[k], c.y[k], Z),
              k < ROUTE_SQUARES ? EAST : FAIL)
        << k;
  unit[1][1].waypoint_x[1] = 5;
  EXPECT_EQ(a_star_path_finding(c.x[0], c.y[0], c.x[c.n - 1], c.y[c.n - 1], Z), FAIL);
  EXPECT_EQ(unit[1][1].waypoint_x[1], 5);
  EXPECT_EQ(a_star_path_finding(c.x[0], c.y[0], c.x[99], c.y[99], Z), EAST);
  EXPECT_EQ(checked_route(1, c.x[99], c.y[99]), ROUTE_WAYPOINTS);
  EXPECT_EQ(unit[1][1].waypoint_x[39], c.x[61]);
  put_unit(2, 1, Z, c.x[c.n - 1], c.y[c.n - 1], NORTH);
  EXPECT_EQ(npc_a_star_path_finding(c.x[c.n - 1], c.y[c.n - 1], c.x[0], c.y[0], Z), FAIL);
  EXPECT_EQ(npc_a_star_path_finding(c.x[99], c.y[99], c.x[0], c.y[0], Z), WEST);
}

TEST_F(PathTest, NothingOffTheLevelIsSearched) {
  // No stone ring: the walk runs along the very edge of the grid.
  fresh_world();
  put_unit(1, 1, Z, 0, 10, NORTH);
  EXPECT_EQ(a_star_path_finding(0, 10, 0, 40, Z), SOUTH);
  EXPECT_EQ(a_star_path_finding(0, 10, -1, 40, Z), FAIL);
  EXPECT_EQ(a_star_path_finding(0, 10, 0, 10 + LAND_SIZE, Z), FAIL);
  EXPECT_EQ(npc_a_star_path_finding(0, 10, 0, 40, LEVELS), FAIL);
  put_unit(2, 1, Z, 50, 50, NORTH);
  EXPECT_EQ(npc_a_star_path_finding(50, 50, 50, 20, Z), NORTH);
}

TEST_F(PathTest, ACreatureStopsOneSquareShortOfAUnitAndReachesAnEmptyGoal) {
  put_unit(1, 1, Z, 20, 10, SOUTH);
  put_unit(2, 1, Z, 10, 10, NORTH);
  EXPECT_EQ(npc_a_star_path_finding(10, 10, 20, 10, Z), EAST);
  EXPECT_EQ(hunt(1, 20, 10), 9);
  EXPECT_EQ(unit[2][1].x * 100 + unit[2][1].y, 1910);
  EXPECT_EQ(map[Z][20][10].occupant_player, 1);

  EXPECT_EQ(npc_a_star_path_finding(19, 10, 21, 12, Z), SOUTHEAST);
  EXPECT_EQ(hunt(1, 21, 12), 2);
  EXPECT_EQ(hunt(1, 19, 11), 2);
}

}  // namespace
