#include <gtest/gtest.h>

#include "items/actions.h"
#include "items/destroy.h"
#include "items/inventory.h"
#include "tests/items/item_bench.h"

using namespace bench;
using std::make_tuple;

namespace {

using Items = item_test;
using lines = std::vector<std::string>;

TEST_F(Items, TakingTheNinthItemAndRefusingTheTenth) {
  unit_record& me = hero();
  for (int k = 1; k <= 8; k++) held(k, ITEM_KEY, "key");
  lying(20, ITEM_GEM, "ruby", 10, 10).weight = 4;
  lying(21, ITEM_GEM, "opal", 10, 10);
  get_item(20, 1, 1);
  EXPECT_EQ(place(20), make_tuple(OBJECT_CARRIED, 1, 1, 0, 0));
  EXPECT_EQ(stats(me), "moves 171/196 damage 0 ranged 0 defence 0 health 30");
  get_item(21, 1, 1);
  EXPECT_EQ(place(21), make_tuple(OBJECT_ON_GROUND, 0, 0, 10, 10));
  EXPECT_EQ(map[0][10][10].object_count, 1);
  EXPECT_EQ(said(), (lines{"You get the ruby", "You are holding too much to take that."}));
  // Packed and lit items leave room in the hands.
  for (int k = 1; k <= 6; k++) object[k].status = OBJECT_PACKED;
  object[7].status = OBJECT_LIT;
  get_item(21, 1, 1);
  EXPECT_EQ(object[21].owner_unit, 1);
}

TEST_F(Items, TakingFromAfarOutOfPlaceOrByADullCreatureIsRefused) {
  hero();
  unit_record& rat = hero(2, 5, 20, 20);
  lying(20, ITEM_GEM, "ruby", 12, 10);
  held(21, ITEM_GEM, "opal", OBJECT_CARRIED, 1, 2);
  lying(22, ITEM_GEM, "jet", 20, 20);
  get_item(20, 1, 1);
  get_item(21, 1, 1);
  rat.intelligence = 9;
  get_item(22, 2, 5);
  EXPECT_EQ(place(20), make_tuple(OBJECT_ON_GROUND, 0, 0, 12, 10));
  EXPECT_EQ(object[21].owner_unit, 2);
  EXPECT_EQ(object[22].status, OBJECT_ON_GROUND);
  rat.intelligence = 10;
  get_item(22, 2, 5);
  EXPECT_EQ(object[22].owner_player, 2);
  // Only the acting unit is told.
  EXPECT_EQ(said(), (lines{"You can't get that!", "You can't get that!"}));
}

TEST_F(Items, GetAllStopsAtTheLimitAndReportsEachRefusal) {
  hero();
  for (int k = 1; k <= 7; k++) held(k, ITEM_KEY, "key");
  for (int k = 20; k < 24; k++) lying(k, ITEM_GEM, "gem", 10, 10);
  get_all(1, 1, 0, 10, 10);
  EXPECT_EQ(said().front(), "You grab everything!");
  EXPECT_EQ(carried_objects(1, 1), 9);
  EXPECT_EQ(map[0][10][10].object_count, 2);
  EXPECT_EQ(object[22].status, OBJECT_ON_GROUND);
  EXPECT_EQ(said().back(), "You are holding too much to take that.");
}

TEST_F(Items, DroppingAWieldedWeaponOrLitTorchTakesOffWhatItGave) {
  unit_record& me = hero();
  me.damage = 7, me.ranged = 1;
  object_record& sword = held(1, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  sword.var1 = 6, sword.weight = 15;
  held(2, ITEM_TORCH, "TORCH", OBJECT_LIT);
  drop_item(1, 1, 1);
  EXPECT_EQ(stats(me), "moves 185/215 damage 1 ranged 0 defence 0 health 30");
  EXPECT_EQ(place(1), make_tuple(OBJECT_ON_GROUND, 0, 0, 10, 10));
  drop_item(2, 1, 1);
  EXPECT_EQ(object[2].status, OBJECT_ON_GROUND);
  EXPECT_EQ(carry_lit_torch(1, 1), 0);
  EXPECT_EQ(map[0][10][10].object_count, 2);
  EXPECT_EQ(said(), (lines{"You drop the sword", "You drop the TORCH", "Torch goes out!"}));
}

TEST_F(Items, DroppingIsRefusedForWornOrPackedItemsAndOnACrowdedSquare) {
  hero();
  held(1, ITEM_WEARABLE, "helmet", OBJECT_WORN);
  held(2, ITEM_KEY, "key", OBJECT_PACKED);
  held(3, ITEM_KEY, "key");
  drop_item(1, 1, 1);
  drop_item(2, 1, 1);
  EXPECT_EQ(map[0][10][10].object_count, 0);
  for (int k = 20; k < 29; k++) lying(k, ITEM_GEM, "gem", 10, 10);
  drop_item(3, 1, 1);
  EXPECT_EQ(object[3].status, OBJECT_CARRIED);
  EXPECT_EQ(map[0][10][10].object_count, 9);
  EXPECT_EQ(said(), (lines{"You need to remove this first!", "You need to remove this first!",
                           "There is only so much clutter you can drop here!!!"}));
}

TEST_F(Items, QuicksandSwallowsTheDroppedItemAndKeepsTheCount) {
  hero();
  map[0][10][10].scenery = SCENERY_QUICKSAND;
  lying(20, ITEM_GEM, "gem", 10, 10);
  held(1, ITEM_TORCH, "TORCH", OBJECT_LIT);
  drop_item(1, 1, 1);
  EXPECT_EQ(object[1].status, OBJECT_FREE);
  EXPECT_EQ(map[0][10][10].object_count, 1);
  EXPECT_EQ(said().back(), "Item lost in quicksand!");
}

TEST_F(Items, DropAllLeavesEveryItemWhateverTheCount) {
  hero();
  for (int k = 20; k < 27; k++) lying(k, ITEM_GEM, "gem", 10, 10);
  held(1, ITEM_WEARABLE, "helmet", OBJECT_WORN);
  held(2, ITEM_KEY, "key", OBJECT_PACKED);
  held(3, ITEM_TORCH, "TORCH", OBJECT_LIT);
  held(4, ITEM_WEAPON, "axe", OBJECT_WIELDED);
  held(5, ITEM_GEM, "gem", OBJECT_CARRIED, 1, 2);
  drop_all(1, 1);
  EXPECT_EQ(map[0][10][10].object_count, 11);
  for (int k = 1; k <= 4; k++) EXPECT_EQ(place(k), make_tuple(OBJECT_ON_GROUND, 0, 0, 10, 10));
  EXPECT_EQ(object[5].owner_unit, 2);
  // Slot 0 is nobody: what names it as owner stays where it is.
  held(6, ITEM_GEM, "gem", OBJECT_CARRIED, 1, 0);
  drop_all(1, 0);
  EXPECT_EQ(place(6), make_tuple(OBJECT_CARRIED, 1, 0, 0, 0));
}

TEST_F(Items, GivenItemsGoToTheReceiverBeyondItsOwnLimit) {
  unit_record& me = hero();
  hero(1, 2, 11, 10);
  CURRENT_UNIT = 1;
  for (int k = 10; k < 19; k++) held(k, ITEM_KEY, "key", OBJECT_CARRIED, 1, 2);
  held(1, ITEM_GEM, "ruby");
  give_item(1, 1, 1, 1, 2);
  EXPECT_EQ(place(1), make_tuple(OBJECT_CARRIED, 1, 2, 0, 0));
  EXPECT_EQ(carried_objects(1, 2), 10);
  EXPECT_EQ(me.moves, 190);
  EXPECT_EQ(UPDATE_MAP, 1);
  EXPECT_EQ(said().back(), "You give ruby away.");
  // Now it is someone else's: it is not given on.
  give_item(1, 1, 1, 1, 3);
  EXPECT_EQ(object[1].owner_unit, 2);
  EXPECT_EQ(me.moves, 190);
}

TEST_F(Items, StoringFillsAContainerUpToItsCapacityAndNoFurther) {
  hero();
  box(3, 10, 11, "chest", 2);
  inside(20, ITEM_GEM, "gem", 3);
  box(4, 11, 10, "crate", 5);
  held(1, ITEM_KEY, "key");
  held(2, ITEM_ROPE, "rope");
  held(3, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  lying(5, ITEM_GEM, "gem", 10, 10);
  store_item(1, 0, 10, 11);
  EXPECT_EQ(place(1), make_tuple(OBJECT_CARRIED, OWNER_CONTAINER, 3, 0, 0));
  store_item(2, 0, 10, 11);
  EXPECT_EQ(object[2].owner_player, 1);
  EXPECT_EQ(said(), (lines{"You store key", "You can't fit anymore into this chest."}));
  // Nothing goes into an overfull one, where there is none, or from out of the hands.
  inside(21, ITEM_GEM, "gem", 3);
  store_item(2, 0, 10, 11);
  store_item(2, 0, 9, 10);
  store_item(3, 0, 11, 10);
  store_item(5, 0, 11, 10);
  EXPECT_EQ(make_tuple(container_held(3), container_held(4)), make_tuple(3, 0));
  EXPECT_EQ(make_tuple(object[2].owner_player, object[3].status, map[0][10][10].object_count),
            make_tuple(1, OBJECT_WIELDED, 1));
}

TEST_F(Items, BackpackOfFiveTakesSixAndRefusesTheSeventh) {
  unit_record& me = hero();
  held(1, ITEM_WEARABLE, "backpack", OBJECT_WORN).range = SLOT_BACK;
  object[1].var1 = 5;
  for (int k = 2; k <= 8; k++) held(k, ITEM_KEY, "key");
  for (int k = 2; k <= 7; k++) pack_item(k);
  EXPECT_EQ(packed_item(1, 1), 6);
  EXPECT_EQ(me.moves, 200 - 6 * 25);
  pack_item(8);
  EXPECT_EQ(object[8].status, OBJECT_CARRIED);
  EXPECT_EQ(said().back(), "The backpack is full!");
  // Only the acting unit's items in hand go in, whatever the room.
  object[1].var1 = 99;
  held(9, ITEM_WEAPON, "axe", OBJECT_WIELDED);
  held(10, ITEM_KEY, "key", OBJECT_CARRIED, 1, 2);
  for (int k : {9, 10, 1}) pack_item(k);
  EXPECT_EQ(make_tuple(packed_item(1, 1), packed_item(1, 2)), make_tuple(6, 0));
}

TEST_F(Items, UnpackWaitsForAFreeHand) {
  hero();
  for (int k = 1; k <= 9; k++) held(k, ITEM_KEY, "key");
  held(10, ITEM_GEM, "gem", OBJECT_PACKED);
  unpack_item(10);
  EXPECT_EQ(object[10].status, OBJECT_PACKED);
  EXPECT_EQ(said().back(), "You are holding to much to do that!");
  drop_item(9, 1, 1);
  unpack_item(10);
  EXPECT_EQ(object[10].status, OBJECT_CARRIED);
  EXPECT_EQ(said().back(), "You unpack the gem");
}

// Armour adds defence, boots pace, salamander boots nothing; removing takes
// it all off again.
TEST_F(Items, WearingAndRemovingChangeTheWearer) {
  struct expected {
    const char* name;
    int slot, var1, weight;
    const char *worn, *removed;
  };
  const expected cases[] = {
      {"mail", SLOT_BODY, 4, 30, "moves 150/215 damage 0 ranged 0 defence 4 health 30",
       "moves 100/200 damage 0 ranged 0 defence 0 health 30"},
      {"boots", SLOT_FEET, 10, 0, "moves 165/210 damage 0 ranged 0 defence 0 health 30",
       "moves 130/200 damage 0 ranged 0 defence 0 health 30"},
      {"salamander boots", SLOT_FEET, 99, 0, "moves 165/200 damage 0 ranged 0 defence 0 health 30",
       "moves 130/200 damage 0 ranged 0 defence 0 health 30"},
  };
  for (const expected& e : cases) {
    SCOPED_TRACE(e.name);
    fresh();
    unit_record& me = hero();
    object_record& it = held(1, ITEM_WEARABLE, e.name);
    it.range = e.slot, it.var1 = e.var1, it.weight = e.weight;
    wear_item(1, 1, 1);
    EXPECT_EQ(it.status, OBJECT_WORN);
    EXPECT_EQ(stats(me), e.worn);
    remove_item(1, 1, 1);
    EXPECT_EQ(it.status, OBJECT_CARRIED);
    EXPECT_EQ(stats(me), e.removed);
    EXPECT_EQ(said().back(), std::string("You remove the ") + e.name);
  }
}

TEST_F(Items, AShieldNeedsAFreeHandAndWearingNeedsWits) {
  unit_record& me = hero();
  held(1, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  held(2, ITEM_TORCH, "TORCH", OBJECT_LIT);
  held(3, ITEM_WEARABLE, "shield").range = SLOT_SHIELD;
  wear_item(3, 1, 1);
  EXPECT_EQ(said().back(), "You don't have enough free hands to do that!");
  EXPECT_EQ(object[3].status, OBJECT_CARRIED);
  held(4, ITEM_WEARABLE, "cap").range = SLOT_HEAD;
  me.intelligence = 24;
  wear_item(4, 1, 1);
  EXPECT_EQ(object[4].status, OBJECT_CARRIED);
  me.intelligence = 25;
  wear_item(4, 1, 1);
  EXPECT_EQ(object[4].status, OBJECT_WORN);
}

TEST_F(Items, WearingRefusesWrongItemsAndTakenSlots) {
  unit_record& me = hero();
  held(5, ITEM_WEARABLE, "helmet", OBJECT_WORN).range = SLOT_HEAD;
  held(6, ITEM_WEARABLE, "hat").range = SLOT_HEAD;
  object[6].var1 = 2;
  held(1, ITEM_KEY, "key");
  held(2, ITEM_WEARABLE, "cap", OBJECT_PACKED).range = SLOT_HEAD;
  held(3, ITEM_WEARABLE, "pack", OBJECT_WORN).range = SLOT_BACK;
  held(4, ITEM_GEM, "gem", OBJECT_PACKED);
  for (int k : {6, 1, 2}) wear_item(k, 1, 1);
  for (int k : {1, 3}) remove_item(k, 1, 1);
  EXPECT_EQ(make_tuple(object[6].status, object[3].status, me.defence),
            make_tuple(OBJECT_CARRIED, OBJECT_WORN, 0));
  EXPECT_EQ(said(), (lines{"You are already wearing one of those.", "You can't wear that!",
                           "You can't wear that!", "You can't remove that!",
                           "You can't take that off with stuff inside!"}));
}

TEST_F(Items, ASecondWeaponUnwieldsTheFirst) {
  unit_record& me = hero();
  me.damage = 1;
  held(1, ITEM_WEAPON, "sword").var1 = 6;
  object[1].range = 1;
  held(2, ITEM_WEAPON, "bow").var1 = 3;
  object[2].range = 8;
  unequip_item(1);  // not wielded: nothing changes
  EXPECT_EQ(stats(me), "moves 200/200 damage 1 ranged 0 defence 0 health 30");
  equip_weapon(1, 1, 1);
  EXPECT_EQ(stats(me), "moves 185/200 damage 7 ranged 1 defence 0 health 30");
  equip_weapon(2, 1, 1);
  EXPECT_EQ(make_tuple(object[1].status, object[2].status),
            make_tuple(OBJECT_CARRIED, OBJECT_WIELDED));
  EXPECT_EQ(stats(me), "moves 170/200 damage 4 ranged 8 defence 0 health 30");
  unequip_item(2);
  EXPECT_EQ(stats(me), "moves 165/200 damage 1 ranged 0 defence 0 health 30");
  EXPECT_EQ(said().back(), "You unequip the bow");
}

TEST_F(Items, WieldingIsRefusedWithTorchAndShieldOrForNonWeapons) {
  unit_record& me = hero();
  held(1, ITEM_WEAPON, "sword").var1 = 6;
  held(2, ITEM_TORCH, "TORCH", OBJECT_LIT);
  held(3, ITEM_WEARABLE, "shield", OBJECT_WORN).range = SLOT_SHIELD;
  equip_weapon(1, 1, 1);
  EXPECT_EQ(said().back(), "You don't have enough free hands to do that!");
  held(3, ITEM_KEY, "key");
  equip_weapon(3, 1, 1);
  EXPECT_EQ(said().back(), "You can't equip that!");
  me.intelligence = 19;
  equip_weapon(1, 1, 1);
  EXPECT_EQ(object[1].status, OBJECT_CARRIED);
  EXPECT_EQ(me.damage, 0);
}

// What the inventory queries find for unit 2, and what destruction leaves.
class Inventory : public bench::item_test {
 protected:
  void SetUp() override {
    bench::fresh();
    unit[1][2].status = UNIT_NORMAL;
  }
  // Puts an item of unit 2 of player 1 in slot k.
  static void give(int k, int type, int status, int slot = 0, int weight = 0) {
    object_record& o = bench::held(k, type, "", status, 1, 2);
    o.range = slot;
    o.weight = weight;
  }
  static void chest(int c, int z, int x, int y, const char* name) {
    bench::box(c, x, y, name).z = z;
  }
};

int (*const all_queries[])(int, int) = {carry_key,       carry_fairy,    carry_rope,   carry_weapon,
                                        carry_armour,    carry_head,     carry_legs,   carry_arms,
                                        carry_feet,      carry_backpack, carry_shield, carry_torch,
                                        carry_lit_torch, carry_light};

TEST_F(Inventory, LightComesFromTheFirstLitTorchOrFairyInHandOfAUnitInPlay) {
  give(3, ITEM_FAIRY, OBJECT_WORN);
  give(5, ITEM_TORCH, OBJECT_LIT);
  give(4, ITEM_FAIRY, OBJECT_CARRIED);
  EXPECT_EQ(carry_light(1, 2), 4);  // the first of either sort
  give(6, ITEM_TORCH, OBJECT_CARRIED);
  unit[1][2].status = UNIT_FREE;
  EXPECT_EQ(carry_light(1, 2) + carry_lit_torch(1, 2) + carry_torch(1, 2), 0);
}

TEST_F(Inventory, BorneLoadsWeighHalfAndHandsAndFlamesWeighFull) {
  give(1, ITEM_WEARABLE, OBJECT_WORN, SLOT_BACK, 15);  // 7
  give(2, ITEM_WEAPON, OBJECT_WIELDED, 0, 21);         // 10
  give(3, ITEM_KEY, OBJECT_PACKED, 0, 3);              // 1
  give(4, ITEM_TORCH, OBJECT_LIT, 0, 5);               // 5
  give(5, ITEM_ROPE, OBJECT_CARRIED, 0, 25);           // 25
  give(6, ITEM_GOLD, OBJECT_CARRIED, 0, 1);            // 1
  give(0, ITEM_ROPE, OBJECT_CARRIED, 0, 25);           // slot 0 is no item
  EXPECT_EQ(std::make_tuple(total_weight(1, 2), carried_objects(1, 2), packed_item(1, 2),
                            total_weight(2, 2)),
            std::make_tuple(49, 4, 1, 0));
}

TEST_F(Inventory, ContainersAreFoundOnlyWhenInUse) {
  container[2] = container_record{};
  container[2].z = 1, container[2].x = 4, container[2].y = 5;
  EXPECT_EQ(which_container(1, 4, 5), 0);
  chest(7, 1, 4, 5, "chest");
  chest(9, 1, 4, 5, "barrel");
  EXPECT_EQ(
      std::make_tuple(which_container(1, 4, 5), which_container(1, 5, 4), which_container(2, 4, 5)),
      std::make_tuple(7, 0, 0));

  inside(1, ITEM_KEY, "A key", 7);
  inside(2, ITEM_KEY, "A key", 9);
  inside(3, ITEM_KEY, "A key", 7);
  object[3].status = OBJECT_WORN;
  EXPECT_EQ(std::make_tuple(container_held(7), container_held(9), container_held(0),
                            container_held(CONTAINER_SLOTS)),
            std::make_tuple(1, 1, 0, 0));
}

TEST_F(Inventory, EmptyingAChestLaysItsContentsOnItsSquare) {
  chest(4, 2, 10, 12, "chest");
  inside(3, ITEM_KEY, "A key", 4);
  inside(8, ITEM_TORCH, "TORCH", 4);
  inside(9, ITEM_ROPE, "some rope", 5);
  list_items_in_containter(4);
  ASSERT_EQ(headless.messages.size(), 1u);
  EXPECT_EQ(headless.messages[0], "In the chest there is A key, TORCH, .");
  EXPECT_EQ(map[2][10][12].object_count, 2);
  for (int k : {3, 8}) {
    EXPECT_EQ(bench::place(k), std::make_tuple(OBJECT_ON_GROUND, 0, 0, 10, 12));
    EXPECT_EQ(object[k].z, 2);
  }
  EXPECT_EQ(object[9].owner_unit, 5);
  EXPECT_EQ(container_held(4), 0);

  list_items_in_containter(4);
  EXPECT_EQ(headless.messages.back(), "In the chest there is nothing.");
  EXPECT_EQ(map[2][10][12].object_count, 2);
}

TEST_F(Inventory, DestroyingAContainerTakesItsContentsWithIt) {
  chest(5, 1, 2, 2, "wardrobe");
  chest(6, 1, 2, 3, "chest");
  inside(1, ITEM_KEY, "A key", 5);
  inside(2, ITEM_TORCH, "TORCH", 5);
  object[2].status = OBJECT_WORN;  // any status counts as inside
  inside(3, ITEM_ROPE, "some rope", 6);
  destroy_container(5);
  EXPECT_EQ(container[5].state, CONTAINER_FREE);
  EXPECT_EQ(container[5].x + container[5].y + container[5].z, 0);
  EXPECT_EQ(std::make_tuple(object[1].status, object[2].status, object[3].status),
            std::make_tuple(OBJECT_FREE, OBJECT_FREE, OBJECT_CARRIED));
  EXPECT_EQ(which_container(1, 2, 2), 0);
  EXPECT_EQ(container_held(6), 1);
}

}  // namespace
