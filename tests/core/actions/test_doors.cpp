#include <gtest/gtest.h>

#include <tuple>

#include "core/actions/doors.h"
#include "core/actions/scenery.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 2;

using DoorsTest = FreshWorldTest;

TEST_F(DoorsTest, OpeningAndClosingByHandCostFifteenAndThirtyFive) {
  unit_record& me = put_unit(1, 1, Z, 10, 10, NORTH, 100);
  put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
  open_door(NORTH, 1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_EQ(map[Z][10][9].passable, 1);
  EXPECT_EQ(me.moves, 85);

  close_door(NORTH, 1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(map[Z][10][9].passable, 0);
  EXPECT_EQ(me.moves, 50);
}

TEST_F(DoorsTest, ClickTurnsToTheDoorThenOpensAndClosesIt) {
  unit_record& me = put_unit(1, 1, Z, 10, 10, NORTH, 100);
  put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
  interact_scenery(11, 10, Z);
  EXPECT_EQ(me.facing, EAST);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_EQ(map[Z][11][10].passable, 1);
  EXPECT_EQ(me.moves, 100 - 10 - 25);
  EXPECT_EQ(map[Z][11][10].revealed, 1);  // sight was updated

  interact_scenery(11, 10, Z);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(map[Z][11][10].passable, 0);
  EXPECT_EQ(me.moves, 40);
}

TEST_F(DoorsTest, DoorwayWithSomethingInItWillNotClose) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  put_terrain(Z, 11, 10, TERRAIN_OPEN_DOOR, 1);
  map[Z][11][10].object_count = 1;
  interact_scenery(11, 10, Z);
  EXPECT_TRUE(headless_said("The door won't close, something is blocking it!"));
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_EQ(unit[1][1].moves, 100);

  map[Z][11][10].object_count = 0;
  put_unit(2, 4, Z, 11, 10, WEST);
  interact_scenery(11, 10, Z);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
}

TEST_F(DoorsTest, WebOrNestInTheDoorwayIsLeftToTheSceneryRules) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  put_terrain(Z, 11, 10, TERRAIN_OPEN_DOOR, 1);
  map[Z][11][10].scenery = SCENERY_WEB;
  EXPECT_EQ(interact_door(11, 10, Z), 0);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
  put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
  map[Z][11][10].scenery = SCENERY_NEST;
  EXPECT_EQ(interact_door(11, 10, Z), 1);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(unit[1][1].moves, 100);
  EXPECT_EQ(interact_door(12, 12, Z), 0);  // no door at all
}

TEST_F(DoorsTest, NoPointsLeftAfterTurningMeansNoDoorWork) {
  put_unit(1, 1, Z, 10, 10, WEST, 5);
  put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
  interact_scenery(11, 10, Z);
  EXPECT_EQ(unit[1][1].facing, NORTHWEST);  // one eighth clockwise, then out of points
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_CLOSED_DOOR);
}

TEST_F(DoorsTest, CellDoorWantsAKeyWhichIsUsedUp) {
  unit_record& me = put_unit(1, 1, Z, 10, 10, NORTH, 100);
  put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
  map[Z][10][9].scenery = SCENERY_CELL_DOOR;
  interact_scenery(10, 9, Z);
  EXPECT_TRUE(headless_said("The door is locked!"));
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(me.moves, 100);

  object_record& key = give_item(4, 1, 1, ITEM_KEY, OBJECT_CARRIED);
  interact_scenery(10, 9, Z);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_EQ(map[Z][10][9].scenery, 0);
  EXPECT_EQ(map[Z][10][9].passable, 1);
  EXPECT_EQ(std::tuple(key.status, key.owner_player, key.owner_unit), std::tuple(0, 0, 0));
  EXPECT_EQ(me.moves, 75);
}

TEST_F(DoorsTest, BareHandsDoNothingAndCostNothing) {
  put_unit(1, 1, Z, 10, 10, NORTH, 100);
  put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
  bash_door(Z, 10, 9, 1, 1);
  EXPECT_TRUE(headless_said("Your kicks and punches are ineffectual!"));
  EXPECT_EQ(unit[1][1].moves, 100);
}

// Strength 10, a weapon of var1 5, moves 100 of 100: tier 3, so the blow is
// 10 x (5 + r) x 3 with r in 0..4.
TEST_F(DoorsTest, MightyBlowAlwaysBreaksADoorAndACellDoorOnlyWhenLucky) {
  for (unsigned seed = 1; seed <= 30; seed++) {
    fresh_world(seed);
    int r = draws_for(seed, 1)[0] % 5;
    put_unit(1, 1, Z, 10, 10, NORTH, 100);
    give_item(2, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).var1 = 5;
    put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
    map[Z][10][9].scenery = SCENERY_CELL_DOOR;
    bash_door(Z, 10, 9, 1, 1);
    EXPECT_EQ(map[Z][10][9].terrain == TERRAIN_SMASHED_DOOR, r >= 3) << seed;
    // Broken, the cell door loses its lock; whole, it keeps it.
    EXPECT_EQ(map[Z][10][9].scenery, r >= 3 ? 0 : SCENERY_CELL_DOOR) << seed;
    EXPECT_EQ(unit[1][1].moves, 40);

    map[Z][10][9] = map_cell{};
    put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
    unit[1][1].moves = 100;
    bash_door(Z, 10, 9, 1, 1);
    EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_SMASHED_DOOR);
    EXPECT_EQ(map[Z][10][9].passable, 1);
  }
}

