#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "items/destroy.h"
#include "items/inventory.h"
#include "tests/items/item_bench.h"

namespace {

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

using bench::inside;
using bench::lying;

int (*const all_queries[])(int, int) = {carry_key,       carry_fairy,    carry_rope,   carry_weapon,
                                        carry_armour,    carry_head,     carry_legs,   carry_arms,
                                        carry_feet,      carry_backpack, carry_shield, carry_torch,
                                        carry_lit_torch, carry_light};

// Which of the queries above find item 5 of unit 2 ('x'), for each kind and
// status alone; nobody else's query finds it.
TEST_F(Inventory, EachQueryFindsOnlyItsKindInItsPlace) {
  struct expected {
    int type, status, slot;
    const char* found;
  };
  const expected cases[] = {
      {ITEM_KEY, OBJECT_CARRIED, 0, "x............."},
      {ITEM_KEY, OBJECT_PACKED, 0, ".............."},
      {ITEM_FAIRY, OBJECT_CARRIED, 0, ".x...........x"},
      {ITEM_FAIRY, OBJECT_WORN, 0, ".x............"},
      {ITEM_FAIRY, OBJECT_PACKED, 0, ".............."},
      {ITEM_ROPE, OBJECT_CARRIED, 0, "..x..........."},
      {ITEM_ROPE, OBJECT_PACKED, 0, ".............."},
      {ITEM_WEAPON, OBJECT_CARRIED, 0, ".............."},
      {ITEM_WEAPON, OBJECT_WIELDED, 0, "...x.........."},
      {ITEM_TORCH, OBJECT_CARRIED, 0, "...........x.."},
      {ITEM_TORCH, OBJECT_PACKED, 0, ".............."},
      {ITEM_TORCH, OBJECT_LIT, 0, "............xx"},
      {ITEM_WEARABLE, OBJECT_CARRIED, SLOT_BODY, ".............."},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_BODY, "....x........."},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_HEAD, ".....x........"},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_LEGS, "......x......."},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_ARMS, ".......x......"},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_FEET, "........x....."},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_BACK, ".........x...."},
      {ITEM_WEARABLE, OBJECT_WORN, SLOT_SHIELD, "..........x..."},
      {ITEM_WEARABLE, OBJECT_CARRIED, SLOT_SHIELD, ".............."},
  };
  for (const expected& e : cases) {
    SetUp();
    lying(1, e.type, "on the ground", 1, 1, 0);
    give(5, e.type, e.status, e.slot);
    std::string found;
    for (auto query : all_queries) {
      found += query(1, 2) == 5 ? 'x' : query(1, 2) == 0 ? '.' : '?';
      EXPECT_EQ(query(1, 3) + query(0, 0), 0);  // ground items are nobody's
    }
    EXPECT_EQ(found, e.found) << "type " << e.type << " status " << e.status << " slot " << e.slot;
  }
  SetUp();
  EXPECT_EQ(total_weight(1, 2), 0);
  EXPECT_EQ(carried_objects(0, 0), 0);
}

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

TEST_F(Inventory, DestroyingFreesSlotsAndKeepsSquareCountsTrue) {
  lying(1, ITEM_KEY, "A key", 3, 3, 3);
  lying(2, ITEM_KEY, "A key", 3, 3, 3);
  lying(3, ITEM_KEY, "A key", 3, 4, 3);
  give(4, ITEM_KEY, OBJECT_CARRIED);
  object[4].z = 3, object[4].x = 3, object[4].y = 3;  // a carried item's stale position
  destroy_tile_objects(3, 3, 3);
  EXPECT_EQ(map[3][3][3].object_count, 0);
  const object_record& gone = object[1];
  EXPECT_EQ(std::make_tuple(gone.status, std::string(gone.name), std::string(gone.description),
                            gone.type, gone.z),
            std::make_tuple(OBJECT_FREE, std::string("destroyed"), std::string("destroyed"), 0, 0));
  EXPECT_EQ(std::make_tuple(object[3].status, object[4].status),
            std::make_tuple(OBJECT_ON_GROUND, OBJECT_CARRIED));

  // A count already at 0 is not driven below it; a carried item leaves counts alone.
  map[3][3][4].object_count = 0;
  destroy_object(3);
  EXPECT_EQ(map[3][3][4].object_count, 0);
  map[3][3][3].object_count = 1;
  destroy_object(4);
  EXPECT_EQ(map[3][3][3].object_count, 1);

  destroy_object(0);
  destroy_object(-3);
  destroy_object(OBJECT_SLOTS);
  EXPECT_STRNE(object[0].name, "destroyed");
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
