#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/actions/traps.h"
#include "core/turn_order.h"
#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

namespace {

// The trap's draws: r for the damage, then the kind.
struct trap_draws {
  int r, kind;
};

// The first seed whose trap draws satisfy want; the generator is left seeded
// with it.
unsigned seed_for(const std::function<bool(trap_draws)>& want) {
  for (unsigned seed = 1; seed < 5000; seed++) {
    std::vector<int> v = draws_for(seed, 2);
    if (want({v[0] % 6, v[1] % 7})) return seed;
  }
  ADD_FAILURE() << "no seed gives those trap draws";
  return 1;
}

class TrapsTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }

  // The unit on a trap square of level z, facing east over open floor.
  unit_record& on_trap(int z, int health = 50) {
    unit_record& me = put_unit(1, 1, z, 10, 10, EAST, 100);
    me.health = health;
    map[z][10][10].scenery = SCENERY_HIDDEN_TRAP;
    return me;
  }

  // Seeds the generator for a trap of the given kind and damage roll r.
  void arm(int kind, int r = -1) {
    std::srand(seed_for([&](trap_draws d) { return d.kind == kind && (r < 0 || d.r == r); }));
  }
};

// Damage

TEST_F(TrapsTest, ShallowTrapsDoOnePointDeepOnesScaleWithDepthAndDifficulty) {
  for (int r = 0; r < 6; r++) {
    fresh_world();
    unit_record& me = on_trap(1);
    arm(4, r);  // the roof: full damage, nothing halved
    trap(1, 10, 10, 1, 1);
    EXPECT_EQ(me.health, 49) << "r " << r;
  }
  fresh_world();
  DIFFICULTY = 3;
  unit_record& me = on_trap(6);
  arm(4, 4);
  trap(6, 10, 10, 1, 1);
  EXPECT_EQ(me.health, 50 - (3 * 4 * 3 + 1));
}

// The kinds

TEST_F(TrapsTest, BoulderKnocksTheUnitOnAndBlocksTheSquare) {
  unit_record& me = on_trap(4);
  arm(0, 2);
  trap(4, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("A boulder drops on you!"));
  EXPECT_EQ(me.health, 50 - 5);
  EXPECT_EQ(me.x, 11);
  EXPECT_EQ(me.moves, 0);
  EXPECT_EQ(map[4][10][10].scenery, SCENERY_BOULDER);
  EXPECT_EQ(map[4][10][10].passable, 0);
  EXPECT_EQ(map[4][10][10].occupant_player, 0);
  EXPECT_EQ(map[4][11][10].occupant_unit, 1);
}

TEST_F(TrapsTest, RoofFallingWithTheWayAheadShutSendsTheUnitBack) {
  unit_record& me = on_trap(4);
  put_terrain(4, 11, 10, TERRAIN_BUILT_WALL);
  arm(4);
  trap(4, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("The roof collapses on you."));
  EXPECT_EQ(me.x, 9);
  EXPECT_EQ(me.moves, 0);
  EXPECT_EQ(map[4][10][10].scenery, SCENERY_RUBBLE);
  EXPECT_EQ(map[4][10][10].passable, 0);
}

TEST_F(TrapsTest, PitOverRockOrOnTheBottomLevelElseSpikes) {
  unit_record& me = on_trap(0);
  arm(1, 0);
  trap(0, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("Ouch! You fall into a pit."));
  EXPECT_EQ(map[0][10][10].scenery, SCENERY_PIT);
  EXPECT_EQ(me.moves, 0);

  fresh_world();
  unit_record& deep = on_trap(6);
  put_terrain(5, 10, 10, TERRAIN_ROCK);
  arm(1, 3);  // d = 3 * 3 + 1 = 10, halved in a pit
  trap(6, 10, 10, 1, 1);
  EXPECT_EQ(map[6][10][10].scenery, SCENERY_PIT);
  EXPECT_EQ(deep.health, 45);

  fresh_world();
  unit_record& over_floor = on_trap(6);
  arm(1, 3);
  trap(6, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("Ouch! You activate a spike trap."));
  EXPECT_EQ(map[6][10][10].scenery, SCENERY_SPRUNG_SPIKES);
  EXPECT_EQ(over_floor.health, 40);
  EXPECT_EQ(over_floor.moves, 0);
}

