#include <gtest/gtest.h>

#include "core/actions/movement.h"
#include "core/facing.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 1;

void (*const STEPS[8])(int, int) = {north, northeast, east, southeast,
                                    south, southwest, west, northwest};

using MovementTest = FreshWorldTest;

// A plain step leaves points and occupancy to its caller; backward pays 15
// and keeps the facing.
TEST_F(MovementTest, EachStepAndEachStepBackMovesByItsOffset) {
  for (int d = 0; d < 8; d++) {
    SCOPED_TRACE(d);
    fresh_world();
    put_unit(1, 1, Z, 10, 10, NORTH, 50);
    STEPS[d](1, 1);
    EXPECT_EQ(BOUNCED, 0);
    EXPECT_EQ(unit[1][1].x, 10 + DIRECTION_DX[d]);
    EXPECT_EQ(unit[1][1].y, 10 + DIRECTION_DY[d]);
    EXPECT_EQ(unit[1][1].moves, 50);
    EXPECT_EQ(map[Z][10][10].occupant_unit, 1);
    fresh_world();
    put_unit(1, 1, Z, 10, 10, d, 100);
    backward(1, 1);
    EXPECT_TRUE(stands(1, 1, Z, 10 - DIRECTION_DX[d], 10 - DIRECTION_DY[d]));
    EXPECT_EQ(unit[1][1].facing, d);
    EXPECT_EQ(unit[1][1].moves, 85);
    EXPECT_TRUE(vacant(Z, 10, 10));
  }
}

TEST_F(MovementTest, StepRefusedByWallUnitAndLevelEdge) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  put_terrain(Z, 10, 9, TERRAIN_ROCK);
  north(1, 1);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_EQ(unit[1][1].y, 10);

  put_unit(2, 1, Z, 11, 10, NORTH);
  map[Z][11][10].passable = 1;  // a unit blocks even a passable square
  east(1, 1);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_EQ(unit[1][1].x, 10);

  put_unit(1, 2, Z, 0, 0, NORTH);
  north(1, 2);
  EXPECT_EQ(BOUNCED, 1);
  northwest(1, 2);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_TRUE(stands(1, 2, Z, 0, 0));
}

// Forward pays 10, backward 15, each doubled into water.
TEST_F(MovementTest, ForwardAndBackwardPayAndWaterDoublesIt) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  forward(1, 1);
  EXPECT_TRUE(stands(1, 1, Z, 11, 10));
  EXPECT_TRUE(vacant(Z, 10, 10));
  EXPECT_EQ(UPDATE_MAP, 1);
  EXPECT_EQ(unit[1][1].moves, 90);
  fresh_world();
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  environment[Z][11][10].water = 1;
  forward(1, 1);
  EXPECT_EQ(unit[1][1].moves, 80);
  environment[Z][9][10].water = 1;
  backward(1, 1);  // back to the dry square: 15
  EXPECT_EQ(unit[1][1].moves, 65);
  backward(1, 1);  // into the water behind: 30
  EXPECT_EQ(unit[1][1].x, 9);
  EXPECT_EQ(unit[1][1].moves, 35);
}

TEST_F(MovementTest, QuicksandHoldsAHeavyLoad) {
  for (int load : {50, 51}) {
    fresh_world();
    put_unit(1, 1, Z, 10, 10, EAST, 100);
    map[Z][10][10].scenery = SCENERY_QUICKSAND;
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = load;
    forward(1, 1);
    EXPECT_EQ(unit[1][1].x, load == 50 ? 11 : 10) << load;
    EXPECT_EQ(headless_said("You're too heavy to zorvane!"), load == 51);
  }
}

