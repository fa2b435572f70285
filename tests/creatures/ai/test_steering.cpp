#include <gtest/gtest.h>

#include "creatures/ai/steering.h"
#include "items/inventory.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 2;

class SteeringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    put_unit(1, 1, Z, 40, 40, NORTH);  // the party's acting unit, out of the way
  }

  // A creature of player 2 heading for (wx, wy) through waypoint 8.
  static unit_record& creature(int u, int x, int y, int facing, int wx, int wy) {
    unit_record& c = put_unit(2, u, Z, x, y, facing);
    c.level = 2;
    c.health = 40;
    c.order = ORDER_ATTACK;
    c.waypoint_index = WAYPOINT_POSITION;
    c.waypoint_x[WAYPOINT_POSITION] = wx;
    c.waypoint_y[WAYPOINT_POSITION] = wy;
    return c;
  }
};

object_record& lay_item(int k, int type, int z, int x, int y) {
  object_record& o = object[k];
  o = object_record{};
  o.type = type;
  o.status = OBJECT_ON_GROUND;
  o.x = x, o.y = y, o.z = z;
  o.var1 = 20;
  map[z][x][y].object_count++;
  return o;
}

void wall(int x, int y) { put_terrain(Z, x, y, TERRAIN_ROCK); }

// Needs before the step

TEST_F(SteeringTest, WoundedCreatureEatsHerbsFirstEvenBesideAnEnemy) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);  // 13 x level 2 = 26
  c.health = 25;
  c.status = UNIT_POISONED;
  map[Z][10][10].scenery = SCENERY_HERBS;
  put_unit(1, 2, Z, 11, 10, WEST);
  AIunitmove(2, 1);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_NONE);
  EXPECT_EQ(c.health, 25 + 40 * 2);
  EXPECT_EQ(c.status, UNIT_NORMAL);
  EXPECT_EQ(c.moves, 100 - 30);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(BOUNCED, 0);
}

TEST_F(SteeringTest, MushroomsAndPoolsHealByTheirRollsAndOnlyThePoolStays) {
  for (unsigned seed = 1; seed <= 20; seed++) {
    fresh_world(seed);
    unit_record& c = creature(1, 10, 10, EAST, 15, 10);
    c.health = 3;
    map[Z][10][10].scenery = SCENERY_MUSHROOMS;
    AIunitmove(2, 1);
    EXPECT_GE(c.health, 3 + 5);
    EXPECT_LE(c.health, 3 + 7);
    EXPECT_EQ(map[Z][10][10].scenery, SCENERY_NONE);
    EXPECT_EQ(c.moves, 70);

    c.health = 3;
    map[Z][10][10].scenery = SCENERY_POOL;
    AIunitmove(2, 1);
    EXPECT_GE(c.health, 3 + 1);
    EXPECT_LE(c.health, 3 + 6);
    EXPECT_EQ(map[Z][10][10].scenery, SCENERY_POOL);
    EXPECT_EQ(c.moves, 40);
  }
}

TEST_F(SteeringTest, AUnitNotWoundedWalksOverHerbs) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  c.health = 26;  // exactly 13 x level is not wounded
  map[Z][10][10].scenery = SCENERY_HERBS;
  AIunitmove(2, 1);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_HERBS);
  EXPECT_EQ(c.x, 11);
  EXPECT_EQ(c.health, 26);
}

TEST_F(SteeringTest, ScavengersEatCorpsesOthersDoNot) {
  unit_record& rat = creature(1, 10, 10, EAST, 15, 10);
  rat.race = 3;
  lay_item(5, ITEM_CORPSE, Z, 10, 10);
  AIunitmove(2, 1);
  EXPECT_EQ(object[5].status, OBJECT_FREE);
  EXPECT_EQ(map[Z][10][10].object_count, 0);
  EXPECT_GE(rat.health, 40 + 5);
  EXPECT_LE(rat.health, 40 + 14);
  EXPECT_EQ(rat.moves, 0);
  EXPECT_EQ(rat.x, 10);

  unit_record& orc = creature(2, 20, 20, EAST, 25, 20);
  orc.race = 1;
  lay_item(6, ITEM_CORPSE, Z, 20, 20);
  AIunitmove(2, 2);
  EXPECT_EQ(object[6].status, OBJECT_ON_GROUND);
  EXPECT_EQ(orc.x, 21);
}

