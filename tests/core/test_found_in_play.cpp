// Faults a long random play found, each on its world and on a hand-made level.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/actions/cart.h"
#include "core/actions/doors.h"
#include "core/actions/jump.h"
#include "core/actions/scenery.h"
#include "core/check.h"
#include "core/game/newgame.h"
#include "core/occupancy.h"
#include "core/seed.h"
#include "creatures/combat.h"
#include "tests/core/hand_made_level.h"
#include "tests/generation/world_builder.h"

// From items/actions.h, whose give_item would clash with the hand-made one.
void drop_item(int k, int player, int u);
void equip_weapon(int k, int player, int u);
void unequip_item(int k);

namespace {

constexpr int Z = 3;

// The first seed from 1 up whose first two draws pass the test.
template <typename Test>
unsigned seed_whose_draws(Test pass) {
  for (unsigned s = 1; s < 5000; s++) {
    std::srand(s);
    int a = std::rand(), b = std::rand();
    if (pass(a, b)) return s;
  }
  return 0;
}

TEST(FoundInPlay, NoJumpLandsInTheOuterWall) {
  // Seed 850: facing south-east from (48, 14) on level 0, the jump landed on
  // (50, 16).  By hand: an outer wall still marked enterable.
  for (bool found_world : {true, false}) {
    if (found_world) {
      build_test_world(850, 1);
      EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
      move_unit(1, 1, 0, 48, 14);
    } else {
      fresh_world();
      put_unit(1, 1, 0, 48, 14, SOUTHEAST);
      put_terrain(0, 50, 16, TERRAIN_BUILT_WALL, 1);
    }
    unit_record& me = unit[1][1];
    me.facing = SOUTHEAST;
    me.moves = me.movement;
    jump(1, 1, 1);
    EXPECT_EQ(me.x, 48) << found_world;
    EXPECT_EQ(me.y, 14) << found_world;
    EXPECT_TRUE(headless_said("You can't jump to there!")) << found_world;
  }
}

// A straight track southwards from a cart at (10, 10); what lies on the way
// at (10, 13) is kept, and the cart stops short of it.
TEST(FoundInPlay, ARideKeepsLaddersStairsAndBridges) {
  for (int kept : {SCENERY_LADDER_DOWN, SCENERY_LADDER_UP, SCENERY_TRAPDOOR, SCENERY_BRIDGE_NS}) {
    fresh_world();
    for (int y = 10; y <= 20; y++) environment[Z][10][y].track = 1;
    environment[Z][10][21].track = 8;
    map[Z][10][10].scenery = SCENERY_MINE_CART;
    map[Z][10][13].scenery = kept;
    put_unit(1, 1, Z, 10, 10, SOUTH);
    traverse_track(1, 1);
    EXPECT_EQ(map[Z][10][13].scenery, kept);
    EXPECT_EQ(unit[1][1].y, 12) << kept;
    EXPECT_EQ(map[Z][10][12].scenery, SCENERY_MINE_CART) << kept;
  }
}

TEST(FoundInPlay, NoDoorClosesOnAChest) {
  // By key and by click, with a chest dragged into the open doorway.
  for (bool by_click : {false, true}) {
    fresh_world();
    put_unit(1, 1, Z, 10, 10, EAST);
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    put_terrain(Z, 11, 10, TERRAIN_OPEN_DOOR, 0);
    container[2] = container_record{};
    container[2].x = 11, container[2].y = 10, container[2].z = Z;
    container[2].state = CONTAINER_CLOSED;
    map[Z][11][10].scenery = SCENERY_CONTAINER;
    by_click ? (void)interact_door(11, 10, Z) : work_door_ahead(1, 1);
    EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR) << by_click;
    EXPECT_EQ(unit[1][1].moves, 100) << by_click;
    // Opening over it, as a saved game may ask, leaves it shut to walkers.
    map[Z][11][10].terrain = TERRAIN_CLOSED_DOOR;
    interact_door(11, 10, Z);
    EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_OPEN_DOOR);
    EXPECT_EQ(map[Z][11][10].passable, 0);
  }
}

TEST(FoundInPlay, AStatueComesToLifeBesideItsPillar) {
  unsigned s = seed_whose_draws([](int a, int) { return a % 10 + 1 <= 2; });
  ASSERT_NE(s, 0u);
  fresh_world();
  put_unit(1, 1, Z, 10, 10, EAST);
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  put_terrain(Z, 11, 10, TERRAIN_PILLAR);
  map[Z][11][10].scenery = SCENERY_STATUE;
  std::srand(s);
  touch_statue(Z, 11, 10);
  EXPECT_TRUE(headless_said("The statue springs to life!"));
  EXPECT_EQ(map[Z][11][10].terrain, TERRAIN_PILLAR);
  EXPECT_EQ(map[Z][11][10].occupant_player, 0);
  EXPECT_EQ(check_world(), "");  // the golem stands where a unit may
}

TEST(FoundInPlay, PuttingAWeaponAwayLeavesDamageAtOne) {
  // The starting sword of a new game is wielded without adding to damage 1.
  ask_for_seed(77);
  DIFFICULTY = 1;
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  use_headless();
  open_new_game();
  int sword = 0;
  for (int k = 1; k < OBJECT_SLOTS; k++)
    if (object[k].status == OBJECT_WIELDED && object[k].owner_player == 1) sword = k;
  ASSERT_NE(sword, 0);
  unequip_item(sword);
  EXPECT_EQ(unit[1][1].damage, 1);
  // By hand: dropping it, and drawing another in its place.
  for (bool drop : {true, false}) {
    fresh_world();
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    put_unit(1, 1, Z, 0, 0, EAST);  // in hand, items sit at (0, 0)
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).var1 = 6;
    give_item(2, 1, 1, ITEM_WEAPON, OBJECT_CARRIED);
    drop ? drop_item(1, 1, 1) : equip_weapon(2, 1, 1);
    EXPECT_EQ(unit[1][1].damage, 1) << drop;
  }
}

TEST(FoundInPlay, AFumbleThatHitsSelfFellsAsABlowWould) {
  // A hit roll of 4 or less and an effect roll of 60 or less: "hits self".
  unsigned s = seed_whose_draws([](int a, int b) { return a % 100 + 1 <= 4 && b % 100 + 1 <= 60; });
  ASSERT_NE(s, 0u);
  struct fall {
    int health;
    int status;
  };
  for (fall f : {fall{-9, UNIT_FREE}, fall{0, UNIT_UNCONSCIOUS}}) {
    fresh_world();
    put_unit(1, 1, Z, 10, 10, EAST);
    unit_record& spider = put_unit(2, 4, Z, 11, 10, WEST, 0);
    spider.health = f.health;
    spider.damage = 2;
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    std::srand(s);
    combat(1, 1, 2, 4);
    EXPECT_TRUE(headless_said("Unit4 hits self!"));
    EXPECT_EQ(spider.status, f.status) << f.health;
    EXPECT_EQ(check_world(), "") << f.health;
  }
}

}  // namespace