// Walking into a closed door opens it on the way, unless the walker is too
// dull (a creature under 10) or the door is a cell door.
TEST_F(MovementTest, WalkingIntoADoorOpensItOnTheWay) {
  struct door_case {
    int player, intelligence;
    bool cell, opens;
  };
  const door_case cases[] = {
      {1, 12, false, true}, {2, 9, false, false}, {2, 10, false, true}, {1, 30, true, false}};
  for (const door_case& c : cases) {
    SCOPED_TRACE(c.player * 100 + c.intelligence);
    fresh_world();
    if (c.player != 1) put_unit(1, 1, Z, 30, 30, NORTH);
    put_unit(c.player, 1, Z, 10, 10, EAST, 100).intelligence = c.intelligence;
    put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
    if (c.cell) map[Z][11][10].scenery = SCENERY_CELL_DOOR;
    forward(c.player, 1);
    EXPECT_EQ(map[Z][11][10].terrain, c.opens ? TERRAIN_OPEN_DOOR : TERRAIN_CLOSED_DOOR);
    EXPECT_TRUE(stands(c.player, 1, Z, c.opens ? 11 : 10, 10));
    EXPECT_EQ(unit[c.player][1].moves, c.opens ? 100 - 15 - 10 : 100);
  }
}

TEST_F(MovementTest, CreaturesRefusePitsAndFiresThePartyMayEnter) {
  put_unit(1, 1, Z, 30, 30, NORTH);
  put_unit(2, 1, Z, 10, 10, EAST, 100);
  for (int hazard : {SCENERY_PIT, SCENERY_FIRE}) {
    map[Z][11][10].scenery = hazard;
    forward(2, 1);
    EXPECT_EQ(BOUNCED, 1);
    EXPECT_EQ(unit[2][1].x, 10);
  }

  put_unit(1, 2, Z, 10, 20, EAST, 100);
  map[Z][11][20].scenery = SCENERY_PIT;
  forward(1, 2);
  EXPECT_EQ(unit[1][2].x, 11);
}

TEST_F(MovementTest, TurningWrapsCostsThreeAndBurnsInFire) {
  put_unit(1, 1, Z, 10, 10, NORTH, 10);
  turnleft(1, 1);
  EXPECT_EQ(unit[1][1].facing, NORTHWEST);
  turnright(1, 1);
  turnright(1, 1);
  EXPECT_EQ(unit[1][1].facing, NORTHEAST);
  EXPECT_EQ(unit[1][1].moves, 1);
  EXPECT_EQ(unit[1][1].health, 20);

  map[Z][10][10].scenery = SCENERY_FIRE;
  for (int i = 0; i < 8; i++) {
    int before = unit[1][1].health;
    turnright(1, 1);
    EXPECT_LE(unit[1][1].health, before);
    EXPECT_GE(unit[1][1].health, before - 9);
  }
  EXPECT_LT(unit[1][1].health, 20);
  EXPECT_TRUE(headless_said("OUCH! You get burnt!"));
}

// Turning to face a square takes the shorter way, five points an eighth, a
// half turn anticlockwise from the smaller code; out of points it stops.
TEST_F(MovementTest, TurningToASquareTakesTheShorterWay) {
  struct turn_case {
    int facing, moves, dx, dy, want_facing, want_moves;
  };
  const turn_case cases[] = {
      {NORTH, 100, 0, 1, SOUTH, 80},     {SOUTH, 100, 1, 1, SOUTHEAST, 95},
      {NORTH, 100, 0, 0, NORTH, 100},     // its own square: nothing
      {SOUTHEAST, 100, 4, 0, NORTH, 85},  // not adjacent: towards north
      {NORTH, 1, 0, 1, NORTHWEST, -4},   {SOUTH, 1, 0, -1, SOUTHWEST, -4},
      {EAST, 0, -1, 0, EAST, 0},  // no points: no turn
  };
  for (const turn_case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.facing << " to " << c.dx << "," << c.dy);
    fresh_world();
    put_unit(1, 1, Z, 10, 10, c.facing, c.moves);
    turn_to_square(1, 1, 10 + c.dx, 10 + c.dy);
    EXPECT_EQ(unit[1][1].facing, c.want_facing);
    EXPECT_EQ(unit[1][1].moves, c.want_moves);
    EXPECT_EQ(headless.drawmap_calls, (c.moves - c.want_moves + 4) / 5);
  }
}

