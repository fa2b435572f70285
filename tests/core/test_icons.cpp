// The picture each unit and object is drawn with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "core/frontend.h"
#include "tests/core/hand_made_level.h"

namespace {

class Icons : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
  static object_record& item(int type, const char* name, int range = 0, int var1 = 0) {
    object_record& o = object[7];
    o = object_record{};
    o.type = type;
    o.range = range;
    o.var1 = var1;
    o.status = OBJECT_ON_GROUND;
    copy_text(o.name, name);
    return o;
  }
  // The picture of object 7; the overlay, if any, in overlay.
  static std::string picture(int weapon_picture = 0) {
    std::string path, overlay;
    EXPECT_TRUE(icon_file(0, 0, 7, weapon_picture, path, overlay));
    return path;
  }
};

// The picture of each race is a plain table; its two ends, and races outside
// it, show that it is read within its bounds.
TEST_F(Icons, UnitsAreDrawnByRace) {
  std::string path, overlay;
  for (auto [race, file] : {std::pair{0, "data/you.bmp"}, {14, "data/waterterror.bmp"}}) {
    unit[2][4].race = race;
    ASSERT_TRUE(icon_file(1, 2, 4, 0, path, overlay));
    EXPECT_EQ(path, file);
    EXPECT_EQ(overlay, "");
  }
  for (int race : {77, 99, -1}) {
    unit[2][4].race = race;
    ASSERT_TRUE(icon_file(1, 2, 4, 0, path, overlay));
    EXPECT_EQ(path, "data/unknown.bmp") << race;
  }
  // No such unit, no such kind: nothing is loaded.
  EXPECT_FALSE(icon_file(1, 4, 1, 0, path, overlay));
  EXPECT_FALSE(icon_file(1, 2, UNIT_SLOTS, 0, path, overlay));
  EXPECT_FALSE(icon_file(2, 2, 4, 0, path, overlay));
  EXPECT_FALSE(icon_file(0, 0, OBJECT_SLOTS, 0, path, overlay));
  assign_icon(3, 0, 7, 0);
  EXPECT_TRUE(headless.icons.empty());
}

// Weapons by the last word their name matches (with no word the caller's
// picture stands), gems by stone with a chip over the chipped ones.
TEST_F(Icons, ObjectsAreDrawnByKindSlotAndName) {
  struct row {
    int type, range, var1, weapon_picture;
    const char *name, *path, *overlay;
  };
  const row rows[] = {
      {ITEM_WEARABLE, SLOT_BACK, 0, 0, "Backpack", "backpack", ""},
      {ITEM_WEARABLE, SLOT_SHIELD, 0, 0, "small shield", "shield", ""},
      {ITEM_WEARABLE, SLOT_SHIELD, 0, 0, "large shield", "largeshield", ""},
      {ITEM_WEARABLE, SLOT_SHIELD, 0, 0, "small large shield", "largeshield", ""},
      {ITEM_WEARABLE, SLOT_FEET, 99, 0, "Salamander Boots", "sboots", ""},
      {ITEM_WEARABLE, SLOT_FEET, 1, 0, "Heavy Boots", "boots", ""},
      {ITEM_WEARABLE, SLOT_BODY, 0, 0, "chain vest", "armour", ""},
      {ITEM_WEARABLE, 7, 0, 0, "odd thing", "armour", ""},
      {ITEM_MAGIC, 0, 0, 0, "whatever", "boots", ""},
      {ITEM_WEAPON, 0, 0, 0, "used iron pickaxe", "pickaxe", ""},
      {ITEM_WEAPON, 0, 0, 3, "axe", "axe", ""},
      {ITEM_WEAPON, 0, 0, 3, "knife", "dagger", ""},
      {ITEM_WEAPON, 0, 0, 6, "knife", "spade", ""},
      {ITEM_WEAPON, 0, 0, 9, "knife", "dagger", ""},
      {ITEM_WEAPON, 0, 0, 0, "shovel", "spade", ""},
      {ITEM_WEAPON, 0, 0, 0, "rock", "rock", ""},
      {ITEM_WEAPON, 0, 0, 0, "sword hammer", "hammer", ""},
      {ITEM_WEAPON, 0, 0, 0, "spear club", "spear", ""},
      {ITEM_GEM, 0, 0, 0, "A chipped ruby gem.", "redgem", "data/gemchip.bmp"},
      {ITEM_GEM, 0, 0, 0, "A crystal gem.", "whitegem", ""},
      {ITEM_GOLD, 0, 0, 0, "x", "bag", ""},
  };
  for (const row& r : rows) {
    item(r.type, r.name, r.range, r.var1);
    std::string path, overlay;
    ASSERT_TRUE(icon_file(0, 0, 7, r.weapon_picture, path, overlay)) << r.name;
    EXPECT_EQ(path, std::string("data/") + r.path + ".bmp") << r.name;
    EXPECT_EQ(overlay, r.overlay) << r.name;
  }
}

TEST_F(Icons, FoodAndPotionsDrawTheirLookAfresh) {
  const char* foods[] = {"data/loaf.bmp", "data/meat.bmp", "data/fish2.bmp", "data/cheese.bmp"};
  const char* potions[] = {"data/redpotion.bmp", "data/greenpotion.bmp", "data/bluepotion.bmp"};
  for (unsigned seed = 1; seed < 20; seed++) {
    std::srand(seed);
    int f = std::rand() % 4;
    int p = std::rand() % 3;
    int after = std::rand();
    std::srand(seed);
    item(ITEM_FOOD, "Some food.");
    EXPECT_EQ(picture(), foods[f]);
    item(ITEM_POTION, "potion");
    EXPECT_EQ(picture(), potions[p]);
    EXPECT_EQ(std::rand(), after);  // one draw each, no more
  }
}

TEST_F(Icons, TorchesShowWhetherTheyBurnOrAreSpent) {
  object_record& t = item(ITEM_TORCH, "TORCH", 8, 40);
  EXPECT_EQ(picture(), "data/torch.bmp");
  t.var1 = 0;
  EXPECT_EQ(picture(), "data/torchout.bmp");
  t.status = OBJECT_LIT;
  EXPECT_EQ(picture(), "data/torchlit.bmp");
  t.var1 = 30;
  EXPECT_EQ(picture(), "data/torchlit.bmp");
}

TEST_F(Icons, StrangersAreFlagged) {
  item(3, "odd");
  testing::internal::CaptureStdout();
  assign_icon(0, 0, 7, 0);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(headless.icons.size(), 1u);
  EXPECT_EQ(headless.icons[0], "data/unknown.bmp");
  EXPECT_EQ(out, "\n WARNING WARNING OBJECT ASSIGNED WITH WRONG BMP!!! objno: 7");
}

}  // namespace
