// The world checker on a small sound world, then on that world broken by hand
// in one way at a time: each break must be found and named.
#include <gtest/gtest.h>

#include <string>

#include "core/check.h"
#include "core/movecost.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 4;

// Two units, a chest holding a gem, a sword in the leader's hand, a coin on
// the floor, and a ladder up from level Z to Z + 1.
class Check : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    // Clearing the world leaves the slots past UNIT_MAX alone.
    for (auto& player : unit)
      for (int u = UNIT_MAX + 1; u < UNIT_SLOTS; u++) player[u] = unit_record{};
    for (int x = 0; x < LAND_SIZE; x++) put_terrain(Z, x, 0, TERRAIN_ROCK);
    put_terrain(Z, 20, 20, TERRAIN_CLOSED_DOOR);
    put_unit(1, 1, Z, 10, 10, NORTH);
    put_unit(2, 7, Z, 12, 10, SOUTH);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_WIELDED);

    object_record& coin = object[2];
    coin.status = OBJECT_ON_GROUND;
    coin.type = ITEM_GOLD;
    coin.x = 15, coin.y = 15, coin.z = Z;
    map[Z][15][15].object_count = 1;

    container_record& chest = container[3];
    chest.x = 5, chest.y = 5, chest.z = Z;
    chest.state = CONTAINER_CLOSED;
    chest.type = CONTAINER_SMALL_CHEST;
    copy_text(chest.name, "small chest");
    map[Z][5][5].scenery = SCENERY_CONTAINER;
    object_record& gem = object[4];
    gem.status = OBJECT_CARRIED;
    gem.type = ITEM_GEM;
    gem.owner_player = OWNER_CONTAINER;
    gem.owner_unit = 3;

    map[Z][30][30].scenery = SCENERY_LADDER_UP;
    map[Z + 1][30][30].scenery = SCENERY_LADDER_DOWN;
    for (int z = 0; z < LEVELS; z++) map_movecost(z);
  }

  static void expect_break(world_break kind, const char* words) {
    world_fault f = find_world_fault(CHECK_AFTER_END_OF_TURN);
    EXPECT_EQ(world_break_name(f.kind), std::string(world_break_name(kind))) << f.text;
    EXPECT_NE(f.text.find(words), std::string::npos) << f.text;
    EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), f.text);
  }

  void TearDown() override { SetUp(); }
};

TEST_F(Check, ASoundWorldHasNothingToSay) {
  EXPECT_EQ(check_world(), "");
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
  // A unit that climbed out stands nowhere and may keep its things.
  unit[1][1].status = UNIT_GONE;
  remove_unit(1, 1);
  map_movecost(Z);
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
}

TEST_F(Check, UnitsOffTheGridOrInUnusedSlots) {
  unit[2][7].x = 51;
  expect_break(BREAK_UNIT_OFF_GRID, "off the grid");
  SetUp();
  unit[3][UNIT_MAX + 1].status = UNIT_NORMAL;
  expect_break(BREAK_UNIT_SLOT, "no unit may use");
  SetUp();
  unit[0][4].status = UNIT_POISONED;
  expect_break(BREAK_UNIT_SLOT, "0/4");
}

TEST_F(Check, AUnitWhoseSquareDoesNotNameIt) {
  clear_occupant(Z, 12, 10);
  expect_break(BREAK_UNIT_NOT_NAMED, "names 0/0");
}

TEST_F(Check, TwoUnitsOnOneSquare) {
  put_unit(2, 8, Z, 12, 10, NORTH);
  expect_break(BREAK_UNITS_SHARE, "share (12, 10)");
}

TEST_F(Check, SquaresThatNameTheWrongUnit) {
  place_unit(2, 9, Z, 40, 40);  // a free slot
  expect_break(BREAK_SQUARE_NAMES, "stands nowhere");
  SetUp();
  // Placed twice without leaving the first square.
  place_unit(2, 7, Z, 41, 41);
  place_unit(2, 7, Z, 12, 10);
  expect_break(BREAK_SQUARE_NAMES, "(41, 41)");
}

TEST_F(Check, UnitsInsideWhatCannotBeEntered) {
  put_terrain(Z, 12, 10, TERRAIN_ROCK);
  expect_break(BREAK_UNIT_IN_WALL, "in rock");
  put_terrain(Z, 12, 10, TERRAIN_CLOSED_DOOR);
  expect_break(BREAK_UNIT_IN_WALL, "closed door");
  put_terrain(Z, 12, 10, TERRAIN_PILLAR);
  expect_break(BREAK_UNIT_IN_WALL, "pillar");
  // A secret passage is a wall a unit may stand in.
  put_terrain(Z, 12, 10, TERRAIN_BUILT_WALL);
  map[Z][12][10].scenery = SCENERY_SECRET_FOUND;
  map_movecost(Z);
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
}

TEST_F(Check, FacingAndMoves) {
  unit[1][1].facing = 8;
  expect_break(BREAK_UNIT_FACING, "faces 8");
  unit[1][1].facing = WEST;
  unit[1][1].moves = unit[1][1].movement + 1;
  expect_break(BREAK_UNIT_MOVES, "101 moves");
}

