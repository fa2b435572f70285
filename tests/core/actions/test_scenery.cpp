#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "core/actions/scenery.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 4;

// The first seed whose first draw satisfies want; the generator is left
// seeded with it.
unsigned seed_drawing(const std::function<bool(int)>& want) {
  return seed_where(1, [&](const std::vector<int>& d) { return want(d[0]); });
}

class SceneryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    CURRENT_PLAYER = 1;
    CURRENT_UNIT = 1;
  }
  // The acting unit at (10, 10) facing east, towards (11, 10).
  unit_record& me(int moves = 100) { return put_unit(1, 1, Z, 10, 10, EAST, moves); }
  container_record& chest(int x, int y, int type, const char* name) {
    return put_container(3, Z, x, y, type, CONTAINER_CLOSED, name);
  }
};

struct interaction {
  int scenery;
  bool underfoot;  // done standing on the square, else from beside it
  const char* text;
  int cost;
  int after;  // the square's scenery afterwards
};

TEST_F(SceneryTest, EachInteractionHasItsCostAndItsRefusal) {
  const char* burn = "You set it fire, and it burns quickly to nothing!";
  const interaction cases[] = {
      {SCENERY_CRYPT, false, "You open the crypt.", 35, SCENERY_OPEN_CRYPT},
      {SCENERY_WEB, false, burn, 15, 0},
      {SCENERY_NEST, false, burn, 15, 0},
      {SCENERY_OIL, false, "You set the oil patch alight!", 0, SCENERY_FIRE},
      {SCENERY_MUSHROOMS, true, "You pick the mushrooms", 15, 0},
      {SCENERY_HERBS, true, "You pick the herbs", 15, 0},
      {SCENERY_POOL, true, "You drink from the pool.", 30, SCENERY_POOL},
      {SCENERY_SWITCH_A, true, "You move the switch.", 20, SCENERY_SWITCH_B},
      {SCENERY_LADDER_DOWN, true, "You CLIMB DOWN the LADDER.", 35, SCENERY_LADDER_DOWN},
      {SCENERY_TRAPDOOR, true, "You CLIMB DOWN the STAIRS.", 35, SCENERY_TRAPDOOR},
      {SCENERY_LADDER_UP, true, "You CLIMB UP the stairs.", 35, SCENERY_LADDER_UP},
  };
  for (const interaction& c : cases) {
    int x = c.underfoot ? 10 : 11;
    bool refusable = c.scenery != SCENERY_WEB;  // a web burns whatever way one faces
    fresh_world();
    unit_record& u = me();
    map[Z][x][10].scenery = c.scenery;
    interact_scenery(x, 10, Z);
    EXPECT_TRUE(headless_said(c.text)) << c.scenery;
    EXPECT_EQ(u.moves, 100 - c.cost) << c.scenery;
    EXPECT_EQ(map[Z][x][10].scenery, c.after) << c.scenery;
    int climbed = c.scenery == SCENERY_LADDER_UP ? 1 : c.text[4] == 'C' ? -1 : 0;
    EXPECT_EQ(u.z, Z + climbed) << c.scenery;
    // Climbing up by hand always leaves a ladder down beneath the climber.
    EXPECT_TRUE(climbed != 1 || map[Z + 1][10][10].scenery == SCENERY_LADDER_DOWN);

    // Refused: from beside a square to be stood on, or with no points left
    // once turned towards the square; a refusal drinks no water either.
    if (!refusable) continue;
    fresh_world();
    unit_record& r = put_unit(1, 1, Z, 10, 10, WEST, c.underfoot ? 100 : 5);
    map[Z][11][10].scenery = c.scenery;
    environment[Z][11][10].water = 1;
    interact_scenery(11, 10, Z);
    // (The crypt is announced before the turn towards it.)
    EXPECT_TRUE(c.scenery == SCENERY_CRYPT || !headless_said(c.text)) << c.scenery;
    EXPECT_TRUE(c.scenery == SCENERY_CRYPT || !headless_said("You drink from the water."));
    EXPECT_EQ(map[Z][11][10].scenery, c.scenery) << c.scenery;
    EXPECT_EQ(r.z, Z);
    if (c.underfoot) {
      EXPECT_TRUE(headless_said("You are too far away to do that!")) << c.scenery;
      EXPECT_EQ(r.moves, 100) << c.scenery;
    }
  }
}

