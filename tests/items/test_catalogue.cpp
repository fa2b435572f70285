#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "core/headless.h"
#include "core/world.h"
#include "creatures/names.h"
#include "items/catalogue.h"
#include "items/inventory.h"
#include "tests/seeded_draws.h"

namespace {

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    use_headless();
    reset_globals();
    nuke_variables();
    DEBUG_MODE = 0;
    set_depth(0);
  }
  // A cheap reset between cases of a loop: the first slots and every count.
  static void fresh() {
    for (int i = 1; i <= 10; i++) object[i] = object_record{};
    for (auto& level : map)
      for (auto& column : level)
        for (auto& square : column) square.object_count = 0;
  }
  // Quality rolls read the level of the acting unit.
  static void set_depth(int d) {
    unit[1][1].status = UNIT_NORMAL;
    unit[1][1].z = d;
  }
};

// Everything a creation wrote into slot k, and where.
std::string made(int k) {
  const object_record& o = object[k];
  char line[512];
  std::snprintf(line, sizeof line, "%d|%s|%s|%d|%d|%d|%d|%d|%d,%d,%d|%d", o.type, o.name,
                o.description, o.var1, o.weight, o.range, o.worth, o.status, o.z, o.x, o.y,
                map[o.z][o.x][o.y].object_count);
  return line;
}

