#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/headless.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "items/inventory.h"
#include "tests/seeded_draws.h"

namespace {

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

// One creature of every kind, made on level 5 at difficulty 2 from seed 3
// (the middle grade): its name; damage, defence, health, strength, movement,
// moves, intelligence, sight, level, facing and range; the items it got.
TEST_F(Monster, EachKindIsMadeWithItsOwnFigures) {
  const struct {
    int race;
    const char* name;
    std::vector<int> figures;
    int items;
  } made[] = {
      {0, "Human", {28, 11, 210, 14, 45, 45, 40, 10, 2, 4, 1}, 1},
      {1, "Skeleton", {42, 4, 140, 28, 80, 80, 20, 8, 2, 1, 1}, 0},
      {2, "Goblin", {28, 2, 98, 21, 48, 48, 30, 12, 2, 1, 1}, 1},
      {3, "Giant Rat", {14, 2, 70, 14, 90, 90, 5, 14, 2, 1, 1}, 0},
      {4, "Ghoul", {28, 4, 210, 14, 68, 68, 40, 12, 2, 1, 1}, 1},
      {5, "Large Spider", {12, 2, 60, 12, 78, 78, 5, 12, 6, 1, 1}, 0},
      {7, "Dwarf", {24, 5, 420, 24, 48, 48, 40, 12, 2, 1, 1}, 1},
      {8, "Golem", {42, 11, 210, 28, 40, 40, 20, 6, 2, 4, 1}, 0},
      {9, "Hobgoblin", {28, 11, 210, 14, 58, 58, 40, 10, 2, 1, 1}, 1},
      {10, "Gnome", {12, 2, 120, 6, 98, 98, 50, 14, 2, 1, 1}, 1},
      {11, "Troglodyte", {28, 11, 210, 14, 58, 58, 26, 14, 2, 1, 1}, 1},
      {12, "Salamander", {28, 12, 252, 21, 66, 66, 30, 8, 2, 1, 1}, 1},
      {13, "Minotaur", {56, 12, 350, 28, 48, 48, 30, 6, 2, 1, 1}, 1},
      {14, "Water Terror", {28, 10, 210, 14, 25, 25, 5, 2, 2, 1, 2}, 0},
      {77, "Villan", {28, 11, 210, 14, 78, 78, 60, 12, 2, 1, 1}, 1},
      {99, "Beloved", {28, 11, 210, 14, 88, 88, 50, 10, 2, 1, 1}, 1},
  };
  DIFFICULTY = 2;
  environment[5][5][6].water = 1;
  for (const auto& c : made) {
    std::srand(3);
    create_monster(2, 3, 5, 5, 6, c.race);
    const unit_record& m = unit[2][3];
    EXPECT_STREQ(m.name, c.name);
    EXPECT_EQ(m.race, c.race);
    EXPECT_EQ((std::vector<int>{m.damage, m.defence, m.health, m.strength, m.movement, m.moves,
                                m.intelligence, m.sight, m.level, m.facing, m.ranged}),
              c.figures)
        << c.name;
    EXPECT_EQ(m.status, UNIT_NORMAL);
    EXPECT_EQ(items_made(), c.items) << c.name;
    forget(2, 3);
  }
}

// A square names the unit that stands on it, whichever player owns it: a
// recruit made for the party is not left marked as a creature.
TEST_F(Monster, TheCreatureMarksItsSquareForItsOwnPlayer) {
  map[3][8][9].passable = 0;
  create_monster(1, 4, 3, 8, 9, 9);
  const map_cell& m = map[3][8][9];
  EXPECT_EQ((std::vector<int>{m.occupant_player, m.occupant_unit, m.passable}),
            (std::vector<int>{1, 4, 1}));
  EXPECT_EQ(unit[1][4].waypoint_x[5], 999);
  EXPECT_EQ(unit[1][4].z * 10000 + unit[1][4].x * 100 + unit[1][4].y, 30809);
  ASSERT_FALSE(headless.icons.empty());
  EXPECT_EQ(headless.icons.front(), "data/hobgoblin2.bmp");
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
