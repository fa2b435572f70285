#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/headless.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "items/inventory.h"
#include "tests/seeded_draws.h"

namespace {

int grade_of(int z, int first_draw) {
  int t = z + first_draw % 10;
  int g = t < 3 ? 1 : (t > 12 ? 3 : 2);
  if (z == 0) g = 1;
  if (z == 10) g = 3;
  return g;
}

// Damage, defence, health, strength, movement, intelligence, sight, level
// and facing, row by row of the catalogue, from the draws after the grade:
// facing (unless fixed), then movement, then intelligence.
std::vector<int> expected(int race, int g, int z, int D, const std::vector<int>& r) {
  std::size_t i = 1;
  auto R = [&](int n) { return r[i++] % n; };
  const int k = g + z;
  int f = (race == 0 || race == 8) ? SOUTH : R(8);
  switch (race) {
    case 0:
      return {2 * k * D, 2 * z + 1, 15 * k * D, 2 * k, 40 + R(70), 20 * g, 10, g, f};
    case 1:
      return {3 * k * D, z / 2 + g, 10 * k * D, 4 * k, 40 * g, 10 * g, 8, g, f};
    case 2:
      return {2 * k * D, z / 2, 7 * k * D, 3 * k, 15 * g + R(50), 15 * g + R(10), 12, g, f};
    case 3:
      return {k * D, z / 2, 5 * k * D, 2 * k, 10 * g + 70, 5, 14, g, f};
    case 4:
      return {2 * k * D, z / 2 + g, 15 * k * D, 2 * k, R(60) + 10 * g, 20 * g, 12, g, f};
    case 5:
      return {(z + 1) * D, z / 2, (5 * z + 5) * D, 2 * z + 2, R(50) + 30 * g, 5, 12, z + 1, f};
    case 7:
      return {(2 * z + 2) * D, z, (35 * z + 35) * D, 4 * z + 4, R(50) + 30, 20 * g, 12, g, f};
    case 8:
      return {3 * k * D, 2 * z + 1, 15 * k * D, 4 * k, 20 * g, 10 * g, 6, g, f};
    case 9:
      return {2 * k * D, 2 * z + 1, 15 * k * D, 2 * k, R(50) + 40, 20 * g, 10, g, f};
    case 10:
      return {(z + 1) * D, z / 2, (10 * z + 10) * D, z + 1, R(60) + 50, 25 * g, 14, g, f};
    case 11:
      return {2 * k * D, 2 * z + 1, 15 * k * D, 2 * k, R(50) + 40, 13 * g + R(15), 14, g, f};
    case 12:
      return {2 * k * D, 2 * z + g, 18 * k * D, 3 * k, R(50) * g + 30, 15 * g, 8, g, f};
    case 13:
      return {4 * k * D, 2 * z + g, 25 * k * D, 4 * k, R(50) + 30, 15 * g, 6, g, f};
    case 14:
      return {2 * k * D, 2 * z, 15 * k * D, 2 * k, 25, 5, 2, g, f};
    case 77:
      return {2 * k * D, 2 * z + 1, 15 * k * D, 2 * k, R(70) + 50, 30 * g, 12, g, f};
    default:
      return {2 * k * D, 2 * z + 1, 15 * k * D, 2 * k, R(70) + 60, 50, 10, g, f};
  }
}

struct names_row {
  int race;
  const char* names[3];
  bool clever;  // may get an item
};
const names_row catalogue_names[] = {
    {0, {"Weak Human", "Human", "Human Warrior"}, true},
    {1, {"Weak Skeleton", "Skeleton", "Strong Skeleton"}, true},
    {2, {"Grobling", "Goblin", "Warrior Goblin"}, true},
    {3, {"Large Rat", "Giant Rat", "Fierce Rat"}, false},
    {4, {"Ghoul", "Ghoul", "Ghoul"}, true},
    {5, {"Cave Spider", "Large Spider", "Giant Arachnid"}, false},
    {7, {"Dark Dwarf", "Dwarf", "Warrior Dwarf"}, true},
    {8, {"Statue", "Golem", "Rock Troll"}, true},
    {9, {"Weak Hobgoblin", "Hobgoblin", "Warrior Hobgoblin"}, true},
    {10, {"Small Gnome", "Gnome", "Rock Gnome"}, true},
    {11, {"Cavedweller", "Troglodyte", "Pitfiend"}, true},
    {12, {"Small Salamander", "Salamander", "Lavamander"}, true},
    {13, {"Weak Minotaur", "Minotaur", "King Minotaur"}, true},
    {14, {"Weak Water Terror", "Water Terror", "Huge Water Terror"}, false},
    {77, {"Henchman", "Villan", "Murderer"}, true},
    {99, {"Beloved", "Beloved", "Beloved"}, true},
};

class Monster : public ::testing::Test {
 protected:
  void SetUp() override {
    use_headless();
    reset_globals();
    nuke_variables();
    DEBUG_MODE = 0;
  }
  // Frees the slot and the few objects a creation may have made.
  static void forget(int player, int u) {
    unit[player][u].status = UNIT_FREE;
    for (int i = 1; i < 6; i++) object[i] = object_record{};
  }
  static int items_made() {
    int n = 0;
    for (int i = 1; i < 6; i++) n += object[i].status != OBJECT_FREE;
    return n;
  }
};

TEST_F(Monster, EveryRowMatchesItsFormulasForEveryGradeLevelAndDifficulty) {
  for (const names_row& row : catalogue_names) {
    std::set<int> grades;
    for (int z : {0, 1, 4, 5, 9, 10}) {
      if (row.race == 14) environment[z][5][6].water = 1;
      for (int D : {1, 2, 3}) {
        DIFFICULTY = D;
        for (unsigned seed = 1; seed <= 8; seed++) {
          auto r = draws_for(seed * 7 + z, 6);
          int g = grade_of(z, r[0]);
          grades.insert(g);
          const std::vector<int> e = expected(row.race, g, z, D, r);
          create_monster(2, 3, z, 5, 6, row.race);
          const unit_record& m = unit[2][3];
          SCOPED_TRACE(testing::Message() << "race " << row.race << " z " << z << " D " << D);
          EXPECT_STREQ(m.name, row.names[g - 1]);
          EXPECT_EQ(m.race, row.race);
          EXPECT_EQ(e, (std::vector<int>{m.damage, m.defence, m.health, m.strength, m.movement,
                                         m.intelligence, m.sight, m.level, m.facing}));
          EXPECT_EQ(m.moves, m.movement);
          EXPECT_EQ(m.ranged, row.race == 14 ? g : 1);
          EXPECT_EQ(m.status, UNIT_NORMAL);
          EXPECT_EQ(items_made(), row.clever && e[5] > 20 ? 1 : 0);
          forget(2, 3);
        }
      }
    }
    EXPECT_EQ(grades.size(), 3u) << "race " << row.race;
  }
}

// A square names the unit that stands on it, whichever player owns it: a
// recruit made for the party is not left marked as a creature.
TEST_F(Monster, TheCreatureMarksItsSquareForItsOwnPlayer) {
  map[3][8][9].passable = 0;
  create_monster(1, 4, 3, 8, 9, 9);
  EXPECT_EQ(map[3][8][9].occupant_player, 1);
  EXPECT_EQ(map[3][8][9].occupant_unit, 4);
  EXPECT_EQ(map[3][8][9].passable, 1);
  EXPECT_EQ(unit[1][4].waypoint_x[5], 999);
  EXPECT_EQ(unit[1][4].x * 100 + unit[1][4].y, 809);
  EXPECT_EQ(unit[1][4].z, 3);
  ASSERT_FALSE(headless.icons.empty());
  EXPECT_EQ(headless.icons.front(), "data/hobgoblin2.bmp");
}

TEST_F(Monster, HuntersRememberHomeAndWhoWasActing) {
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 3;
  create_monster(2, 2, 4, 12, 13, 3);
  const unit_record& m = unit[2][2];
  EXPECT_EQ(m.order, ORDER_ATTACK);
  EXPECT_EQ(m.waypoint_index, WAYPOINT_POSITION);
  EXPECT_EQ(m.waypoint_x[8], 12);
  EXPECT_EQ(m.waypoint_y[8], 13);
  EXPECT_EQ(m.waypoint_x[9], 1);
  EXPECT_EQ(m.waypoint_y[9], 3);
}

TEST_F(Monster, PrisonersAndSkeletonGuardsStandGuard) {
  for (unsigned seed = 1; seed < 20; seed++) {
    std::srand(seed);
    for (auto [request, race] : {std::pair{6, RACE_HUMAN}, {87, RACE_SKELETON}}) {
      create_monster(2, 1, 4, 6, 6, request);
      EXPECT_EQ(unit[2][1].race, race);
      EXPECT_EQ(unit[2][1].order, ORDER_GUARD);
      EXPECT_TRUE(race == RACE_SKELETON || unit[2][1].facing == SOUTH) << "a prisoner faces south";
      forget(2, 1);
    }
  }
}

TEST_F(Monster, WanderingSalamandersPickASpotBesideTheirOwnAfterTheirItem) {
  std::set<int> spots;
  for (unsigned seed = 1; seed < 80; seed++) {
    std::srand(seed);
    create_monster(2, 1, 5, 0, 50, 45);
    const unit_record& m = unit[2][1];
    EXPECT_EQ(m.race, RACE_SALAMANDER);
    EXPECT_EQ(m.order, ORDER_WANDER);
    EXPECT_EQ(m.waypoint_index, WAYPOINT_POSITION);
    // The spot is drawn after the item's own draws; wherever it falls it
    // stays beside the salamander and on the map, even in a corner.
    EXPECT_TRUE(m.waypoint_x[8] >= 0 && m.waypoint_x[8] <= 1) << m.waypoint_x[8];
    EXPECT_TRUE(m.waypoint_y[8] >= 49 && m.waypoint_y[8] <= 50) << m.waypoint_y[8];
    spots.insert(m.waypoint_x[8] * 100 + m.waypoint_y[8]);
    forget(2, 1);
  }
  EXPECT_EQ(spots.size(), 4u);

  // On level 0 a salamander is too dull for an item: grade, facing and
  // movement come first, then the spot, x before y.
  for (unsigned seed = 1; seed < 20; seed++) {
    auto r = draws_for(seed, 5);
    create_monster(2, 1, 0, 20, 30, 45);
    EXPECT_EQ(unit[2][1].waypoint_x[8], 19 + r[3] % 3);
    EXPECT_EQ(unit[2][1].waypoint_y[8], 29 + r[4] % 3);
    forget(2, 1);
  }
}

TEST_F(Monster, WaterRequestsNeedWater) {
  environment[2][3][3].water = 1;
  create_monster(2, 1, 2, 3, 3, 14);
  EXPECT_EQ(unit[2][1].race, RACE_WATER_TERROR);
  create_monster(2, 2, 2, 4, 4, 14);
  EXPECT_EQ(unit[2][2].race, RACE_GOBLIN);
  EXPECT_EQ(unit[2][2].sight, 12);
}

TEST_F(Monster, RecruitsOfTheActingPlayerGetPersonalNames) {
  CURRENT_PLAYER = 1;
  create_monster(1, 2, 4, 4, 4, 99);
  std::string name = unit[1][2].name;
  EXPECT_NE(name, "Beloved");
  EXPECT_NE(name.find(" the "), std::string::npos) << name;
  create_monster(2, 2, 4, 5, 5, 99);
  EXPECT_STREQ(unit[2][2].name, "Beloved");
  EXPECT_EQ(unit[2][2].intelligence, 50);
}

TEST_F(Monster, NothingIsMadeForUnknownRequestsLiveSlotsOrPlacesOffTheMap) {
  for (int kind : {106, 15, 44, 50, -1}) {
    create_monster(2, 1, 3, 3, 3, kind);
    EXPECT_EQ(unit[2][1].status, UNIT_FREE) << kind;
  }
  EXPECT_EQ(map[3][3][3].occupant_player, 0);
  create_monster(2, 1, 3, LAND_SIZE, 3, 2);
  create_monster(2, 1, LEVELS, 3, 3, 2);
  create_monster(4, 1, 3, 3, 3, 2);
  create_monster(2, UNIT_SLOTS, 3, 3, 3, 2);
  EXPECT_EQ(unit[2][1].status, UNIT_FREE);

  create_monster(2, 1, 3, 3, 3, 13);
  copy_text(unit[2][1].name, "Old Hand");
  create_monster(2, 1, 3, 4, 4, 3);
  EXPECT_STREQ(unit[2][1].name, "Old Hand");
  EXPECT_EQ(map[3][4][4].occupant_player, 0);
}

TEST_F(Monster, AnArmedCreatureRollsAgainAtTheNextFreeSlot) {
  unit[2][1].status = UNIT_NORMAL;
  unit[2][1].z = 2, unit[2][1].x = 7, unit[2][1].y = 7;
  object[1].status = OBJECT_WIELDED;
  object[1].type = ITEM_WEAPON;
  object[1].owner_player = 2;
  object[1].owner_unit = 1;
  unsigned seed = 1;
  for (;; seed++) {
    auto r = draws_for(seed, 2);
    if (r[0] % 3 == 0 && r[1] % 3 == 1) break;
  }
  std::srand(seed);
  monster_object(2, 1);
  EXPECT_EQ(object[2].status, OBJECT_FREE);
  EXPECT_EQ(object[3].type, ITEM_WEARABLE);
  EXPECT_EQ(object[3].status, OBJECT_ON_GROUND);
  EXPECT_EQ(map[2][7][7].object_count, 1);

  // Unarmed, the first roll of 0 makes a weapon in the lowest free slot.
  object[1] = object_record{};
  object[3] = object_record{};
  while (draws_for(seed, 1)[0] % 3 != 0) seed++;
  std::srand(seed);
  monster_object(2, 1);
  EXPECT_EQ(object[1].type, ITEM_WEAPON);
  EXPECT_NE(std::strcmp(object[1].name, ""), 0);
}

TEST_F(Monster, LootInSlotNineNineNineIsAProperWeapon) {
  unit[2][1].status = UNIT_NORMAL;
  unit[2][1].z = 1, unit[2][1].x = 1, unit[2][1].y = 1;
  for (int i = 1; i < 999; i++) object[i].status = OBJECT_ON_GROUND, object[i].z = 9;
  std::set<std::string> names;
  for (unsigned seed = 1; seed < 60; seed++) {
    if (draws_for(seed, 1)[0] % 3 != 0) continue;
    monster_object(2, 1);
    ASSERT_EQ(object[999].type, ITEM_WEAPON);
    names.insert(object[999].name);
    object[999] = object_record{};
  }
  EXPECT_GT(names.size(), 1u);
}

}  // namespace