TEST_F(SteeringTest, APartyUnitEatsWhenWoundedButNeverScavengesOrClimbs) {
  unit_record& me = put_unit(1, 3, Z, 10, 10, EAST);
  me.level = 1;
  me.health = 5;
  me.waypoint_index = 1;
  me.waypoint_x[1] = 15, me.waypoint_y[1] = 10;
  map[Z][10][10].scenery = SCENERY_HERBS;
  AIunitmove(1, 3);
  EXPECT_EQ(me.health, 45);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_NONE);

  // A goblin of the party on a corpse, on a ladder down towards the acting unit.
  fresh_world();
  put_unit(1, 1, 0, 40, 40, NORTH);
  map[Z][10][10].scenery = SCENERY_LADDER_DOWN;
  lay_item(5, ITEM_CORPSE, Z, 10, 10);
  lay_item(6, ITEM_WEAPON, Z, 10, 10);
  unit_record& gob = put_unit(1, 3, Z, 10, 10, EAST);
  gob.race = 2;
  gob.intelligence = 30;
  gob.order = ORDER_ATTACK;
  gob.waypoint_index = 1;
  gob.waypoint_x[1] = 15, gob.waypoint_y[1] = 10;
  AIunitmove(1, 3);
  EXPECT_EQ(gob.z, Z);
  EXPECT_EQ(gob.x, 11);  // it walked on
  EXPECT_EQ(object[5].status, OBJECT_ON_GROUND);
  EXPECT_EQ(object[6].status, OBJECT_ON_GROUND);
}

TEST_F(SteeringTest, AWoundedCleverCreatureEatsTheFoodUnderIt) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  c.health = 5;
  c.intelligence = 30;
  lay_item(7, ITEM_FOOD, Z, 10, 10).var1 = 12;
  AIunitmove(2, 1);
  EXPECT_EQ(object[7].status, OBJECT_FREE);
  EXPECT_EQ(map[Z][10][10].object_count, 0);
  EXPECT_GT(c.health, 5);
  EXPECT_EQ(c.x, 10);

  // A dull one cannot use food and walks on.
  unit_record& d = creature(2, 20, 20, EAST, 25, 20);
  d.health = 5;
  d.intelligence = 15;
  lay_item(8, ITEM_FOOD, Z, 20, 20);
  AIunitmove(2, 2);
  EXPECT_EQ(object[8].status, OBJECT_ON_GROUND);
  EXPECT_EQ(d.x, 21);
}

TEST_F(SteeringTest, ACleverCreatureTakesUpAWeaponHalfTheTimeAndWieldsIt) {
  int taken = 0, passed = 0;
  for (unsigned seed = 1; seed <= 16; seed++) {
    fresh_world(seed);
    put_unit(1, 1, Z, 40, 40, NORTH);
    unit_record& c = creature(1, 10, 10, EAST, 15, 10);
    c.intelligence = 25;
    object_record& w = lay_item(9, ITEM_WEAPON, Z, 10, 10);
    w.var1 = 4;
    w.weight = 2;
    lay_item(10, ITEM_CORPSE, Z, 10, 10);
    AIunitmove(2, 1);
    if (c.x == 10) {
      taken++;
      EXPECT_EQ(w.owner_player, 2);
      EXPECT_EQ(w.owner_unit, 1);
      EXPECT_EQ(carry_weapon(2, 1), 9);
      EXPECT_EQ(object[10].status, OBJECT_ON_GROUND);  // a corpse is never taken
    } else {
      passed++;
      EXPECT_EQ(w.status, OBJECT_ON_GROUND);
    }
  }
  EXPECT_GT(taken, 2);
  EXPECT_GT(passed, 2);
}

TEST_F(SteeringTest, CreaturesOnALadderFollowThePartyUpOrDown) {
  // The party below: down the ladder to the same square one level lower.
  unit_record& c = creature(2, 10, 10, EAST, 15, 10);
  map[Z][10][10].scenery = SCENERY_LADDER_DOWN;
  move_unit(1, 1, 0, 40, 40);
  AIunitmove(2, 2);
  EXPECT_EQ(c.z, Z - 1);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.moves, 0);
  EXPECT_EQ(map[Z][10][10].occupant_player, 0);
  EXPECT_EQ(map[Z - 1][10][10].occupant_player, 2);
  EXPECT_EQ(map[Z - 1][10][10].occupant_unit, 2);

  // Up a ladder when the party is above; not down when it is above.
  unit_record& d = creature(3, 20, 20, EAST, 25, 20);
  map[Z][20][20].scenery = SCENERY_LADDER_UP;
  move_unit(1, 1, Z + 3, 40, 40);
  AIunitmove(2, 3);
  EXPECT_EQ(d.z, Z + 1);
  EXPECT_EQ(map[Z + 1][20][20].occupant_unit, 3);

  unit_record& e = creature(4, 30, 30, EAST, 35, 30);
  map[Z][30][30].scenery = SCENERY_LADDER_DOWN;
  AIunitmove(2, 4);
  EXPECT_EQ(e.z, Z);
  EXPECT_EQ(e.x, 31);
}

TEST_F(SteeringTest, ALadderWhoseFarEndIsTakenIsNotClimbed) {
  unit_record& c = creature(2, 10, 10, EAST, 15, 10);
  map[Z][10][10].scenery = SCENERY_LADDER_DOWN;
  move_unit(1, 1, 0, 40, 40);
  put_unit(2, 3, Z - 1, 10, 10, NORTH);
  AIunitmove(2, 2);
  EXPECT_EQ(c.z, Z);
  EXPECT_EQ(map[Z - 1][10][10].occupant_unit, 3);
}