// Breaks that play left behind: each case spoils the sound world one way.
TEST_F(Check, WhatPlayMustNeverLeave) {
  struct spoil {
    void (*make)();
    world_break kind;
    const char* words;
  };
  const spoil cases[] = {
      {[] { unit[1][1].damage = 0; }, BREAK_UNIT_DAMAGE, "damage of 0"},
      {[] { unit[2][7].health = -11; }, BREAK_UNIT_HEALTH, "health -11"},
      {[] { unit[2][7].health = -11, unit[2][7].status = UNIT_UNCONSCIOUS; }, BREAK_UNIT_HEALTH,
       "status 33"},
      {[] { map[Z][5][5].terrain = TERRAIN_CLOSED_DOOR; }, BREAK_DOOR_ON_CHEST,
       "closed over container 3"},
      {[] { put_terrain(Z, 50, 17, TERRAIN_BUILT_WALL, 1); }, BREAK_WALL_PASSABLE,
       "(50, 17) on level 4"},
      {[] { map[Z][20][20].passable = 1; }, BREAK_WALL_PASSABLE, "closed door at (20, 20)"},
  };
  for (const spoil& c : cases) {
    SetUp();
    c.make();
    expect_break(c.kind, c.words);
  }
  // A secret door in rock may be stepped through.
  SetUp();
  put_terrain(Z, 40, 40, TERRAIN_ROCK, 2);
  map[Z][40][40].scenery = SCENERY_SECRET_HIDDEN;
  EXPECT_EQ(check_world(), "");
}

TEST_F(Check, ObjectsOffTheGridOrOnAClosedDoor) {
  object[2].y = -1;
  map[Z][15][15].object_count = 0;
  expect_break(BREAK_OBJECT_PLACE, "off the grid");
  object[2].x = 20, object[2].y = 20;
  map[Z][20][20].object_count = 1;
  expect_break(BREAK_OBJECT_PLACE, "closed door");
}

TEST_F(Check, ObjectCountsThatDisagree) {
  map[Z][15][15].object_count = 2;
  expect_break(BREAK_OBJECT_COUNT, "counts 2 objects but 1 lie there");
  map[Z][15][15].object_count = 1;
  map[Z][16][15].object_count = 1;
  expect_break(BREAK_OBJECT_COUNT, "(16, 15)");
}

TEST_F(Check, HeldObjectsNeedALivingOwner) {
  unit[1][1].status = UNIT_FREE;
  remove_unit(1, 1);
  expect_break(BREAK_OBJECT_OWNER, "a free slot");
  SetUp();
  object[1].owner_unit = UNIT_MAX + 1;
  expect_break(BREAK_OBJECT_OWNER, "out of range");
  SetUp();
  object[4].owner_unit = 4;  // a container slot nobody uses
  expect_break(BREAK_OBJECT_OWNER, "which is free");
  SetUp();
  object[0].status = OBJECT_CARRIED;
  expect_break(BREAK_OBJECT_OWNER, "slot 0");
}

TEST_F(Check, ContainerMarkersAndRecordsComeTogether) {
  map[Z][5][5].scenery = SCENERY_NONE;
  expect_break(BREAK_CONTAINER_MARKER, "has no marker");
  SetUp();
  map[Z][6][6].scenery = SCENERY_CONTAINER;
  map_movecost(Z);
  expect_break(BREAK_CONTAINER_MARKER, "(6, 6) on level 4 has no record");
  SetUp();
  container[8] = container[3];
  expect_break(BREAK_CONTAINER_MARKER, "2 containers");
  SetUp();
  container[3].facing = -1;
  expect_break(BREAK_CONTAINER_FACING, "faces -1");
  // A chest that rolled into a pit lies there unmarked.
  SetUp();
  container[3].state = CONTAINER_IN_PIT;
  map[Z][5][5].scenery = SCENERY_FILLED_PIT;
  map_movecost(Z);
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
}

TEST_F(Check, LaddersComeInPairs) {
  map[Z + 1][30][30].scenery = SCENERY_NONE;
  expect_break(BREAK_LADDER_PAIR, "no way down above it");
  // Climbing onto a square with no ladder leaves a trapdoor, which pairs.
  map[Z + 1][30][30].scenery = SCENERY_TRAPDOOR;
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
  map[Z][30][30].scenery = SCENERY_NONE;
  expect_break(BREAK_LADDER_PAIR, "no ladder up below it");
  SetUp();
  map[0][3][3].scenery = SCENERY_LADDER_DOWN;
  expect_break(BREAK_LADDER_PAIR, "(3, 3) on level 0");
  // The ladder up of the top level is the way out.
  SetUp();
  map[LEVELS - 1][3][3].scenery = SCENERY_LADDER_UP;
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
}

TEST_F(Check, PassableIsComparedOnlyAfterTheEndOfATurn) {
  map[Z][25][25].passable = 0;
  EXPECT_EQ(check_world(), "");
  expect_break(BREAK_PASSABLE, "passable 0 where the move cost gives 1");
  SetUp();
  map[Z][10][10].passable = 1;  // the leader's own square
  expect_break(BREAK_PASSABLE, "(10, 10)");
}

TEST_F(Check, TheCheckerWritesNothing) {
  map[Z][25][25].passable = 0;
  map[Z][26][26].scenery = SCENERY_FIRE;
  environment[Z][26][26].water = 1;
  static map_cell before[LAND_SIZE][LAND_SIZE];
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) before[x][y] = map[Z][x][y];
  find_world_fault(CHECK_AFTER_END_OF_TURN);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      EXPECT_EQ(map[Z][x][y].passable, before[x][y].passable);
      EXPECT_EQ(map[Z][x][y].scenery, before[x][y].scenery);
    }
}

}  // namespace