TEST_F(SceneryTest, ChestIsOpenedThenSearchedAndABarrelLit) {
  unit_record& u = me();
  container_record& k = chest(11, 10, CONTAINER_SMALL_CHEST, "small chest");
  interact_scenery(11, 10, Z);
  EXPECT_EQ(k.state, CONTAINER_OPEN);
  EXPECT_EQ(u.moves, 65);
  interact_scenery(11, 10, Z);
  EXPECT_TRUE(headless_said("You search the small chest"));

  k.type = CONTAINER_BARREL;
  k.state = CONTAINER_POWDER;
  u.moves = 5;
  u.facing = WEST;
  environment[Z][11][10].water = 1;  // refused, so nobody drinks either
  interact_scenery(11, 10, Z);
  EXPECT_EQ(k.state, CONTAINER_POWDER);
  EXPECT_FALSE(headless_said("You drink from the water."));

  u.moves = 100;
  u.facing = EAST;
  interact_scenery(11, 10, Z);
  EXPECT_EQ(k.state, CONTAINER_ALIGHT);
  EXPECT_EQ(u.moves, 100 - 30);  // the lighting is free, the drink is not
}

TEST_F(SceneryTest, LavaWithATorchInHandIsForTheTorchAlone) {
  unit_record& u = put_unit(1, 1, Z, 10, 10, NORTH, 100);
  environment[Z][11][10].lava = 1;
  map[Z][11][10].scenery = SCENERY_OIL;
  give_item(5, 1, 1, ITEM_TORCH, OBJECT_CARRIED);
  interact_scenery(11, 10, Z);
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_OIL);
  EXPECT_EQ(u.facing, NORTH);

  object[5] = object_record{};  // no torch: the scenery takes the click
  interact_scenery(11, 10, Z);
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_FIRE);
}

TEST_F(SceneryTest, PickingNeedsAFreeHandAndHerbsTellTheHerbQuest) {
  me();
  map[Z][10][10].scenery = SCENERY_MUSHROOMS;
  for (int k = 1; k <= 9; k++) give_item(k, 1, 1, ITEM_FOOD, OBJECT_CARRIED);
  interact_scenery(10, 10, Z);
  EXPECT_TRUE(headless_said("You are carrying too much!"));
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_MUSHROOMS);

  object[9] = object_record{};
  map[Z][10][10].scenery = SCENERY_HERBS;
  interact_scenery(10, 10, Z);
  EXPECT_FALSE(headless_said("These look like the magic herbs you need!"));
  EXPECT_EQ(std::count_if(std::begin(object), std::end(object),
                          [](const object_record& o) {
                            return o.type == ITEM_HERBS && o.owner_player == 1 && o.owner_unit == 1;
                          }),
            1);

  QUEST_NO = 1;
  object[9] = object_record{};
  map[Z][10][10].scenery = SCENERY_HERBS;
  interact_scenery(10, 10, Z);
  EXPECT_TRUE(headless_said("These look like the magic herbs you need!"));
}

TEST_F(SceneryTest, PoolAndWaterHelpOnlyTheBadlyHurt) {
  for (unsigned seed = 1; seed <= 20; seed++) {
    fresh_world(seed);
    unit_record& u = me();
    u.health = 19;
    map[Z][10][10].scenery = SCENERY_POOL;
    interact_scenery(10, 10, Z);
    EXPECT_GE(u.health, 19);
    EXPECT_LE(u.health, 24);
  }
  unit_record& u = me();
  u.health = 20;
  map[Z][10][10].scenery = SCENERY_POOL;
  interact_scenery(10, 10, Z);
  EXPECT_EQ(u.health, 20);

  u.health = 5;
  environment[Z][11][10].water = 1;  // drunk from beside it
  std::srand(seed_drawing([](int d) { return d % 4 == 3; }));
  interact_scenery(11, 10, Z);
  EXPECT_TRUE(headless_said("You drink from the water."));
  EXPECT_EQ(u.health, 8);
  EXPECT_EQ(u.moves, 40);
}