// A weapon of var1 1 has no luck in it (r is always 0) and one worn to 0
// draws none: the force is strength x tier, the tier set by the points left.
TEST_F(DoorsTest, TiredBlowsAreWeakerAndTheThresholdsAreExact) {
  struct blow {
    int moves, strength;
    bool cell, breaks;
    const char* text;
    int var1 = 1;
  };
  const blow cases[] = {
      {50, 100, false, false, "You strike the door with item2"},  // (100 / 10) x 5: tier 1
      {51, 50, false, false, "You strike the door with a heavy blow from item2"},  // 100
      {51, 51, false, true, nullptr},                                              // 102
      {90, 76, true, false, nullptr},  // tier 2 at (100 / 10) x 9
      {91, 77, true, true, "You strike the door with a mighy blow from item2"},  // 231
      {91, 76, true, false, nullptr},                                            // 228
      {100, 10, false, false, nullptr, 0},
  };
  for (const blow& c : cases) {
    SCOPED_TRACE(c.moves * 1000 + c.strength);
    fresh_world();
    unit_record& me = put_unit(1, 1, Z, 10, 10, NORTH, 100);
    me.moves = c.moves;
    me.strength = c.strength;
    give_item(2, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).var1 = c.var1;
    put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
    if (c.cell) map[Z][10][9].scenery = SCENERY_CELL_DOOR;
    int next = draws_for(5, 1)[0];
    bash_door(Z, 10, 9, 1, 1);
    EXPECT_EQ(std::rand() == next, c.var1 == 0);  // whether a roll was drawn
    EXPECT_TRUE(!c.text || headless_said(c.text));
    EXPECT_EQ(headless_said("The door resists your attack."), !c.breaks);
    EXPECT_EQ(map[Z][10][9].terrain == TERRAIN_SMASHED_DOOR, c.breaks);
    EXPECT_EQ(me.moves, c.moves - 60);  // a blow that fails still costs
  }
}

// As a game saved while broken cell doors kept their lock has it.
TEST_F(DoorsTest, DoorSmashedWithItsOldLockMarkIsStillOpenGround) {
  put_unit(1, 1, Z, 10, 10, NORTH, 100);
  put_terrain(Z, 10, 9, TERRAIN_SMASHED_DOOR, 1);
  map[Z][10][9].scenery = SCENERY_CELL_DOOR;
  give_item(4, 1, 1, ITEM_KEY, OBJECT_CARRIED);
  interact_scenery(10, 9, Z);
  EXPECT_TRUE(headless.messages.empty());
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_SMASHED_DOOR);
  EXPECT_EQ(map[Z][10][9].passable, 1);
  EXPECT_EQ(object[4].status, OBJECT_CARRIED);  // the key is not used up
  EXPECT_EQ(unit[1][1].moves, 100);
}

TEST_F(DoorsTest, CryptOpensForThirtyFivePoints) {
  put_unit(1, 1, Z, 10, 10, SOUTH, 100);
  map[Z][10][9].scenery = SCENERY_CRYPT;
  open_scenery(10, 9, Z, SCENERY_CRYPT);
  EXPECT_EQ(unit[1][1].facing, NORTH);
  EXPECT_EQ(map[Z][10][9].scenery, SCENERY_OPEN_CRYPT);
  EXPECT_EQ(map[Z][10][9].passable, 0);
  EXPECT_EQ(unit[1][1].moves, 100 - 20 - 35);

  put_unit(1, 2, Z, 20, 10, SOUTH, 20);  // turning eats every point
  CURRENT_UNIT = 2;
  map[Z][20][9].scenery = SCENERY_CRYPT;
  open_scenery(20, 9, Z, SCENERY_CRYPT);
  EXPECT_EQ(map[Z][20][9].scenery, SCENERY_CRYPT);
  EXPECT_EQ(unit[1][2].moves, 0);

  put_unit(1, 3, Z, 30, 10, NORTH, 1);  // one point left is still enough
  CURRENT_UNIT = 3;
  map[Z][30][9].scenery = SCENERY_CRYPT;
  open_scenery(30, 9, Z, SCENERY_CRYPT);
  EXPECT_EQ(map[Z][30][9].scenery, SCENERY_OPEN_CRYPT);
}

TEST_F(DoorsTest, ChestMarkerWithoutAContainerStaysShut) {
  put_unit(1, 1, Z, 10, 10, NORTH, 100);
  map[Z][10][9].scenery = SCENERY_CONTAINER;
  open_scenery(10, 9, Z, SCENERY_CONTAINER);
  EXPECT_EQ(unit[1][1].moves, 100);
  EXPECT_EQ(container[0].state, 0);
}

TEST_F(DoorsTest, LockedChestTriedTwiceShowsItsPadlockAndCostsNothing) {
  put_unit(1, 1, Z, 10, 10, NORTH, 100);
  container_record& chest =
      put_container(3, Z, 10, 9, CONTAINER_SMALL_CHEST, CONTAINER_CLOSED, "small chest");
  chest.locked = LOCK_UNKNOWN;
  for (int i = 0; i < 2; i++) {
    open_scenery(10, 9, Z, SCENERY_CONTAINER);
    EXPECT_TRUE(headless_said("The small chest is locked."));
    EXPECT_EQ(chest.locked, LOCK_KNOWN);
    EXPECT_EQ(chest.state, CONTAINER_CLOSED);
    EXPECT_EQ(unit[1][1].moves, 100);
  }
  EXPECT_EQ(chest.facing, SOUTH);  // the lid faces the unit

  chest.locked = LOCK_NONE;
  open_scenery(10, 9, Z, SCENERY_CONTAINER);
  EXPECT_EQ(chest.state, CONTAINER_OPEN);
  EXPECT_EQ(unit[1][1].moves, 65);
}

}  // namespace
