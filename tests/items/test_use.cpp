#include <gtest/gtest.h>


#include "core/headless.h"
#include "creatures/monsters.h"
#include "items/actions.h"
#include "items/inventory.h"
#include "items/look.h"
#include "items/use.h"
#include "tests/items/item_bench.h"

using namespace bench;
using std::make_tuple;

namespace {

using Items = item_test;
using lines = std::vector<std::string>;

// What an item action leaves a unit of 200 points with.
std::string after(int moves, int defence, int health) {
  return "moves " + std::to_string(moves) + "/200 damage 0 ranged 0 defence " +
         std::to_string(defence) + " health " + std::to_string(health);
}

// Drinking and eating, from a poisoned unit: the ceiling on health follows
// the difficulty, food heals half above 44, potions and herbs that heal cure.
TEST_F(Items, PotionsHerbsAndFoodChangeTheDrinker) {
  struct expected {
    const char* what;
    int type, range, var1, health, difficulty, moves, defence, health_after;
    const char* said;
    int status;
  };
  const expected cases[] = {
      {"health potion", ITEM_POTION, 1, 10, 130, 1, 175, 0, 135, "You drink health potion",
       UNIT_NORMAL},
      {"speed potion", ITEM_POTION, 2, 25, 30, 1, 215, 0, 30, "You drink speed potion",
       UNIT_POISONED},
      {"defence potion", ITEM_POTION, 3, 2, 30, 1, 175, 2, 30, "You drink defence potion",
       UNIT_POISONED},
      {"water", ITEM_POTION, 0, 0, 30, 1, 175, 0, 30, "You drink water", UNIT_POISONED},
      {"herbs", ITEM_HERBS, 0, 0, 100, 3, 185, 0, 105, "Hmmm you feel wonderful!", UNIT_NORMAL},
      {"food at 44", ITEM_FOOD, 0, 10, 44, 1, 175, 0, 54, "You use the food at 44", UNIT_POISONED},
      {"food above 44", ITEM_FOOD, 0, 10, 54, 1, 175, 0, 59, "You use the food above 44",
       UNIT_POISONED},
      {"food to the ceiling", ITEM_FOOD, 0, 10, 134, 1, 175, 0, 135,
       "You use the food to the ceiling", UNIT_POISONED},
  };
  for (const expected& e : cases) {
    SCOPED_TRACE(e.what);
    fresh();
    unit_record& me = hero();
    me.health = e.health;
    me.status = UNIT_POISONED;
    DIFFICULTY = e.difficulty;
    object_record& it = held(1, e.type, e.what);
    it.range = e.range, it.var1 = e.var1;
    use_object(1, 1, 1);
    EXPECT_EQ(stats(me), after(e.moves, e.defence, e.health_after));
    EXPECT_EQ(said().back(), e.said);
    EXPECT_EQ(me.status, e.status);
    EXPECT_EQ(object[1].status, OBJECT_FREE);
  }
}

// The first draw out of four decides what a mushroom does.
TEST_F(Items, MushroomsByTheFirstRoll) {
  const char* said_after[] = {"Errg they make you sick!", "Hmmm you feel great!",
                              "You skin turns blue!", "Nothing much happens!"};
  const int defence[] = {0, 0, 1, 0}, health[] = {50, 73, 50, 50};
  for (int m = 0; m < 4; m++) {
    fresh();
    unit_record& me = hero();
    me.health = 50;
    held(1, ITEM_MUSHROOMS, "mushrooms");
    seed_where(1, [m](const std::vector<int>& r) { return r[0] % 4 == m; });
    use_object(1, 1, 1);
    EXPECT_EQ(said().back(), said_after[m]);
    EXPECT_EQ(stats(me), after(175, defence[m], health[m]));
    EXPECT_EQ(object[1].status, OBJECT_FREE);
    EXPECT_EQ(me.status, m == 0 ? UNIT_POISONED : UNIT_NORMAL);
  }
}

TEST_F(Items, TorchIsLitOnlyFacingFireWithAHandFree) {
  unit_record& me = hero();
  held(1, ITEM_TORCH, "TORCH");
  use_object(1, 1, 1);
  EXPECT_EQ(said().back(), "You need to be facing a fire, or something to light that!");
  map[0][10][11].scenery = SCENERY_FIRE;
  held(2, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  held(3, ITEM_WEARABLE, "shield", OBJECT_WORN).range = SLOT_SHIELD;
  use_object(1, 1, 1);
  EXPECT_EQ(said().back(), "You don't have enough free hands to do that!");
  object[3].status = OBJECT_CARRIED;
  use_object(1, 1, 1);
  EXPECT_EQ(object[1].status, OBJECT_LIT);
  EXPECT_EQ(me.moves, 190);
  EXPECT_EQ(said().back(), "You light the TORCH");
  held(4, ITEM_TORCH, "TORCH");
  use_object(4, 1, 1);
  EXPECT_EQ(said().back(), "You can only light one torch at a time!");
  use_object(1, 1, 1);
  EXPECT_EQ(object[1].status, OBJECT_CARRIED);
  EXPECT_EQ(said().back(), "You extinguish the torch!");
  // Lava ahead lights one as well as a fire.
  map[0][10][11].scenery = SCENERY_NONE;
  environment[0][10][11].lava = 1;
  use_object(1, 1, 1);
  EXPECT_EQ(object[1].status, OBJECT_LIT);
}

TEST_F(Items, UsingRefusalsAndDullUsers) {
  unit_record& me = hero();
  held(1, ITEM_KEY, "key");
  use_object(1, 1, 1);
  EXPECT_EQ(said().back(), "You can't use that!");
  held(2, ITEM_HERBS, "herbs", OBJECT_CARRIED, 1, 2);
  use_object(2, 1, 1);
  EXPECT_EQ(object[2].status, OBJECT_CARRIED);
  held(3, ITEM_HERBS, "herbs");
  me.intelligence = 24;
  use_object(3, 1, 1);
  EXPECT_EQ(object[3].status, OBJECT_CARRIED);
  EXPECT_EQ(said().size(), 1u);
}

object_record& bag(int k, const char* coin, int worth, int weight) {
  object_record& o = held(k, ITEM_GOLD, "A bag of florins");
  o.worth = worth;
  o.weight = weight;
  copy_text(o.description, (std::string("3") + coin + "florins in a bag.").c_str());
  return o;
}

TEST_F(Items, MergingThreeGoldBagsInTwoUses) {
  hero();
  bag(1, " gold ", 40, 1);
  bag(2, " silver ", 9, 1);
  bag(3, " gold ", 80, 2);
  bag(4, " gold ", 120, 3);
  use_object(1, 1, 1);
  EXPECT_EQ(said().back(), "You merge two bags of the same florins");
  EXPECT_EQ(object[3].status, OBJECT_FREE);
  use_object(1, 1, 1);
  EXPECT_EQ(object[4].status, OBJECT_FREE);
  EXPECT_EQ(make_tuple(object[1].worth, object[1].weight, std::string(object[1].description)),
            make_tuple(240, 6, std::string("24 gold florins in a bag.")));
  EXPECT_EQ(object[2].worth, 9);
  use_object(1, 1, 1);
  EXPECT_EQ(said().back(), "You have only one bag of that type florin!");
}

TEST_F(Items, MergingCoinClassesAndCounts) {
  hero();
  const char* words[] = {" common ", " bronze ", " silver ", " gold ", " platinum ", " royal "};
  for (int c = 0; c < 6; c++) {
    bag(1, words[c], 300, 1);
    EXPECT_EQ(florin_ret(1), c);
  }
  copy_text(object[1].description, "odd coins");
  EXPECT_EQ(florin_ret(1), 0);
  bag(1, " common ", 5, 1);
  bag(2, " common ", 5, 1);
  merge_bag(1);
  EXPECT_STREQ(object[1].description, "20 common florins in a bag.");
  bag(1, " royal ", 300, 1);
  bag(2, " royal ", 200, 1);
  merge_bag(2);
  EXPECT_STREQ(object[2].description, "5 royal florins in a bag.");
}

TEST_F(Items, BashingBlowGrowsWithPointsLeftAndBareHandsDoNothing) {
  unit_record& me = hero();
  me.strength = 2, me.movement = 100, me.moves = 91;
  container_record& k = box(3, 10, 11, "chest");
  k.health = 100;
  bash_container(0, 10, 11, 1, 1);
  EXPECT_EQ(make_tuple(k.health, me.moves), make_tuple(100, 91));
  EXPECT_EQ(said(), (lines{"You strike the chest with your fists and feets.",
                           "However your kicks and punches are ineffectual!"}));
  held(1, ITEM_WEAPON, "club", OBJECT_WIELDED).var1 = 1;
  bash_container(0, 10, 11, 1, 1);  // above 90: a mighty blow, three times
  EXPECT_EQ(make_tuple(k.health, me.moves), make_tuple(94, 16));
  EXPECT_EQ(said().back(), "You strike the chest with a mighy blow from club");
  me.moves = 51;
  bash_container(0, 10, 11, 1, 1);
  EXPECT_EQ(k.health, 90);
  EXPECT_EQ(said().back(), "You strike the chest with a heavy blow from club");
  me.moves = 50;
  bash_container(0, 10, 11, 1, 1);
  EXPECT_EQ(k.health, 88);
  EXPECT_EQ(said().back(), "You strike the chest with club");
}

TEST_F(Items, BashingASmashedContainerSpillsItsItemsAndFreesItsSquare) {
  hero();
  held(1, ITEM_WEAPON, "axe", OBJECT_WIELDED).var1 = 5;
  box(3, 10, 11, "chest").health = 1;
  inside(20, ITEM_KEY, "A key", 3);
  inside(21, ITEM_TORCH, "TORCH", 3);
  bash_container(0, 10, 11, 1, 1);
  EXPECT_TRUE(headless_said("You smash the chest."));
  EXPECT_EQ(container[3].state, CONTAINER_FREE);
  const map_cell& at = map[0][10][11];
  EXPECT_EQ(make_tuple(at.scenery, at.passable, at.object_count), make_tuple(SCENERY_NONE, 1, 2));
  for (int k : {20, 21}) EXPECT_EQ(place(k), make_tuple(OBJECT_ON_GROUND, 0, 0, 10, 11));
}

TEST_F(Items, ClosingSweepsTheItemsAtItInside) {
  hero(1, 1, 10, 10, SOUTH);
  container_record& k = box(3, 10, 11, "chest", 1);
  k.state = CONTAINER_OPEN;
  lying(20, ITEM_GEM, "gem", 10, 11);
  lying(21, ITEM_GEM, "gem", 10, 11);
  lying(22, ITEM_GEM, "gem", 10, 12);
  close_container(3);
  EXPECT_EQ(make_tuple(k.state, k.facing, map[0][10][11].object_count, container_held(3)),
            make_tuple(CONTAINER_CLOSED, NORTH, 0, 2));
  EXPECT_EQ(object[22].status, OBJECT_ON_GROUND);
  EXPECT_EQ(said().back(), "You close the chest.");
}

TEST_F(Items, LookingUnderfootItemsAndAhead) {
  hero(1, 1, 10, 10, EAST);
  map[0][10][10].terrain = TERRAIN_WOODEN_FLOOR;
  lying(20, ITEM_KEY, "A key", 10, 10);
  lying(21, ITEM_TORCH, "TORCH", 10, 10);
  map[0][11][10].terrain = TERRAIN_OPEN_DOOR;
  map[0][11][10].scenery = SCENERY_FIRE;
  look();
  EXPECT_EQ(
      said(),
      (lines{"You are standing on wooden floorboards.", "You can see A key, TORCH, here.",
             "Directly infront of you is an open door.", "Directly infront of you is a fire. "}));
}

TEST_F(Items, LookingWaterContainersHiddenTrapsAndOddScenery) {
  hero(1, 1, 10, 10, SOUTH);
  environment[0][10][10].water = 1;
  box(3, 10, 11, "oak chest");
  look();
  EXPECT_EQ(said(),
            (lines{"You are standing in water.", "Directly infront of you is a oak chest."}));
  headless.messages.clear();
  map[0][10][11].scenery = SCENERY_HIDDEN_TRAP;
  environment[0][10][10].water = 0;
  map[0][10][10].terrain = 22;
  look();
  EXPECT_EQ(said(), (lines{"You are somewhere."}));
  headless.messages.clear();
  map[0][10][11].scenery = SCENERY_WELL;
  look();
  EXPECT_EQ(said().back(), "There is something ahead of you.");
  // At the edge of the level nothing is ahead.
  headless.messages.clear();
  hero(1, 1, 0, 0, NORTH);
  look();
  EXPECT_EQ(said().size(), 1u);
}

TEST_F(Items, LookingAtASquareListsItsItemsInPieces) {
  hero();
  lying(20, ITEM_KEY, "A key", 12, 12);
  look_at_object(12, 12, 0);
  EXPECT_EQ(said(), (lines{"There appears to be A key, ."}));
  copy_text(object[20].description, "A rusty door key");
  display_item_desc(20);
  EXPECT_EQ(said().back(), "A rusty door key");
  headless.messages.clear();
  for (int k = 21; k < 30; k++) lying(k, ITEM_GEM, "a large and finely cut flawless", 12, 12);
  look_at_object(12, 12, 0);
  ASSERT_GT(said().size(), 1u);
  size_t names = 0;
  for (const std::string& line : said()) {
    EXPECT_LE(line.size(), static_cast<size_t>(LIST_PIECE_WIDTH) + 1);
    for (size_t at = line.find("flawless"); at != std::string::npos;
         at = line.find("flawless", at + 1))
      names++;
  }
  EXPECT_EQ(names, 9u);
  EXPECT_EQ(said().front().rfind("There appears to be A key, ", 0), 0u);
  EXPECT_EQ(said().back().back(), '.');
}

TEST_F(Items, InventoryReportListsInPiecesWithMarks) {
  hero();
  inventory();
  EXPECT_EQ(said(), (lines{"You have ", "Nothing"}));
  EXPECT_EQ(UPDATE_MAP, 1);
  headless.messages.clear();
  held(1, ITEM_WEARABLE, "pack", OBJECT_WORN);
  held(2, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  held(3, ITEM_KEY, "key");
  held(4, ITEM_GEM, "gem", OBJECT_PACKED);
  held(5, ITEM_GEM, "opal");
  held(6, ITEM_GEM, "jet", OBJECT_CARRIED, 1, 2);
  for (int k = 7; k <= 13; k++) held(k, ITEM_ROPE, "rope");
  inventory();
  EXPECT_EQ(said(), (lines{"You have pack(worn), sword(*), key, ", "  gem(packed), opal, ",
                           "  rope, rope, ", "  rope, rope, ", "  rope, rope, ", "  rope, "}));
}

// A unit facing south at (10, 10), a crypt below it; no creature yet.
unit_record& at_crypt(int code) {
  fresh();
  for (int u = 1; u < UNIT_SLOTS; u++) unit[2][u].status = UNIT_FREE;
  unit_record& me = hero(1, 1, 10, 10, SOUTH);
  map[0][10][11].scenery = code;
  map[0][10][11].passable = 0;
  return me;
}

int objects_at(int x, int y) {
  int n = 0;
  for (int i = 1; i < OBJECT_SLOTS; i++)
    n += object[i].status == OBJECT_ON_GROUND && object[i].x == x && object[i].y == y;
  return n;
}

// The first draw decides: loot at the searcher's side, nothing, or a ghoul.
// A searched crypt holds nothing and costs nothing.
TEST_F(Items, SearchingACryptFindsLootNothingOrAGhoulByTheFirstDraw) {
  struct expected {
    int code, low, high;  // of the first draw, out of 10
    const char* said;
    int moves, loot, ghouls;
  };
  const expected cases[] = {
      {SCENERY_OPEN_CRYPT, 0, 2, "Amongst the bones you find something", 0, 1, 0},
      {SCENERY_OPEN_CRYPT, 3, 7, "You find nothing.", 190, 0, 0},
      {SCENERY_OPEN_CRYPT, 8, 9, "A Ghoul leaps out!", 0, 0, 1},
      {SCENERY_SEARCHED_CRYPT, 0, 9, "You find nothing.", 200, 0, 0}};
  for (const expected& e : cases) {
    SCOPED_TRACE(e.said);
    unit_record& me = at_crypt(e.code);
    seed_where(
        1, [&e](const std::vector<int>& d) { return d[0] % 10 >= e.low && d[0] % 10 <= e.high; });
    search_object(e.code, 10, 11, 0);
    EXPECT_EQ(said().back(), e.said);
    EXPECT_EQ(me.moves, e.moves);
    EXPECT_EQ(map[0][10][11].scenery, SCENERY_SEARCHED_CRYPT);
    EXPECT_EQ(make_tuple(objects_at(10, 10), map[0][10][10].object_count, headless.effects),
              make_tuple(e.loot, e.loot, e.loot));
    EXPECT_EQ(objects_at(10, 11), 0);
    const map_cell& at = map[0][10][11];
    EXPECT_EQ(at.occupant_player ? unit[2][at.occupant_unit].race : 0, e.ghouls ? RACE_GHOUL : 0);
  }
}

TEST_F(Items, SearchingTurnsToFaceAndStopsWithoutPoints) {
  unit_record& me = at_crypt(SCENERY_OPEN_CRYPT);
  me.facing = NORTH;
  me.moves = 5;
  search_object(SCENERY_OPEN_CRYPT, 10, 11, 0);
  EXPECT_TRUE(said().empty());
  EXPECT_EQ(map[0][10][11].scenery, SCENERY_OPEN_CRYPT);
}

TEST_F(Items, SearchingAContainerEmptiesItOntoItsSquare) {
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