TEST_F(SceneryTest, SwitchTurnsTheBridgeOnAQuarterEachPull) {
  unit_record& u = me();
  map[Z][10][10].scenery = SCENERY_SWITCH_A;
  map[Z][11][10].scenery = SCENERY_BRIDGE_NS;
  // On round a quarter each pull, never back: south, west, north, east.
  const int bridge_at[4][3] = {{10, 11, SCENERY_BRIDGE_EW},
                               {9, 10, SCENERY_BRIDGE_NS},
                               {10, 9, SCENERY_BRIDGE_EW},
                               {11, 10, SCENERY_BRIDGE_NS}};
  for (int pull = 0; pull < 4; pull++) {
    pull < 2 ? interact_scenery(10, 10, Z) : move_switch(Z, 10, 10);
    const int* b = bridge_at[pull];
    EXPECT_EQ(map[Z][b[0]][b[1]].scenery, b[2]) << pull;
    EXPECT_EQ(map[Z][10][10].scenery, pull % 2 ? SCENERY_SWITCH_A : SCENERY_SWITCH_B);
    const int* was = bridge_at[(pull + 3) % 4];
    EXPECT_EQ(map[Z][was[0]][was[1]].scenery, 0) << pull;
  }
  EXPECT_TRUE(headless_said("You move the switch."));
  EXPECT_EQ(u.moves, 60);
}

struct statue_case {
  int roll;  // 1..10
  const char* text;
  bool gone;
  int cost;
  int item;  // left at the unit's feet
};

TEST_F(SceneryTest, StatueOutcomes) {
  const statue_case cases[] = {
      {1, "The statue springs to life!", true, 15, 0},
      {5, "One of the statue's eyes is a gemstone!", true, 30, ITEM_GEM},
      {6, "There is a weapon in one of its hands.", true, 20, ITEM_WEAPON},
      {3, "Nothing happens!", false, 15, 0},
      {7, "Nothing happens!", false, 15, 0},
      {9, "The statue crumbles away to dust.", true, 15, 0},
  };
  for (const statue_case& c : cases) {
    SCOPED_TRACE(c.roll);
    fresh_world();
    unit_record& u = me();
    map[Z][11][10].scenery = SCENERY_STATUE;
    map[Z][11][10].passable = 0;
    std::srand(seed_drawing([&](int d) { return d % 10 + 1 == c.roll; }));
    interact_scenery(11, 10, Z);
    EXPECT_TRUE(headless_said(c.text));
    EXPECT_EQ(map[Z][11][10].scenery == 0, c.gone);
    EXPECT_EQ(u.moves, 100 - c.cost);
    // The guardian stands where the statue was; else a statue gone opens the square.
    EXPECT_EQ(map[Z][11][10].occupant_player, c.roll == 1 ? 2 : 0);
    EXPECT_TRUE(c.roll == 1 || !c.gone || map[Z][11][10].passable == 1);
    EXPECT_TRUE(c.roll != 1 || unit[2][map[Z][11][10].occupant_unit].race == 8);
    EXPECT_EQ(map[Z][10][10].object_count, c.item ? 1 : 0);
    int found = 0;
    for (const object_record& o : object)
      found += c.item && o.type == c.item && o.x == 10 && o.y == 10 && o.status == OBJECT_ON_GROUND;
    EXPECT_EQ(found, c.item ? 1 : 0);
  }
}

