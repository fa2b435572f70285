#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "core/actions/traps.h"
#include "core/turn_order.h"
#include "tests/core/actions/action_checks.h"

namespace {

// The trap's draws: r for the damage, then the kind.
struct trap_draws {
  int r, kind;
};

// The first seed whose trap draws satisfy want; the generator is left seeded
// with it.
unsigned seed_for(const std::function<bool(trap_draws)>& want) {
  return seed_where(2, [&](const std::vector<int>& v) { return want({v[0] % 6, v[1] % 7}); });
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

// Each kind ends the turn; where it leaves the unit and what it leaves behind.
struct kind_case {
  int kind, r, z;
  bool rock_below, wall_ahead;
  int health;  // -1: not pinned
  int x, z_after, scenery, passable;
};

TEST_F(TrapsTest, EachKindLeavesItsMark) {
  const kind_case cases[] = {
      {0, 2, 4, false, false, 50 - 5, 11, 4, SCENERY_BOULDER, 0},
      // The roof falling with the way ahead shut sends the unit back.
      {4, -1, 4, false, true, -1, 9, 4, SCENERY_RUBBLE, 0},
      // A pit over rock or on the bottom level, else spikes.
      {1, 0, 0, false, false, -1, 10, 0, SCENERY_PIT, 0},
      {1, 3, 6, true, false, 45, 10, 6, SCENERY_PIT, 0},  // 3 * 3 + 1, halved
      {1, 3, 6, false, false, 40, 10, 6, SCENERY_SPRUNG_SPIKES, 0},
      {2, 5, 6, false, false, 50, 10, 6, SCENERY_QUICKSAND, 0},
      {3, 1, 6, false, false, 50 - 4, 10, 5, SCENERY_HOLE, 1},
  };
  for (const kind_case& c : cases) {
    SCOPED_TRACE(c.kind);
    fresh_world();
    unit_record& me = on_trap(c.z);
    if (c.rock_below) put_terrain(c.z - 1, 10, 10, TERRAIN_ROCK);
    if (c.wall_ahead) put_terrain(c.z, 11, 10, TERRAIN_BUILT_WALL);
    arm(c.kind, c.r);
    trap(c.z, 10, 10, 1, 1);
    EXPECT_TRUE(c.health < 0 || me.health == c.health) << me.health;
    EXPECT_EQ(me.moves, 0);
    EXPECT_TRUE(stands(1, 1, c.z_after, c.x, 10));
    EXPECT_EQ(map[c.z][10][10].scenery, c.scenery);
    if (c.x == 10 && c.z_after == c.z) continue;
    EXPECT_EQ(map[c.z][10][10].passable, c.passable);
    EXPECT_EQ(map[c.z][10][10].occupant_player, 0);
  }
}

// A hole beside it, a track on it, a wall or a unit below, or no level below:
// the spikes come up instead.
TEST_F(TrapsTest, FloorHoldsWhereItMayNotGiveWay) {
  const std::function<void()> holds[] = {
      [] { map[6][10][9].scenery = SCENERY_HOLE; },
      [] { environment[6][10][10].track = TRACK_NS; },
      [] { put_terrain(5, 10, 10, TERRAIN_BUILT_WALL); },
      [] { put_unit(2, 3, 5, 10, 10, NORTH); },
      nullptr,
  };
  for (const auto& setup : holds) {
    int z = setup ? 6 : 0;
    fresh_world();
    unit_record& me = on_trap(z);
    if (setup) setup();
    arm(3);
    trap(z, 10, 10, 1, 1);
    EXPECT_EQ(me.z, z);
    EXPECT_EQ(map[z][10][10].scenery, SCENERY_SPRUNG_SPIKES);
  }
}

TEST_F(TrapsTest, WeightTriggerFiresAboveTwoHundredLessTenALevel) {
  for (int kind = 5; kind <= 6; kind++) {
    fresh_world();
    unit_record& me = on_trap(2);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 180;
    arm(kind);
    trap(2, 10, 10, 1, 1);
    EXPECT_TRUE(headless_said("You hear a click!"));
    EXPECT_EQ(me.health, 50);
    EXPECT_EQ(me.moves, 100);
    EXPECT_EQ(map[2][10][10].scenery, SCENERY_HIDDEN_TRAP);  // still armed

    fresh_world();
    unit_record& heavy = on_trap(2);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 181;
    arm(kind, 0);
    trap(2, 10, 10, 1, 1);
    EXPECT_EQ(heavy.health, 49);
    EXPECT_EQ(heavy.moves, 0);
    EXPECT_EQ(map[2][10][10].scenery, SCENERY_SPRUNG_SPIKES);
  }
}

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
  EXPECT_TRUE(vacant(10, 10, 10));
  EXPECT_TRUE(std::any_of(std::begin(object), std::end(object), [](const object_record& o) {
    return o.type == ITEM_CORPSE && o.status == OBJECT_ON_GROUND && o.x == 10 && o.y == 10 &&
           o.z == 10;
  }));

  // Play moving on must not set the dead unit back on its square.
  next_unit();
  EXPECT_EQ(CURRENT_UNIT, 1);
  EXPECT_TRUE(vacant(10, 10, 10));
}

// A boulder hurts, the wall ahead sends the unit back onto the trap, which
// springs again and kills it: the dead must not step back after that.
TEST_F(TrapsTest, UnitKilledWhileKnockedAsideIsNotSetBackOnTheMap) {
  DIFFICULTY = 3;
  put_unit(1, 1, 10, 30, 30, NORTH);
  unit_record& me = put_unit(1, 2, 10, 10, 10, EAST, 100);
  me.health = 3;
  map[10][10][10].scenery = SCENERY_HIDDEN_TRAP;
  put_terrain(10, 11, 10, TERRAIN_BUILT_WALL);
  CURRENT_UNIT = 2;
  std::srand(seed_where(5, [](const std::vector<int>& v) {
    return v[0] % 6 >= 1 && v[1] % 7 == 0 && v[2] % 100 < 90 && v[4] % 7 == 2;
  }));
  trap(10, 10, 10, 1, 2);
  EXPECT_EQ(me.status, UNIT_FREE);
  EXPECT_EQ(map[10][9][10].occupant_player, 0);
  EXPECT_EQ(map[10][10][10].occupant_player, 0);
}

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
  EXPECT_EQ(headless.effects, 1);

  // Nothing to find still ends the turn; the level's edge is no fault.
  put_unit(1, 2, 3, 0, 0, NORTH, 100);
  search_traps(1, 2);
  EXPECT_EQ(unit[1][2].moves, 0);
}

}  // namespace
