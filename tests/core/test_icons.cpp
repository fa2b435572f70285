// The picture each unit and object is drawn with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/frontend.h"
#include "core/headless.h"
#include "core/world.h"

namespace {

class Icons : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_globals();
    DEBUG_MODE = 0;
    use_headless();
    nuke_variables();
  }
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

TEST_F(Icons, UnitsAreDrawnByRace) {
  const char* files[] = {"data/you.bmp",        "data/skeleton2.bmp", "data/goblin2.bmp",
                         "data/rat2.bmp",       "data/ghoul2.bmp",    "data/spider2.bmp",
                         "data/goo.bmp",        "data/dwarf2.bmp",    "data/golem2.bmp",
                         "data/hobgoblin2.bmp", "data/gnome2.bmp",    "data/trog.bmp",
                         "data/salamander.bmp", "data/minotaur.bmp",  "data/waterterror.bmp"};
  std::string path, overlay;
  for (int race = 0; race < 15; race++) {
    unit[2][4].race = race;
    ASSERT_TRUE(icon_file(1, 2, 4, 0, path, overlay));
    EXPECT_EQ(path, files[race]);
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

TEST_F(Icons, WearablesAreDrawnBySlot) {
  item(ITEM_WEARABLE, "Backpack", SLOT_BACK);
  EXPECT_EQ(picture(), "data/backpack.bmp");
  item(ITEM_WEARABLE, "helmet", SLOT_HEAD);
  EXPECT_EQ(picture(), "data/helmet.bmp");
  item(ITEM_WEARABLE, "small shield", SLOT_SHIELD);
  EXPECT_EQ(picture(), "data/shield.bmp");
  item(ITEM_WEARABLE, "large shield", SLOT_SHIELD);
  EXPECT_EQ(picture(), "data/largeshield.bmp");
  item(ITEM_WEARABLE, "small large shield", SLOT_SHIELD);  // the later test wins
  EXPECT_EQ(picture(), "data/largeshield.bmp");
  item(ITEM_WEARABLE, "studded trousers", SLOT_LEGS);
  EXPECT_EQ(picture(), "data/legs.bmp");
  item(ITEM_WEARABLE, "gauntlets", SLOT_ARMS);
  EXPECT_EQ(picture(), "data/arms2.bmp");
  item(ITEM_WEARABLE, "Salamander Boots", SLOT_FEET, 99);
  EXPECT_EQ(picture(), "data/sboots.bmp");
  item(ITEM_WEARABLE, "Heavy Boots", SLOT_FEET, 1);
  EXPECT_EQ(picture(), "data/boots.bmp");
  item(ITEM_WEARABLE, "chain vest", SLOT_BODY);
  EXPECT_EQ(picture(), "data/armour.bmp");
  item(ITEM_WEARABLE, "odd thing", 7);
  EXPECT_EQ(picture(), "data/armour.bmp");
  item(ITEM_MAGIC, "whatever");
  EXPECT_EQ(picture(), "data/boots.bmp");
}

TEST_F(Icons, WeaponsAreDrawnByTheLastWordTheirNameMatches) {
  item(ITEM_WEAPON, "used iron pickaxe");
  EXPECT_EQ(picture(), "data/pickaxe.bmp");
  item(ITEM_WEAPON, "axe");
  EXPECT_EQ(picture(3), "data/axe.bmp");
  item(ITEM_WEAPON, "knife");
  EXPECT_EQ(picture(3), "data/dagger.bmp");
  EXPECT_EQ(picture(6), "data/spade.bmp");  // no word: the caller's number stands
  EXPECT_EQ(picture(9), "data/dagger.bmp");
  item(ITEM_WEAPON, "shovel");
  EXPECT_EQ(picture(), "data/spade.bmp");
  item(ITEM_WEAPON, "rock");
  EXPECT_EQ(picture(), "data/rock.bmp");
  item(ITEM_WEAPON, "sword hammer");
  EXPECT_EQ(picture(), "data/hammer.bmp");
  item(ITEM_WEAPON, "spear club");
  EXPECT_EQ(picture(), "data/spear.bmp");
}

TEST_F(Icons, GemsAreDrawnByStoneWithAChipOverTheChipped) {
  std::string path, overlay;
  item(ITEM_GEM, "A chipped ruby gem.");
  ASSERT_TRUE(icon_file(0, 0, 7, 0, path, overlay));
  EXPECT_EQ(path, "data/redgem.bmp");
  EXPECT_EQ(overlay, "data/gemchip.bmp");
  item(ITEM_GEM, "A cut amethyst gem.");
  ASSERT_TRUE(icon_file(0, 0, 7, 0, path, overlay));
  EXPECT_EQ(path, "data/purplegem.bmp");
  EXPECT_EQ(overlay, "");
  item(ITEM_GEM, "A sapphire gem.");
  EXPECT_EQ(picture(), "data/bluegem.bmp");
  item(ITEM_GEM, "A rough emerald gem.");
  EXPECT_EQ(picture(), "data/greengem.bmp");
  item(ITEM_GEM, "A flawless diamond gem.");
  EXPECT_EQ(picture(), "data/whitegem.bmp");
  item(ITEM_GEM, "A crystal gem.");
  EXPECT_EQ(picture(), "data/whitegem.bmp");
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

TEST_F(Icons, PlainKindsHaveOnePictureAndStrangersAreFlagged) {
  const int types[] = {ITEM_MUSHROOMS, ITEM_HERBS, ITEM_FAIRY, ITEM_KEY,
                       ITEM_GOLD,      ITEM_ROPE,  ITEM_CORPSE};
  const char* files[] = {"data/mushrooms.bmp", "data/herbs.bmp", "data/fairy.bmp", "data/key.bmp",
                         "data/bag.bmp",       "data/rope.bmp",  "data/corpse.bmp"};
  for (int i = 0; i < 7; i++) {
    item(types[i], "x");
    EXPECT_EQ(picture(), files[i]);
  }
  item(3, "odd");
  testing::internal::CaptureStdout();
  assign_icon(0, 0, 7, 0);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(headless.icons.size(), 1u);
  EXPECT_EQ(headless.icons[0], "data/unknown.bmp");
  EXPECT_EQ(out, "\n WARNING WARNING OBJECT ASSIGNED WITH WRONG BMP!!! objno: 7");
}

}  // namespace