TEST_F(SceneryTest, CrystalSmashesForThirtyAndMayHoldAGem) {
  unit_record& u = me();
  map[Z][11][10].scenery = SCENERY_CRYSTAL;
  map[Z][11][10].passable = 0;
  std::srand(seed_drawing([](int d) { return d % 30 == 0; }));
  smash_crystal(Z, 11, 10, 1, 1);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_EQ(map[Z][11][10].passable, 1);
  EXPECT_EQ(map[Z][11][10].object_count, 1);
  EXPECT_EQ(u.moves, 70);

  // A pickaxe finds gems a little more often.
  map[Z][11][10].scenery = SCENERY_CRYSTAL;
  copy_text(give_item(8, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).name, "iron pickaxe");
  std::srand(seed_drawing([](int d) { return d % 30 == 2; }));
  smash_crystal(Z, 11, 10, 1, 1);
  EXPECT_EQ(map[Z][11][10].object_count, 2);

  smash_crystal(Z, 11, 10, 1, 1);  // no crystal left: nothing, for nothing
  EXPECT_EQ(u.moves, 40);
}

TEST_F(SceneryTest, RubbleGivesWayToTheStrongAndToShovels) {
  unit_record& u = me();
  u.strength = 60;
  map[Z][11][10].scenery = SCENERY_RUBBLE;
  map[Z][11][10].passable = 0;
  std::srand(seed_drawing([](int d) { return d % 100 == 93; }));
  clear_rubble(Z, 11, 10, 1, 1);
  EXPECT_TRUE(headless_said("You use the pickaxe on the rockface."));
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_RUBBLE);
  EXPECT_EQ(u.moves, 0);

  std::srand(seed_drawing([](int d) { return d % 100 == 92; }));
  clear_rubble(Z, 11, 10, 1, 1);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_EQ(map[Z][11][10].passable, 1);

  map[Z][11][10].scenery = SCENERY_RUBBLE;
  copy_text(give_item(8, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).name, "old shovel");
  std::srand(seed_drawing([](int d) { return d % 100 == 99; }));
  clear_rubble(Z, 11, 10, 1, 1);
  EXPECT_TRUE(headless_said("You use the shovel on the rubble."));
  EXPECT_EQ(map[Z][11][10].scenery, 0);
}

TEST_F(SceneryTest, DiggingEarthMakesAPassageAndSometimesAGem) {
  unit_record& u = me();
  u.strength = 0;
  put_terrain(Z, 11, 10, TERRAIN_EARTH);
  std::srand(seed_drawing([](int d) { return d % 100 == 23; }));
  clear_rubble(Z, 11, 10, 1, 1);
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_PASSAGE_FLOOR);
  EXPECT_EQ(map[Z][11][10].passable, 1);
  EXPECT_EQ(map[Z][11][10].object_count, 1);

  // Bare rock does not give way, however lucky the dig.
  put_terrain(Z, 10, 11, TERRAIN_ROCK);
  std::srand(seed_drawing([](int d) { return d % 100 == 0; }));
  clear_rubble(Z, 10, 11, 1, 1);
  EXPECT_EQ(map[Z][10][11].terrain, TERRAIN_ROCK);
  EXPECT_EQ(map[Z][10][11].passable, 0);
}

TEST_F(SceneryTest, ExaminingTellsTheGroundFirstThenWhatStandsOnIt) {
  put_terrain(Z, 1, 10, TERRAIN_CLOSED_DOOR);
  map[Z][1][10].scenery = SCENERY_WEB;
  chest(2, 10, CONTAINER_WARDROBE, "wardrobe");
  map[Z][3][10].scenery = SCENERY_OIL;
  map[Z][4][10].scenery = SCENERY_WEB;
  const char* want[] = {"This appears to be a closed wooden door.", "This looks like a wardrobe.",
                        "This looks like a pool of tar.", "It's nothing special..."};
  for (int x = 1; x <= 4; x++) {
    examine_scenery(x, 10, Z);
    EXPECT_TRUE(headless_said(want[x - 1]));
  }
  EXPECT_EQ(headless.messages.size(), 4u);  // one line each
}

}  // namespace