TEST_F(TrapsTest, QuicksandCostsNoHealth) {
  unit_record& me = on_trap(6);
  arm(2, 5);
  trap(6, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("The ground gives way to quicksand!"));
  EXPECT_EQ(map[6][10][10].scenery, SCENERY_QUICKSAND);
  EXPECT_EQ(me.health, 50);
  EXPECT_EQ(me.moves, 0);
}

TEST_F(TrapsTest, FloorGivesWayOntoTheLevelBelow) {
  unit_record& me = on_trap(6);
  arm(3, 1);
  trap(6, 10, 10, 1, 1);
  EXPECT_TRUE(headless_said("The floor gives way beneath your feet!"));
  EXPECT_EQ(me.z, 5);
  EXPECT_EQ(me.health, 50 - 4);
  EXPECT_EQ(me.moves, 0);
  EXPECT_EQ(map[6][10][10].scenery, SCENERY_HOLE);
  EXPECT_EQ(map[6][10][10].passable, 1);
  EXPECT_EQ(map[6][10][10].occupant_player, 0);
  EXPECT_EQ(map[5][10][10].occupant_player, 1);
  EXPECT_EQ(map[5][10][10].passable, 0);
}

TEST_F(TrapsTest, FloorHoldsWhereItMayNotGiveWay) {
  // A hole beside it, a track on it, a wall or a unit below, or no level
  // below at all: each time the spikes come up instead.
  std::vector<std::function<void()>> holds = {
      [] { map[6][10][9].scenery = SCENERY_HOLE; },
      [] { environment[6][10][10].track = TRACK_NS; },
      [] { put_terrain(5, 10, 10, TERRAIN_BUILT_WALL); },
      [] { put_unit(2, 3, 5, 10, 10, NORTH); },
  };
  for (auto& setup : holds) {
    fresh_world();
    unit_record& me = on_trap(6);
    setup();
    arm(3);
    trap(6, 10, 10, 1, 1);
    EXPECT_EQ(me.z, 6);
    EXPECT_EQ(map[6][10][10].scenery, SCENERY_SPRUNG_SPIKES);
  }
  fresh_world();
  unit_record& bottom = on_trap(0);
  arm(3);
  trap(0, 10, 10, 1, 1);
  EXPECT_EQ(bottom.z, 0);
  EXPECT_EQ(map[0][10][10].scenery, SCENERY_SPRUNG_SPIKES);
}

TEST_F(TrapsTest, WeightTriggerFiresAboveTwoHundredLessTenALevel) {
  for (int kind = 5; kind <= 6; kind++) {
    fresh_world();
    unit_record& me = on_trap(2);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 180;
    arm(kind);
    trap(2, 10, 10, 1, 1);
    EXPECT_TRUE(headless_said("You hear a click!"));
    EXPECT_FALSE(headless_said("Ouch! You activate a spike trap."));
    EXPECT_EQ(me.health, 50);
    EXPECT_EQ(me.moves, 100);
    EXPECT_EQ(map[2][10][10].scenery, SCENERY_HIDDEN_TRAP);  // still armed

    fresh_world();
    unit_record& heavy = on_trap(2);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 181;
    arm(kind, 0);
    trap(2, 10, 10, 1, 1);
    ASSERT_GE(headless.messages.size(), 2u);
    EXPECT_EQ(headless.messages[0], "Ouch! You activate a spike trap.");
    EXPECT_EQ(headless.messages[1], "You hear a click!");
    EXPECT_EQ(heavy.health, 49);
    EXPECT_EQ(heavy.moves, 0);
    EXPECT_EQ(map[2][10][10].scenery, SCENERY_SPRUNG_SPIKES);
  }
}

// What the trap leaves of the unit

TEST_F(TrapsTest, BadlyHurtUnitFallsUnconscious) {
  unit_record& me = on_trap(6, 5);
  arm(4, 3);  // 10 points
  trap(6, 10, 10, 1, 1);
  EXPECT_EQ(me.health, -5);
  EXPECT_EQ(me.status, UNIT_UNCONSCIOUS);
  EXPECT_EQ(map[6][11][10].occupant_unit, 1);
}

