#include <gtest/gtest.h>

#include <vector>

#include "creatures/ai/steering.h"
#include "items/inventory.h"
#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

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

// Needs before the step: what lies under a creature at (10, 10) heading
// east.  The wounded (under 13 x level 2 = 26) eat herbs, even beside an
// enemy, mushrooms and pools (which stay); scavengers eat corpses; clever
// creatures eat food.  Whoever does not eat walks on.
TEST_F(SteeringTest, WhatACreatureEatsWhereItStands) {
  const struct {
    const char* what;
    int scenery, item, race, intelligence, health, health_lo, health_hi, moves;
    bool eaten;
  } cases[] = {
      {"herbs", SCENERY_HERBS, 0, 0, 12, 25, 25 + 40 * 2, 25 + 40 * 2, 70, true},
      {"herbs, not wounded", SCENERY_HERBS, 0, 0, 12, 26, 26, 26, 90, false},
      {"mushrooms", SCENERY_MUSHROOMS, 0, 0, 12, 3, 3 + 5, 3 + 7, 70, true},
      {"pool", SCENERY_POOL, 0, 0, 12, 3, 3 + 1, 3 + 6, 70, true},
      {"corpse, rat", 0, ITEM_CORPSE, 3, 12, 40, 40 + 5, 40 + 14, 0, true},
      {"corpse, skeleton", 0, ITEM_CORPSE, 1, 12, 40, 40, 40, 90, false},
      {"food, clever", 0, ITEM_FOOD, 0, 30, 5, 5 + 12, 5 + 12, 50, true},
      {"food, dull", 0, ITEM_FOOD, 0, 15, 5, 5, 5, 90, false},
  };
  for (const auto& c : cases) {
    for (unsigned seed = 1; seed <= 20; seed++) {
      SCOPED_TRACE(testing::Message() << c.what << ", seed " << seed);
      fresh_world(seed);
      const int roll = draws_for(seed, 1)[0];  // a meal is the step's first draw
      unit_record& u = creature(1, 10, 10, EAST, 15, 10);
      u.race = c.race;
      u.intelligence = c.intelligence;
      u.health = c.health;
      u.status = c.scenery == SCENERY_HERBS ? UNIT_POISONED : UNIT_NORMAL;
      map[Z][10][10].scenery = c.scenery;
      if (c.item) lay_item(5, c.item, Z, 10, 10).var1 = 12;
      if (c.scenery == SCENERY_HERBS && c.eaten) put_unit(1, 2, Z, 11, 10, WEST);
      AIunitmove(2, 1);
      EXPECT_GE(u.health, c.health_lo);
      EXPECT_LE(u.health, c.health_hi);
      if (c.scenery == SCENERY_POOL) {
        EXPECT_EQ(u.health, c.health + roll % 6 + 1);
      }
      EXPECT_EQ(u.moves, c.moves);
      EXPECT_EQ(u.x, c.eaten ? 10 : 11);
      EXPECT_EQ(BOUNCED, 0);
      EXPECT_EQ(map[Z][10][10].scenery,
                c.eaten && c.scenery != SCENERY_POOL ? SCENERY_NONE : c.scenery);
      EXPECT_EQ(object[5].status, !c.item ? OBJECT_FREE : c.eaten ? OBJECT_FREE : OBJECT_ON_GROUND);
      EXPECT_EQ(map[Z][10][10].object_count, c.item && !c.eaten ? 1 : 0);
      EXPECT_EQ(u.status, c.scenery == SCENERY_HERBS && !c.eaten ? UNIT_POISONED : UNIT_NORMAL);
    }
  }
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

  // A clever goblin of the party on a corpse and a weapon, on a ladder down
  // towards the acting unit, walks on.
  map[Z][10][10].scenery = SCENERY_LADDER_DOWN;
  lay_item(5, ITEM_CORPSE, Z, 10, 10);
  lay_item(6, ITEM_WEAPON, Z, 10, 10);
  move_unit(1, 1, 0, 40, 40);
  me.race = 2;  // a goblin
  me.intelligence = 30;
  me.order = ORDER_ATTACK;
  AIunitmove(1, 3);
  EXPECT_EQ(me.z * 100 + me.x, Z * 100 + 11);
  EXPECT_EQ(object[5].status, OBJECT_ON_GROUND);
  EXPECT_EQ(object[6].status, OBJECT_ON_GROUND);
}

// A creature on a ladder follows the party down or up to the same square,
// but not the other way, nor onto a far end that is taken.
TEST_F(SteeringTest, CreaturesOnALadderFollowThePartyUpOrDown) {
  const struct {
    int ladder, party_z;
    bool far_end_taken;
    int z, x;
  } cases[] = {{SCENERY_LADDER_DOWN, 0, false, Z - 1, 10},
               {SCENERY_LADDER_UP, Z + 3, false, Z + 1, 10},
               {SCENERY_LADDER_DOWN, Z + 3, false, Z, 11},
               {SCENERY_LADDER_DOWN, 0, true, Z, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ladder << " " << c.party_z << " " << c.far_end_taken);
    SetUp();
    move_unit(1, 1, c.party_z, 40, 40);
    unit_record& u = creature(2, 10, 10, EAST, 15, 10);
    map[Z][10][10].scenery = c.ladder;
    if (c.far_end_taken)
      put_unit(2, 3, c.ladder == SCENERY_LADDER_DOWN ? Z - 1 : Z + 1, 10, 10, NORTH);
    AIunitmove(2, 2);
    EXPECT_EQ(u.z * 100 + u.x, c.z * 100 + c.x);
    EXPECT_EQ(map[u.z][u.x][10].occupant_unit, 2);
    EXPECT_EQ(map[Z][10][10].occupant_player, c.z == Z && c.x == 10 ? 2 : 0);
    EXPECT_EQ(map[Z - 1][10][10].occupant_unit, c.far_end_taken ? 3 : c.z == Z - 1 ? 2 : 0);
    EXPECT_EQ(u.moves == 0, c.z != Z);
  }
}

TEST_F(SteeringTest, ACreatureOpensAClosedDoorOnItsWay) {
  unit_record& c = creature(1, 10, 10, EAST, 15, 10);
  c.intelligence = 20;
  put_terrain(Z, 11, 10, TERRAIN_CLOSED_DOOR);
  AIunitmove(2, 1);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);  // and steps through
  EXPECT_EQ(c.x * 100 + c.y, 1110);
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
