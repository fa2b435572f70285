#include <gtest/gtest.h>

#include <functional>

#include "core/actions/jump.h"
#include "creatures/monsters.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 3;

// The first seed whose jump's base roll r (1..200) satisfies want; the
// generator is left seeded with it.
unsigned seed_rolling(const std::function<bool(int)>& want) {
  return seed_where(1, [&](const std::vector<int>& d) { return want(d[0] % 200 + 1); });
}

class JumpTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }

  // At (10, 10) facing east, movement 100; the moves decide the tier.
  unit_record& jumper(int moves = 100) {
    unit_record& me = put_unit(1, 1, Z, 10, 10, EAST, moves);
    me.movement = 100;
    return me;
  }
  void load(int weight) { give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = weight; }
};

TEST_F(JumpTest, JumpOverTwoSquaresLandsThreeAhead) {
  unit_record& me = jumper();
  map[Z][11][10].scenery = SCENERY_PIT;
  map[Z][12][10].scenery = SCENERY_FIRE;
  std::srand(seed_rolling([](int r) { return r / 2 >= 1; }));
  jump(1, 1, 2);
  EXPECT_TRUE(stands(1, 1, Z, 13, 10));
  EXPECT_TRUE(vacant(Z, 10, 10));
  EXPECT_EQ(me.moves, 50);
  EXPECT_EQ(me.facing, EAST);
}

TEST_F(JumpTest, SafeGroundHalfwayShortensTheJumpAndMakesItEasier) {
  // Tier 1 (50 of 100 moves is not above half), a load the plain roll
  // cannot beat and the roll with the bonus can.
  unsigned seed = seed_rolling([](int r) { return r / 2 >= 20; });
  int roll = (draws_for(seed, 1)[0] % 200 + 1) / 2;
  for (bool safe : {true, false}) {  // quicksand halfway: no safe ground, no bonus
    fresh_world();
    unit_record& me = jumper(50);
    map[Z][11][10].scenery = SCENERY_PIT;
    if (!safe) map[Z][12][10].scenery = SCENERY_QUICKSAND;
    load(roll + 14);
    std::srand(seed);
    jump(1, 1, 2);
    EXPECT_TRUE(stands(1, 1, Z, safe ? 12 : 11, 10)) << safe;
    EXPECT_EQ(me.moves, 0);
  }
}

TEST_F(JumpTest, AContainerHalfwayIsNoPlaceToLand) {
  unit_record& me = jumper();
  map[Z][11][10].scenery = SCENERY_PIT;
  container[2].state = CONTAINER_POWDER;
  container[2].type = CONTAINER_BARREL;
  container[2].x = 12, container[2].y = 10, container[2].z = Z;
  std::srand(seed_rolling([](int r) { return r / 2 >= 1; }));
  jump(1, 1, 2);
  EXPECT_EQ(me.x, 13);
}

TEST_F(JumpTest, HazardWhereTheLongJumpLandsMakesItTryShorter) {
  unit_record& me = jumper();
  map[Z][11][10].scenery = SCENERY_PIT;
  map[Z][12][10].scenery = SCENERY_KNOWN_TRAP;
  environment[Z][13][10].lava = 1;
  std::srand(seed_rolling([](int r) { return r >= 1; }));
  jump(1, 1, 2);
  EXPECT_EQ(me.x, 12);      // one square short, onto the trap
  EXPECT_EQ(me.moves, 50);  // paid once
}

TEST_F(JumpTest, BlockedLandingIsRefusedForNothing) {
  unit_record& me = jumper();
  map[Z][11][10].scenery = SCENERY_PIT;
  put_terrain(Z, 12, 10, TERRAIN_BUILT_WALL);
  jump(1, 1, 1);
  EXPECT_TRUE(headless_said("You can't jump to there!"));
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.moves, 100);

  put_terrain(Z, 12, 10, TERRAIN_STONE_FLOOR, 1);
  put_unit(2, 4, Z, 12, 10, WEST);
  jump(1, 1, 1);
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(map[Z][12][10].occupant_player, 2);

  // Off the edge of the level is rock.
  unit_record& edge = put_unit(1, 2, Z, 49, 5, EAST);
  jump(1, 2, 1);
  EXPECT_EQ(edge.x, 49);
}

TEST_F(JumpTest, HeavyJumperFallsIntoWhatItMeantToClear) {
  unit_record& me = jumper();
  map[Z][11][10].scenery = SCENERY_PIT;
  load(1000);  // no roll beats it
  jump(1, 1, 1);
  EXPECT_TRUE(headless_said("OUCH! You fall into a pit trap."));
  EXPECT_EQ(me.x, 11);
  EXPECT_EQ(me.moves, 0);
}

TEST_F(JumpTest, FreshnessTripleAndDwarvesJumpWorse) {
  // Base roll r: with tier 3 it beats 3r - 1, with tier 2 it does not.
  unsigned seed = seed_rolling([](int r) { return r >= 30; });
  int r = draws_for(seed, 1)[0] % 200 + 1;

  struct jumper_case {
    int moves, race, load, x;
  };
  const jumper_case cases[] = {
      {100, 0, 3 * r - 1, 12},              // above 90: tier 3
      {90, 0, 3 * r - 1, 11},               // tier 2
      {100, RACE_DWARF, 3 * (r - 15), 11},  // the 15 the dwarf loses is just too much
  };
  for (const jumper_case& c : cases) {
    SCOPED_TRACE(c.moves * 100 + c.race);
    fresh_world();
    unit_record& me = jumper(c.moves);
    me.race = c.race;
    map[Z][11][10].scenery = SCENERY_PIT;
    load(c.load);
    std::srand(seed);
    jump(1, 1, 1);
    EXPECT_EQ(me.x, c.x);
  }
}

}  // namespace