TEST_F(TrapsTest, KilledUnitLeavesItsSquareFreeWithACorpse) {
  DIFFICULTY = 3;
  put_unit(1, 1, 10, 20, 20, NORTH);  // the leader, elsewhere
  unit_record& me = put_unit(1, 2, 10, 10, 10, EAST, 100);
  me.health = 3;
  map[10][10][10].scenery = SCENERY_HIDDEN_TRAP;
  CURRENT_UNIT = 2;
  std::srand(seed_for([](trap_draws d) { return d.kind == 1 && d.r == 5; }));
  trap(10, 10, 10, 1, 2);  // spikes over open ground: 5 * 5 * 3 + 1 = 76
  EXPECT_EQ(me.status, UNIT_FREE);
  EXPECT_EQ(me.moves, 0);
  const map_cell& c = map[10][10][10];
  EXPECT_EQ(c.occupant_player, 0);
  EXPECT_EQ(c.occupant_unit, 0);
  EXPECT_EQ(c.passable, 1);
  EXPECT_GE(c.object_count, 1);
  bool corpse = false;
  for (int k = 1; k < OBJECT_SLOTS; k++)
    if (object[k].type == ITEM_CORPSE && object[k].status == OBJECT_ON_GROUND &&
        object[k].x == 10 && object[k].y == 10 && object[k].z == 10)
      corpse = true;
  EXPECT_TRUE(corpse);

  // Play moving on must not set the dead unit back on its square.
  next_unit();
  EXPECT_EQ(CURRENT_UNIT, 1);
  EXPECT_EQ(map[10][10][10].occupant_player, 0);
  EXPECT_EQ(map[10][10][10].occupant_unit, 0);
}

TEST_F(TrapsTest, UnitKilledWhileKnockedAsideIsNotSetBackOnTheMap) {
  // A boulder hurts, the wall ahead sends the unit back onto the trap, which
  // springs again and kills it: the dead must not step back after that.
  DIFFICULTY = 3;
  put_unit(1, 1, 10, 30, 30, NORTH);
  unit_record& me = put_unit(1, 2, 10, 10, 10, EAST, 100);
  me.health = 3;
  map[10][10][10].scenery = SCENERY_HIDDEN_TRAP;
  put_terrain(10, 11, 10, TERRAIN_BUILT_WALL);
  CURRENT_UNIT = 2;
  for (unsigned seed = 1;; seed++) {
    std::vector<int> v = draws_for(seed, 5);
    if (v[0] % 6 >= 1 && v[1] % 7 == 0 && v[2] % 100 < 90 && v[4] % 7 == 2) break;
    ASSERT_LT(seed, 100000u);
  }
  trap(10, 10, 10, 1, 2);
  EXPECT_EQ(me.status, UNIT_FREE);
  EXPECT_EQ(map[10][9][10].occupant_player, 0);
  EXPECT_EQ(map[10][10][10].occupant_player, 0);
}

// Searching

TEST_F(TrapsTest, SearchRevealsTheNineSquaresAroundAndEndsTheTurn) {
  unit_record& me = put_unit(1, 1, 3, 10, 10, NORTH, 100);
  map[3][9][9].scenery = SCENERY_HIDDEN_TRAP;
  map[3][11][11].scenery = SCENERY_HIDDEN_TRAP;
  map[3][10][11].scenery = SCENERY_SECRET_HIDDEN;
  map[3][12][10].scenery = SCENERY_HIDDEN_TRAP;  // two squares away
  search_traps(1, 1);
  EXPECT_EQ(map[3][9][9].scenery, SCENERY_KNOWN_TRAP);
  EXPECT_EQ(map[3][11][11].scenery, SCENERY_KNOWN_TRAP);
  EXPECT_EQ(map[3][10][11].scenery, SCENERY_SECRET_FOUND);
  EXPECT_EQ(map[3][12][10].scenery, SCENERY_HIDDEN_TRAP);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(headless_said("You search for traps."));
  EXPECT_EQ(headless.effects, 1);

  // Nothing to find still ends the turn; the level's edge is no fault.
  fresh_world();
  unit_record& edge = put_unit(1, 1, 3, 0, 0, NORTH, 100);
  search_traps(1, 1);
  EXPECT_EQ(edge.moves, 0);
}

}  // namespace
