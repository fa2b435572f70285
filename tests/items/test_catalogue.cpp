#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/headless.h"
#include "core/world.h"
#include "tests/seeded_draws.h"
#include "items/catalogue.h"
#include "creatures/names.h"
#include "items/inventory.h"

namespace {

struct stepped {
  std::string word;
  int value;
};

// The quality tables, written out from the rules of the game: row 0 is the
// one every roll off the table takes.
template <std::size_t N>
stepped pick(int roll, const std::string (&words)[N], const int (&values)[N]) {
  int row = roll >= 1 && roll < static_cast<int>(N) ? roll : 0;
  return {words[row], values[row]};
}

stepped metal(int raw, int d, int v) {
  const std::string w[] = {"stone ", "copper ", "bronze ", "iron ", "steel ", "tempered "};
  return pick(raw % 4 - (d < 4) + (d >= 6) + (d >= 9), w, {v / 2, v - 1, v, v + 2, v + 4, v * 2});
}

stepped condition(int raw, int d, int v) {
  const std::string w[] = {"broken ", "average ", "nice ", "fine ", "excellent "};
  return pick(raw % 3 - (d < 4) + (d >= 5) + (d >= 9), w, {v / 2, v, v + 1, v + 2, v + 4});
}

stepped age(int raw, int d, int v) {
  const std::string w[] = {"ancient ", "used ", "fine ", "master "};
  return pick(raw % 3 - (d < 4) + (d >= 8), w, {v / 2, v, v + v / 2, 2 * v + 3});
}

stepped food(int raw, int d, int v) {
  const std::string w[] = {" rotten", " stale", " edible", " strange"};
  return pick(raw % 3 - (d < 4) + (d >= 8), w, {v / 2, v - 2, 2 * v, 2 * v + 2});
}

stepped gem_grade(int raw, int d, int v) {
  const std::string w[] = {"chipped ", "rough ", "", "cut ", "flawless "};
  return pick(raw % 4 - (d < 4) + (d >= 8), w, {v / 3, v, v * 3 / 2, v * 3, v * 5});
}

stepped stone(int raw, int d, int v) {
  const std::string w[] = {"crystal ", "emerald ", "sapphire ", "ruby ", "amethyst ", "diamond "};
  return pick(raw % 5 - (d < 4) + (d >= 8), w, {v / 5, v, v * 2, v * 3, v * 5, v * 8});
}

stepped coin(int raw, int d, int v) {
  const std::string w[] = {" common ", " bronze ", " silver ", " gold ", " platinum ", " royal "};
  return pick(raw % 5 - (d < 4) + (d >= 8), w, {v / 2, v, v * 3, v * 10, v * 25, v * 100});
}

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

// Weapons and armour

struct weapon_expect {
  const char* name;
  int base, spread, range, weight;
};
const weapon_expect weapon_table[10] = {{"dagger", 2, 3, 1, 4},   {"axe", 3, 6, 1, 16},
                                        {"club", 1, 6, 1, 18},    {"sword", 4, 8, 1, 20},
                                        {"pickaxe", 1, 6, 1, 30}, {"knife", 2, 2, 1, 3},
                                        {"shovel", 2, 6, 1, 25},  {"hammer", 4, 4, 1, 35},
                                        {"spear", 3, 5, 5, 18},   {"rock", 1, 3, 5, 3}};

TEST_F(Catalogue, WeaponRowsFollowTheirDrawsAtEveryDepth) {
  for (int d : {0, 4, 6, 9}) {
    for (int z : {0, 5, 9}) {
      std::set<int> rows;
      for (unsigned seed = 1; seed < 200; seed++) {
        fresh();
        set_depth(d);
        auto r = draws_for(seed, 4);
        const weapon_expect& w = weapon_table[r[0] % 10];
        int k = create_weapon(0, z, 7, 8);
        ASSERT_EQ(k, 1);
        const object_record& o = object[k];
        rows.insert(r[0] % 10);
        EXPECT_EQ(o.type, ITEM_WEAPON);
        EXPECT_STREQ(o.name, w.name);
        EXPECT_EQ(o.range, w.range);
        EXPECT_EQ(o.weight, w.weight);
        EXPECT_EQ(o.worth, 0);
        EXPECT_EQ(o.status, OBJECT_ON_GROUND);
        EXPECT_EQ(o.z * 10000 + o.x * 100 + o.y, z * 10000 + 708);
        EXPECT_EQ(map[z][7][8].object_count, 1);
        int damage = w.base + z / 2 + r[1] % w.spread;
        if (r[0] % 10 == 9) {
          EXPECT_EQ(o.var1, damage);
          EXPECT_STREQ(o.description, "");
          continue;
        }
        stepped a = age(r[2], d, damage);
        stepped m = metal(r[3], d, a.value);
        EXPECT_EQ(o.var1, m.value) << "seed " << seed << " depth " << d;
        EXPECT_EQ(std::string(o.description), a.word + m.word + w.name);
      }
      EXPECT_EQ(rows.size(), 10u);
    }
  }
}

TEST_F(Catalogue, SlotNineNineNineIsAlwaysARockInTheFirstFreeSlot) {
  object[1].status = OBJECT_ON_GROUND;
  object[1].z = 2;
  for (unsigned seed = 1; seed < 30; seed++) {
    auto r = draws_for(seed, 2);
    int k = create_weapon(999, 4, 3, 3);
    ASSERT_EQ(k, 2);
    EXPECT_STREQ(object[k].name, "rock");
    EXPECT_STREQ(object[k].description, "");
    EXPECT_EQ(object[k].var1, 1 + 2 + r[0] % 3);
    EXPECT_EQ(object[k].range, 5);
    // A rock draws its damage and nothing else.
    EXPECT_EQ(std::rand(), r[1]);
    object[k] = object_record{};
  }
}

struct armour_expect {
  const char* name;
  int base, spread, slot, weight, weight_spread;
};
const armour_expect armour_table[10] = {{"hat", 0, 2, 130, 2, 0},
                                        {"pothelm", 1, 3, 130, 5, 4},
                                        {"helmet", 3, 3, 130, 9, 5},
                                        {"small shield", 2, 3, 132, 12, 5},
                                        {"large shield", 4, 3, 132, 25, 10},
                                        {"chain vest", 6, 4, 131, 20, 20},
                                        {"studded trousers", 3, 4, 133, 10, 20},
                                        {"chain gloves", 4, 2, 134, 10, 20},
                                        {"gauntlets", 2, 3, 134, 15, 10},
                                        {"studded jacket", 1, 4, 131, 10, 20}};

TEST_F(Catalogue, ArmourRowsFollowTheirDrawsAtEveryDepth) {
  for (int d : {0, 5, 9}) {
    for (int z : {0, 7}) {
      std::set<int> rows;
      for (unsigned seed = 1; seed < 200; seed++) {
        fresh();
        set_depth(d);
        auto r = draws_for(seed, 5);
        const armour_expect& a = armour_table[r[0] % 10];
        rows.insert(r[0] % 10);
        int k = create_armour(0, z, 1, 2);
        ASSERT_EQ(k, 1);
        const object_record& o = object[k];
        int i = 1;
        int value = a.base + z / 2 + r[i++] % a.spread;
        int weight = a.weight;
        if (a.weight_spread) weight += r[i++] % a.weight_spread;
        stepped g = age(r[i++], d, value);
        stepped c = condition(r[i++], d, g.value);
        EXPECT_EQ(o.type, ITEM_WEARABLE);
        EXPECT_STREQ(o.name, a.name);
        EXPECT_EQ(o.range, a.slot);
        EXPECT_EQ(o.weight, weight);
        EXPECT_EQ(o.var1, c.value) << "seed " << seed;
        EXPECT_EQ(std::string(o.description), g.word + c.word + a.name);
      }
      EXPECT_EQ(rows.size(), 10u);
    }
  }
}

// Treasure

TEST_F(Catalogue, GoldShowsTheBaseCountAndWeighsItButIsWorthTheCoin) {
  bool saw_gold_coin = false;
  for (int quest : {1, 2}) {
    for (int d : {0, 9}) {
      for (unsigned seed = 1; seed < 150; seed++) {
        fresh();
        set_depth(d);
        QUEST_NO = quest;
        auto r = draws_for(seed, 3);
        int k = create_gold(0, 3, 3, 3);
        ASSERT_EQ(k, 1);
        if (r[0] % 5 == 0) {
          EXPECT_EQ(object[k].type, ITEM_GEM);
          continue;
        }
        int base = quest == 2 ? 3 + 3 * (r[1] % 15) : 4 + 4 * (r[1] % 6);
        stepped c = coin(r[2], d, base);
        EXPECT_EQ(object[k].type, ITEM_GOLD);
        EXPECT_STREQ(object[k].name, "bag of florins");
        EXPECT_EQ(object[k].worth, c.value);
        EXPECT_EQ(object[k].weight, base / 6);
        EXPECT_EQ(std::string(object[k].description),
                  std::to_string(base) + c.word + "florins in a bag.");
        if (c.word == " gold ") saw_gold_coin = true;
      }
    }
  }
  EXPECT_TRUE(saw_gold_coin);
}

TEST_F(Catalogue, AGemMadeForGoldTakesTheSameSlotAndCountsOnce) {
  for (unsigned seed = 1; seed < 100; seed++) {
    fresh();
    auto r = draws_for(seed, 4);
    if (r[0] % 5 != 0) continue;
    int k = create_gold(0, 2, 5, 5);
    int worth = 5 + 5 * (r[1] % 25);
    stepped q = gem_grade(r[2], 0, worth);
    stepped s = stone(r[3], 0, q.value);
    EXPECT_EQ(k, 1);
    EXPECT_EQ(object[k].type, ITEM_GEM);
    EXPECT_EQ(object[k].worth, s.value);
    EXPECT_EQ(std::string(object[k].name), "A " + q.word + s.word + "gem.");
    EXPECT_EQ(std::string(object[k].description), std::to_string(s.value) + " florins worth gem.");
    EXPECT_EQ(object[k].weight, 2);
    EXPECT_EQ(map[2][5][5].object_count, 1);
  }
}

TEST_F(Catalogue, DeepGemsAreNeverChippedOrCrystal) {
  set_depth(9);
  for (unsigned seed = 1; seed < 100; seed++) {
    std::srand(seed);
    int k = create_gem(0, 1, 1, 1);
    ASSERT_NE(k, 0);
    EXPECT_EQ(std::strstr(object[k].name, "chipped"), nullptr);
    EXPECT_EQ(std::strstr(object[k].name, "crystal"), nullptr);
  }
}

// Potions and magic items

TEST_F(Catalogue, PotionLabelsAndEffectsFollowTheRoll) {
  for (int d : {0, 3, 4, 8}) {
    for (unsigned seed = 1; seed < 120; seed++) {
      fresh();
      set_depth(d);
      auto r = draws_for(seed, 12);
      int k = create_potion(0, 0, 2, 2);
      ASSERT_EQ(k, 1);
      const object_record& o = object[k];
      int roll = r[0] % 3 - (d <= 3) + (d >= 8);
      std::string word = "water";
      int range = 1, var1 = 0;
      if (roll == 1) word = "health", var1 = 5 + static_cast<int>((5LL * r[1]) % 6);
      if (roll == 2) word = "speed", range = 2, var1 = 25;
      if (roll == 3) word = "defense", range = 3, var1 = 1 + r[1] % 3;
      EXPECT_EQ(o.type, ITEM_POTION);
      EXPECT_EQ(o.weight, 2);
      EXPECT_STREQ(o.name, "potion");
      EXPECT_EQ(o.range, range);
      EXPECT_EQ(o.var1, var1);
      std::string text = o.description;
      const std::string lead = "A potion labelled ";
      ASSERT_EQ(text.substr(0, lead.size()), lead);
      std::string label = text.substr(lead.size());
      ASSERT_EQ(label.size(), word.size() + 1) << text;
      // The label's letters come straight after the roll and the effect draw
      // (a watery potion has none).
      std::size_t next = roll >= 1 && roll <= 3 ? 2 : 1;
      EXPECT_EQ(label[0], 'A' + r[next] % 26);
      for (std::size_t i = 1; i < label.size(); i++) EXPECT_EQ(label[i], 'a' + r[next + i] % 26);
    }
  }
}

TEST_F(Catalogue, MagicItemsNeverStayMagicAndCountOnce) {
  std::set<std::string> seen;
  for (int d : {0, 5, 9}) {
    for (unsigned seed = 1; seed < 100; seed++) {
      fresh();
      set_depth(d);
      auto r = draws_for(seed, 2);
      int k = create_magicitem(0, 6, 9, 9);
      ASSERT_EQ(k, 1);
      const object_record& o = object[k];
      EXPECT_NE(o.type, ITEM_MAGIC);
      EXPECT_EQ(map[6][9][9].object_count, 1);
      EXPECT_EQ(o.status, OBJECT_ON_GROUND);
      int roll = r[0] % 4 - (d < 4) + (d > 7);
      seen.insert(o.name);
      switch (roll) {
        case 0:
          EXPECT_STREQ(o.name, "Backpack");
          EXPECT_EQ(o.range, SLOT_BACK);
          EXPECT_EQ(o.var1, age(r[1], d, 6).value);
          EXPECT_EQ(o.weight, 15);
          break;
        case 1:
          EXPECT_STREQ(o.name, "Elven Boots");
          EXPECT_EQ(o.var1, age(r[1], d, 5 * 6 + 5).value);
          EXPECT_EQ(std::string(o.description), age(r[1], d, 0).word + "Elven Boots");
          break;
        case 2:
          EXPECT_STREQ(o.name, "Salamander Boots");
          EXPECT_EQ(o.var1, 99);
          break;
        case 3:
          EXPECT_EQ(o.type, ITEM_ROPE);
          break;
        case 4:
          EXPECT_EQ(o.type, ITEM_POTION);
          break;
        default:
          EXPECT_STREQ(o.name, "Heavy Boots");
          EXPECT_EQ(o.range, SLOT_FEET);
          EXPECT_EQ(o.weight, 25);
          break;
      }
    }
  }
  EXPECT_TRUE(seen.count("Salamander Boots"));
  EXPECT_TRUE(seen.count("some rope"));
  EXPECT_TRUE(seen.count("potion"));
  EXPECT_TRUE(seen.count("Heavy Boots"));
}

// Plain items, food and plants

TEST_F(Catalogue, PlainItemsCarryTheirCatalogueEntries) {
  int key = create_key(0, 1, 1, 1);
  int fairy = create_fairy(0, 1, 1, 1);
  int rope = create_rope(0, 1, 1, 1);
  int corpse = create_corpse(0, 1, 1, 1);
  std::srand(5);
  int torch = create_torch(0, 1, 1, 1);
  EXPECT_EQ(map[1][1][1].object_count, 5);
  EXPECT_EQ(object[key].type, ITEM_KEY);
  EXPECT_STREQ(object[key].name, "A key");
  EXPECT_STREQ(object[key].description, "A rusty door key.");
  EXPECT_EQ(object[key].weight, 1);
  EXPECT_EQ(object[fairy].type, ITEM_FAIRY);
  EXPECT_STREQ(object[fairy].name, "A Fairy");
  EXPECT_STREQ(object[fairy].description, "An illuminous fairy.");
  EXPECT_EQ(object[fairy].weight, 1);
  EXPECT_EQ(object[rope].type, ITEM_ROPE);
  EXPECT_STREQ(object[rope].name, "some rope");
  EXPECT_EQ(object[corpse].type, ITEM_CORPSE);
  EXPECT_STREQ(object[corpse].name, "A corpse");
  EXPECT_EQ(object[torch].type, ITEM_TORCH);
  EXPECT_STREQ(object[torch].description, "A lighty thing.");
  EXPECT_EQ(object[torch].weight, 5);
  EXPECT_GT(object[fairy].range, 0);  // a fairy must give some light
  EXPECT_EQ(object[rope].weight, 25);
  EXPECT_STREQ(object[rope].description, "The rope has a small grappling hook at one end.");
  EXPECT_EQ(object[corpse].var1, 20);
  EXPECT_EQ(object[corpse].weight, 75);
  EXPECT_STREQ(object[corpse].description, "The cadaver of a dead creature..");
  std::srand(5);
  EXPECT_EQ(object[torch].var1, 50 + std::rand() % 50);
  EXPECT_EQ(object[torch].range, 8);
  EXPECT_STREQ(object[torch].name, "TORCH");
  // Every creation chose a picture.
  EXPECT_EQ(headless.icons.size(), 5u);
}

TEST_F(Catalogue, FoodStateFollowsTheDrawsAndAReusedSlotStartsClean) {
  object[1].status = OBJECT_FREE;
  copy_text(object[1].name, "destroyed");
  copy_text(object[1].description, "destroyed");
  for (int d : {0, 8}) {
    for (unsigned seed = 1; seed < 40; seed++) {
      fresh();
      set_depth(d);
      copy_text(object[1].description, "destroyed");
      auto r = draws_for(seed, 2);
      int k = create_food(0, 0, 0, 0);
      ASSERT_EQ(k, 1);
      stepped f = food(r[1], d, 2 + r[0] % 15);
      EXPECT_EQ(object[k].var1, f.value);
      EXPECT_EQ(std::string(object[k].description), "Some" + f.word + " food");
      EXPECT_STREQ(object[k].name, "Some food.");
    }
  }
}

TEST_F(Catalogue, PickedPlantsGoToTheHandOrFallWhenItIsFull) {
  unit[1][2].status = UNIT_NORMAL;
  unit[1][2].z = 3, unit[1][2].x = 10, unit[1][2].y = 11;
  for (int i = 1; i <= 8; i++) {
    object[i].status = OBJECT_CARRIED;
    object[i].owner_player = 1;
    object[i].owner_unit = 2;
  }
  int k = create_mushrooms(1, 2);
  ASSERT_EQ(k, 9);
  EXPECT_EQ(object[k].status, OBJECT_CARRIED);
  EXPECT_EQ(object[k].owner_unit, 2);
  EXPECT_EQ(object[k].type, ITEM_MUSHROOMS);
  EXPECT_STREQ(object[k].name, "Some mushrooms");
  EXPECT_STREQ(object[k].description, "Eat me");
  EXPECT_EQ(object[k].weight, 1);
  EXPECT_EQ(object[k].z * 10000 + object[k].x * 100 + object[k].y, 0);
  EXPECT_EQ(map[3][10][11].object_count, 0);

  // Nine in hand: the tenth lands at the picker's feet.
  int h = create_herbs(1, 2);
  ASSERT_EQ(h, 10);
  EXPECT_EQ(object[h].status, OBJECT_ON_GROUND);
  EXPECT_EQ(object[h].owner_player, 0);
  EXPECT_EQ(object[h].owner_unit, 0);
  EXPECT_EQ(object[h].z * 10000 + object[h].x * 100 + object[h].y, 31011);
  EXPECT_EQ(map[3][10][11].object_count, 1);
  EXPECT_STREQ(object[h].name, "Magic Herbs");
  EXPECT_STREQ(object[h].description, "They're magic");
  EXPECT_EQ(object[h].type, ITEM_HERBS);
  EXPECT_EQ(carried_objects(1, 2), 9);
}

// Limits

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

// Random finds

TEST_F(Catalogue, TheFindRollPicksTheKind) {
  // By roll: weapon, armour, potion, magic item (whatever it turns into),
  // key, torch, fairy, food, then bags of florins (one in five a gem).
  const int kinds[] = {ITEM_WEAPON, ITEM_WEARABLE, ITEM_POTION, 0,         ITEM_KEY,  ITEM_TORCH,
                       ITEM_FAIRY,  ITEM_FOOD,     ITEM_GOLD,   ITEM_GOLD, ITEM_GOLD, ITEM_GOLD};
  for (int quest : {1, 2}) {
    QUEST_NO = quest;
    int sides = quest == 2 ? 12 : 10;
    std::set<int> rolls;
    for (unsigned seed = 1; seed < 200; seed++) {
      fresh();
      set_depth(0);
      auto r = draws_for(seed, 2);
      int roll = r[0] % sides;
      rolls.insert(roll);
      headless.messages.clear();
      create_random_object(5, 5, 5);
      int type = object[1].type;
      EXPECT_EQ(map[5][5][5].object_count, 1);
      ASSERT_EQ(headless.messages.size(), 1u);
      EXPECT_EQ(headless.messages[0], std::string("You find ") + object[1].name);
      if (roll == 3) {
        EXPECT_TRUE(type == ITEM_WEARABLE || type == ITEM_ROPE || type == ITEM_POTION) << type;
      } else if (kinds[roll] == ITEM_GOLD) {
        EXPECT_EQ(type, r[1] % 5 == 0 ? ITEM_GEM : ITEM_GOLD) << "roll " << roll;
      } else {
        EXPECT_EQ(type, kinds[roll]) << "roll " << roll;
      }
    }
    EXPECT_EQ(static_cast<int>(rolls.size()), sides);
  }
}

TEST_F(Catalogue, AFairyFindBecomesGoldForAUnitThatHasOne) {
  unsigned seed = 1;
  while (draws_for(seed, 1)[0] % 10 != 6) seed++;
  std::srand(seed);
  create_random_object(0, 1, 1);
  EXPECT_EQ(object[1].type, ITEM_FAIRY);

  fresh();
  set_depth(0);
  object[1].status = OBJECT_CARRIED;
  object[1].type = ITEM_FAIRY;
  object[1].owner_player = 1;
  object[1].owner_unit = 1;
  std::srand(seed);
  create_random_object(0, 1, 1);
  EXPECT_TRUE(object[2].type == ITEM_GOLD || object[2].type == ITEM_GEM);
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
  for (int i = 1; i <= 4; i++) {
    EXPECT_EQ(object[i].owner_player, OWNER_CONTAINER);
    EXPECT_EQ(object[i].owner_unit, 3);
    EXPECT_EQ(object[i].x + object[i].y + object[i].z, 0);
  }
  EXPECT_TRUE(headless.messages.empty());

  // A container marker with no container behind it keeps the find outside.
  map[2][8][8].scenery = SCENERY_CONTAINER;
  create_random_object(2, 8, 8);
  EXPECT_EQ(object[5].status, OBJECT_ON_GROUND);
  EXPECT_EQ(map[2][8][8].object_count, 1);
}

// Names and words

TEST(CatalogueNames, NamesAreAFirstNameAndAnEpithetAfterOneWastedDraw) {
  const char* first[] = {"Hagar ", "Edmund ", "Rolf ", "Tarquin ", "Kurt "};
  const char* epithet[] = {"the Adventurous", "the Brave", "the Foolish", "the Elder",
                           "the Younger"};
  for (unsigned seed = 1; seed < 30; seed++) {
    auto r = draws_for(seed, 3);
    create_name(2, 7);
    EXPECT_EQ(std::string(unit[2][7].name), std::string(first[r[1] % 5]) + epithet[r[2] % 5]);
  }
}

TEST(CatalogueNames, AScrambledWordIsOneLetterLongerAndCapitalised) {
  auto r = draws_for(9, 7);
  std::string w = scramble_word("health");
  ASSERT_EQ(w.size(), 7u);
  EXPECT_EQ(w[0], 'A' + r[0] % 26);
  for (int i = 1; i < 7; i++) EXPECT_EQ(w[i], 'a' + r[i] % 26);
  EXPECT_EQ(scramble_word("").size(), 1u);
}

}  // namespace
