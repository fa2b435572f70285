#include <gtest/gtest.h>

#include "creatures/monsters.h"
#include "items/inventory.h"
#include "items/use.h"
#include "tests/items/item_bench.h"

using namespace bench;

namespace {

class Searching : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh();
    for (int u = 1; u < UNIT_SLOTS; u++) unit[2][u].status = UNIT_FREE;
  }
  // A unit facing south at (10, 10), an open crypt below it.
  unit_record& crypt(int code = SCENERY_OPEN_CRYPT) {
    unit_record& me = hero(1, 1, 10, 10, SOUTH);
    map[0][10][11].scenery = code;
    map[0][10][11].passable = 0;
    return me;
  }
  static int objects_at(int x, int y) {
    int n = 0;
    for (int i = 1; i < OBJECT_SLOTS; i++)
      if (object[i].status == OBJECT_ON_GROUND && object[i].x == x && object[i].y == y) n++;
    return n;
  }
};

TEST_F(Searching, SearchedCryptFindsNothingAndCostsNothing) {
  unit_record& me = crypt(SCENERY_SEARCHED_CRYPT);
  search_object(SCENERY_SEARCHED_CRYPT, 10, 11, 0);
  EXPECT_EQ(said().back(), "You find nothing.");
  EXPECT_EQ(me.moves, 200);
}

TEST_F(Searching, CryptLootLandsOnTheSearchersSide) {
  unit_record& me = crypt();
  seed_where(1, [](const std::vector<int>& d) { return d[0] % 10 <= 2; });
  search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
  EXPECT_EQ(said().front(), "Amongst the bones you find something");
  EXPECT_EQ(me.moves, 0);
  EXPECT_EQ(map[0][10][11].scenery, SCENERY_SEARCHED_CRYPT);
  EXPECT_EQ(objects_at(10, 10), 1);
  EXPECT_EQ(map[0][10][10].object_count, 1);
  EXPECT_EQ(objects_at(10, 11), 0);
  EXPECT_EQ(headless.effects, 1);
}

TEST_F(Searching, CryptOftenHoldsNothing) {
  unit_record& me = crypt();
  seed_where(1, [](const std::vector<int>& d) { return d[0] % 10 >= 3 && d[0] % 10 <= 7; });
  search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
  EXPECT_EQ(said().back(), "You find nothing.");
  EXPECT_EQ(me.moves, 190);
  EXPECT_EQ(map[0][10][11].scenery, SCENERY_SEARCHED_CRYPT);
}

TEST_F(Searching, GhoulLeapsOutOfTheCrypt) {
  unit_record& me = crypt();
  seed_where(1, [](const std::vector<int>& d) { return d[0] % 10 >= 8; });
  search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
  EXPECT_TRUE(headless_said("A Ghoul leaps out!"));
  EXPECT_EQ(me.moves, 0);
  EXPECT_EQ(map[0][10][11].occupant_player, 2);
  const int g = map[0][10][11].occupant_unit;
  ASSERT_GE(g, 1);
  EXPECT_EQ(unit[2][g].race, RACE_GHOUL);
  EXPECT_EQ(map[0][10][11].scenery, SCENERY_SEARCHED_CRYPT);
}

TEST_F(Searching, TurnsToFaceAndStopsWithoutPoints) {
  unit_record& me = crypt();
  me.facing = NORTH;
  me.moves = 5;
  search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
  EXPECT_TRUE(said().empty());
  EXPECT_EQ(map[0][10][11].scenery, SCENERY_OPEN_CRYPT);
}

TEST_F(Searching, ContainerEmptiedOntoItsSquare) {
  unit_record& me = hero(1, 1, 10, 10, EAST);
  box(3, 11, 10, "chest");
  search_object(SCENERY_CONTAINER, 11, 10, 0);
  EXPECT_EQ(said().back(), "The chest is empty.");
  EXPECT_EQ(container[3].facing, WEST);
  EXPECT_EQ(me.moves, 200);
  inside(20, ITEM_KEY, "A key", 3);
  search_object(SCENERY_CONTAINER, 11, 10, 0);
  EXPECT_EQ(said().back(), "In the chest there is A key, .");
  EXPECT_EQ(me.moves, 190);
  EXPECT_EQ(map[0][11][10].object_count, 1);
}

}  // namespace