uint64_t fold(uint64_t h, const std::string& s) {
  for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

// What each maker builds over many seeds at every depth and in both quest
// kinds, the draw that follows it included, folded into one pinned number: a
// change to any name, quality word, value, weight or to the number of draws
// taken cannot pass unseen.
TEST_F(Catalogue, EveryMakerKeepsWhatItBuildsForEachSeedAndDepth) {
  struct maker {
    const char* name;
    int (*make)(int, int, int, int);
    uint64_t pinned;
  };
  const maker makers[] = {
      {"weapon", create_weapon, 4077099520085217785ull},
      {"armour", create_armour, 15946499263650327941ull},
      {"gold", create_gold, 6618030577344477359ull},
      {"gem", create_gem, 9267286637708911937ull},
      {"potion", create_potion, 14508764933078150389ull},
      {"magic item", create_magicitem, 6558492682202915649ull},
      {"food", create_food, 13011067770760819673ull},
      {"torch", create_torch, 15072283348995440957ull},
  };
  for (const maker& m : makers) {
    SCOPED_TRACE(m.name);
    uint64_t h = 14695981039346656037ull;
    for (int quest : {1, 2})
      for (int d : {0, 3, 4, 5, 6, 8, 9})
        for (unsigned seed = 1; seed <= 60; seed++) {
          fresh();
          set_depth(d);
          QUEST_NO = quest;
          std::srand(seed);
          ASSERT_EQ(m.make(0, d % 2 ? 5 : 0, 7, 8), 1);
          ASSERT_NE(object[1].type, ITEM_MAGIC);
          h = fold(h, made(1) + "|" + std::to_string(std::rand()));
        }
    EXPECT_EQ(h, m.pinned);
  }
}

TEST_F(Catalogue, PlainItemsCarryTheirCatalogueEntries) {
  struct expected {
    int (*make)(int, int, int, int);
    const char* line;
  };
  const expected cases[] = {
      {create_key, "69|A key|A rusty door key.|0|1|0|0|1|1,1,1|1"},
      {create_fairy, "45|A Fairy|An illuminous fairy.|0|1|5|0|1|1,1,1|1"},
      {create_rope,
       "143|some rope|The rope has a small grappling hook at one end.|0|25|0|0|1|1,1,1|1"},
      {create_corpse, "147|A corpse|The cadaver of a dead creature..|20|75|0|0|1|1,1,1|1"}};
  for (const expected& e : cases) {
    fresh();
    int k = e.make(0, 1, 1, 1);
    EXPECT_EQ(made(k), e.line);
  }
  // Every creation chose a picture.
  EXPECT_EQ(headless.icons.size(), 4u);
}

TEST_F(Catalogue, PickedPlantsGoToTheHandOrFallWhenItIsFull) {
  unit[1][2].status = UNIT_NORMAL;
  unit[1][2].z = 3, unit[1][2].x = 10, unit[1][2].y = 11;
  for (int i = 1; i <= 8; i++)
    object[i].status = OBJECT_CARRIED, object[i].owner_player = 1, object[i].owner_unit = 2;
  ASSERT_EQ(create_mushrooms(1, 2), 9);
  EXPECT_EQ(made(9) + " " + std::to_string(object[9].owner_unit),
            "21|Some mushrooms|Eat me|0|1|0|0|2|0,0,0|0 2");
  // Nine in hand: the tenth lands at the picker's feet.
  ASSERT_EQ(create_herbs(1, 2), 10);
  EXPECT_EQ(object[10].owner_player + object[10].owner_unit, 0);
  EXPECT_EQ(made(10), "24|Magic Herbs|They're magic|0|1|0|0|1|3,10,11|1");
  EXPECT_EQ(carried_objects(1, 2), 9);
}

TEST_F(Catalogue, AFullTableOrAPlaceOffTheMapMakesNothing) {
  EXPECT_EQ(create_key(0, 0, LAND_SIZE, 3), 0);
  EXPECT_EQ(create_weapon(0, -1, 3, 3), 0);
  EXPECT_EQ(create_gold(0, LEVELS, 3, 3), 0);
  EXPECT_EQ(create_torch(OBJECT_SLOTS, 1, 3, 3), 0);
  create_random_object(0, 3, -1);
  EXPECT_TRUE(headless.messages.empty());

  for (int i = 1; i < MAX_OBJECTS; i++) object[i].status = OBJECT_ON_GROUND, object[i].z = 1;
  EXPECT_EQ(create_weapon(0, 2, 2, 2), 0);
  EXPECT_EQ(create_weapon(999, 2, 2, 2), 0);
  EXPECT_EQ(create_magicitem(0, 2, 2, 2), 0);
  EXPECT_EQ(create_mushrooms(1, 1), 0);
  create_random_object(2, 2, 2);
  EXPECT_EQ(map[2][2][2].object_count, 0);
  EXPECT_TRUE(headless.messages.empty());
  EXPECT_TRUE(headless.icons.empty());
}

TEST_F(Catalogue, FindsAtAContainerGoInsideItQuietly) {
  map[2][4][4].scenery = SCENERY_CONTAINER;
  container[3].state = CONTAINER_CLOSED;
  container[3].z = 2, container[3].x = 4, container[3].y = 4;
  create_container_contents(4, 0);  // slot 0 is no container: nothing is made
  EXPECT_EQ(object[1].status, OBJECT_FREE);
  create_container_contents(4, 3);
  EXPECT_EQ(container_held(3), 4);
  EXPECT_EQ(map[2][4][4].object_count, 0);
  for (int i = 1; i <= 4; i++)
    EXPECT_EQ(std::make_tuple(object[i].owner_player, object[i].owner_unit, object[i].z,
                              object[i].x, object[i].y),
              std::make_tuple(OWNER_CONTAINER, 3, 0, 0, 0));
  EXPECT_TRUE(headless.messages.empty());

  // A container marker with no container behind it keeps the find outside.
  map[2][8][8].scenery = SCENERY_CONTAINER;
  create_random_object(2, 8, 8);
  EXPECT_EQ(object[5].status, OBJECT_ON_GROUND);
  EXPECT_EQ(map[2][8][8].object_count, 1);
}

TEST(CatalogueNames, NamesAndScrambledWordsFollowTheDraws) {
  const char* names[] = {"Edmund the Foolish", "Kurt the Elder", "Hagar the Elder",
                         "Tarquin the Younger", "Hagar the Adventurous"};
  for (unsigned seed = 1; seed <= 5; seed++) {
    std::srand(seed);
    create_name(2, 7);
    EXPECT_STREQ(unit[2][7].name, names[seed - 1]) << "seed " << seed;
  }
  // A scrambled word is one letter longer, even when there is none.
  EXPECT_EQ(scramble_word("").size(), 1u);
}

}  // namespace