TEST_F(MovementTest, TurnToMakesOneEighthWhateverThePoints) {
  put_unit(1, 1, Z, 10, 10, EAST, 0);
  turn_to(1, 1, WEST);
  EXPECT_EQ(unit[1][1].facing, NORTHEAST);
  EXPECT_EQ(unit[1][1].moves, -5);
  turn_to(1, 1, NORTHEAST);
  EXPECT_EQ(unit[1][1].moves, -5);
  EXPECT_EQ(headless.drawmap_calls, 0);
}

TEST_F(MovementTest, ExtraFacingAnswersLavaBeforeUnitsBeforeScenery) {
  put_unit(1, 1, Z, 10, 10, EAST);
  map[Z][11][10].scenery = SCENERY_WEB;
  EXPECT_EQ(extra_facing(NORTH, 1, 1), SCENERY_WEB);  // looks where the unit faces
  put_unit(2, 1, Z, 11, 10, WEST);
  EXPECT_EQ(extra_facing(EAST, 1, 1), AHEAD_UNIT);
  environment[Z][11][10].lava = 1;
  EXPECT_EQ(extra_facing(EAST, 1, 1), AHEAD_LAVA);
  unit[1][1].facing = 9;
  EXPECT_EQ(extra_facing(EAST, 1, 1), 0);
}

// Only facing south-east is a barrel told apart from the container marker.
TEST_F(MovementTest, ExtraFacingNamesTheBarrelOnlyToTheSouthEast) {
  put_unit(1, 1, Z, 10, 10, SOUTHEAST);
  put_container(1, Z, 11, 11, CONTAINER_BARREL, CONTAINER_POWDER, "barrel");
  put_container(2, Z, 11, 10, CONTAINER_BARREL, CONTAINER_POWDER, "barrel");
  EXPECT_EQ(extra_facing(SOUTHEAST, 1, 1), CONTAINER_BARREL);
  unit[1][1].facing = EAST;
  EXPECT_EQ(extra_facing(EAST, 1, 1), SCENERY_CONTAINER);
  unit[1][1].facing = SOUTHEAST;
  container[1].type = CONTAINER_SMALL_CHEST;
  EXPECT_EQ(extra_facing(SOUTHEAST, 1, 1), SCENERY_CONTAINER);
}

TEST_F(MovementTest, LineAheadIsBlockedByWallsLaddersAndUnits) {
  put_unit(1, 1, Z, 10, 10, NORTH);
  EXPECT_EQ(is_infront_passable(4, 1, 1), 1);
  map[Z][10][7].scenery = SCENERY_LADDER_UP;
  EXPECT_EQ(is_infront_passable(2, 1, 1), 1);
  EXPECT_EQ(is_infront_passable(3, 1, 1), FAIL);
  map[Z][10][7].scenery = 0;
  put_terrain(Z, 10, 8, TERRAIN_WINDOW);
  EXPECT_EQ(is_infront_passable(3, 1, 1), FAIL);
  put_terrain(Z, 10, 8, TERRAIN_OPEN_DOOR, 1);
  put_unit(2, 3, Z, 10, 9, SOUTH);
  EXPECT_EQ(is_infront_passable(1, 1, 1), FAIL);
  put_unit(1, 2, Z, 48, 10, EAST);
  EXPECT_EQ(is_infront_passable(2, 1, 2), 1);
  container_record& chest = container[4];  // only a bulky container in use blocks
  chest.x = 49, chest.y = 10, chest.z = Z;
  chest.state = CONTAINER_CLOSED;
  chest.size = 11;
  EXPECT_EQ(is_infront_passable(2, 1, 2), FAIL);
  chest.size = 10;
  EXPECT_EQ(is_infront_passable(2, 1, 2), 1);
  EXPECT_EQ(is_infront_passable(3, 1, 2), FAIL);  // runs off the level
}

}  // namespace
