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

// The first draw decides: loot at the searcher's side, nothing, or a ghoul.
TEST_F(Searching, ACryptHoldsLootNothingOrAGhoulByTheFirstDraw) {
  struct expected {
    int low, high;  // of the first draw, out of 10
    const char* said;
    int moves, loot, ghouls;
  };
  const expected cases[] = {{0, 2, "Amongst the bones you find something", 0, 1, 0},
                            {3, 7, "You find nothing.", 190, 0, 0},
                            {8, 9, "A Ghoul leaps out!", 0, 0, 1}};
  for (const expected& e : cases) {
    SCOPED_TRACE(e.said);
    SetUp();
    unit_record& me = crypt();
    seed_where(
        1, [&e](const std::vector<int>& d) { return d[0] % 10 >= e.low && d[0] % 10 <= e.high; });
    search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
    EXPECT_TRUE(headless_said(e.said));
    EXPECT_EQ(me.moves, e.moves);
    EXPECT_EQ(map[0][10][11].scenery, SCENERY_SEARCHED_CRYPT);
    EXPECT_EQ(objects_at(10, 10), e.loot);
    EXPECT_EQ(map[0][10][10].object_count, e.loot);
    EXPECT_EQ(objects_at(10, 11), 0);
    EXPECT_EQ(headless.effects, e.loot);
    const map_cell& at = map[0][10][11];
    EXPECT_EQ(at.occupant_player ? unit[2][at.occupant_unit].race : 0, e.ghouls ? RACE_GHOUL : 0);
  }
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