// The step towards the waypoint

TEST_F(SteeringTest, AUnitOnItsWaypointStaysAndOneFacingElsewhereOnlyTurns) {
  unit_record& c = creature(1, 10, 10, WEST, 10, 10);
  AIunitmove(2, 1);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.facing, WEST);
  EXPECT_EQ(c.moves, 100);

  c.waypoint_x[WAYPOINT_POSITION] = 14, c.waypoint_y[WAYPOINT_POSITION] = 6;
  AIunitmove(2, 1);
  EXPECT_EQ(c.facing, NORTHEAST);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.moves, 100);
  AIunitmove(2, 1);
  EXPECT_EQ(c.x, 11);
  EXPECT_EQ(c.y, 9);
  EXPECT_EQ(c.moves, 90);
}

TEST_F(SteeringTest, EachQuarterHeadsTheWayOfItsRow) {
  const int wanted[3][3] = {
      {NORTHWEST, WEST, SOUTHWEST}, {NORTH, -1, SOUTH}, {NORTHEAST, EAST, SOUTHEAST}};
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      fresh_world();
      put_unit(1, 1, Z, 45, 45, NORTH);
      unit_record& c = creature(1, 20, 20, wanted[dx + 1][dy + 1], 20 + 5 * dx, 20 + 3 * dy);
      AIunitmove(2, 1);
      EXPECT_EQ(c.x, 20 + dx) << dx << "," << dy;
      EXPECT_EQ(c.y, 20 + dy) << dx << "," << dy;
    }
}

TEST_F(SteeringTest, ABlockedStepSlidesRoundAndStillFacesTheWayWanted) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  wall(11, 10);
  AIunitmove(2, 1);
  EXPECT_EQ(c.x, 11);
  EXPECT_EQ(c.y, 9);  // the first try, north-east
  EXPECT_EQ(c.facing, EAST);
  EXPECT_EQ(BOUNCED, 0);
}

TEST_F(SteeringTest, ACreatureOpensAClosedDoorOnItsWay) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  c.intelligence = 20;
  put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
  AIunitmove(2, 1);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_EQ(c.x, 11);
  EXPECT_EQ(c.y, 10);
}

TEST_F(SteeringTest, ACorneredCreatureTriesFiveWaysThenTurnsItsBackAndFights) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  c.order = ORDER_FLEE;
  for (int d : {EAST, NORTHEAST, SOUTHEAST, NORTH, SOUTH})
    wall(10 + DIRECTION_DX[d], 10 + DIRECTION_DY[d]);
  AIunitmove(2, 1);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.y, 10);
  EXPECT_EQ(c.facing, WEST);
  EXPECT_EQ(c.moves, 100 - 25);
  EXPECT_EQ(c.order, ORDER_ATTACK);
  EXPECT_EQ(BOUNCED, 1);
}

TEST_F(SteeringTest, ACreatureTakesAFurtherTryWhenTheFirstTwoFail) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  for (int d : {EAST, NORTHEAST, SOUTHEAST}) wall(10 + DIRECTION_DX[d], 10 + DIRECTION_DY[d]);
  AIunitmove(2, 1);
  EXPECT_EQ(c.x, 10);
  EXPECT_EQ(c.y, 9);  // north
  EXPECT_EQ(c.facing, EAST);
  EXPECT_EQ(c.moves, 90);
}

TEST_F(SteeringTest, APartyUnitBlockedAheadAndBesideKeepsItsFacingAndItsMoves) {
  unit_record& me = put_unit(1, 3, Z, 10, 10, EAST);
  me.waypoint_index = 1;
  me.waypoint_x[1] = 15, me.waypoint_y[1] = 10;
  for (int d : {EAST, NORTHEAST, SOUTHEAST}) wall(10 + DIRECTION_DX[d], 10 + DIRECTION_DY[d]);
  AIunitmove(1, 3);
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.y, 10);  // north stays open, but a party unit does not go there
  EXPECT_EQ(me.facing, EAST);
  EXPECT_EQ(me.moves, 100);
  EXPECT_EQ(BOUNCED, 1);
}

TEST_F(SteeringTest, APartyUnitAtALockedCellDoorIsTold) {
  unit_record& me = put_unit(1, 3, Z, 10, 10, EAST);
  me.waypoint_index = 1;
  me.waypoint_x[1] = 15, me.waypoint_y[1] = 10;
  put_terrain(Z, 11, 10, TERRAIN_STONE_FLOOR, 0);
  map[Z][11][10].scenery = SCENERY_CELL_DOOR;
  wall(11, 9);
  wall(11, 11);
  AIunitmove(1, 3);
  EXPECT_TRUE(headless_said("This DOOR is LOCKED!"));
  EXPECT_EQ(me.x, 10);
}

}  // namespace
