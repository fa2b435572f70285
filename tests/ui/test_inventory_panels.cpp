#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "tests/items/item_bench.h"
#include "ui/inventory_panels.h"

using namespace bench;

namespace {

class InventoryPanels : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh();
    hero();
  }
  // The texts of list entries or of object menu rows.
  template <class Row>
  static std::vector<std::string> texts(const std::vector<Row>& rows) {
    std::vector<std::string> t;
    for (const Row& r : rows) t.push_back(r.text);
    return t;
  }
  static std::vector<std::string> row_texts(int k) { return texts(object_menu_rows(k)); }
};

TEST_F(InventoryPanels, PanelClosesJustPastItsMarginsAndOnlyNineLinesAnswer) {
  // {x, y, kept open} around a panel at (100, 50), 60 high.
  const int around[][3] = {{97, 47, 1},  {96, 60, 0},   {120, 46, 0}, {304, 60, 1},
                           {305, 60, 0}, {150, 113, 1}, {150, 114, 0}};
  for (const auto& c : around)
    EXPECT_EQ(panel_keeps_open({100, 50, 60}, c[0], c[1]), c[2] == 1) << c[0] << "," << c[1];
  // {y, lines, line}: 0 is the title, and a tenth line answers only when allowed.
  const int lines[][3] = {{55, 9, 0},  {60, 9, 1},  {69, 9, 1},   {70, 9, 2},
                          {149, 9, 9}, {150, 9, 0}, {150, 10, 10}};
  for (const auto& c : lines) EXPECT_EQ(panel_line_at({100, 50, 120}, c[0], c[1]), c[2]) << c[0];
}

TEST_F(InventoryPanels, TheStoreLineNeedsAContainerAhead) {
  EXPECT_FALSE(store_row_shown());
  box(3, 10, 11, "chest");  // the hero faces south, onto it
  EXPECT_TRUE(store_row_shown());
  unit[1][1].facing = NORTH;
  EXPECT_FALSE(store_row_shown());
}

TEST_F(InventoryPanels, ItemListMarksAndFilters) {
  held(1, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  held(2, ITEM_TORCH, "TORCH", OBJECT_LIT);
  held(3, ITEM_WEARABLE, "helmet", OBJECT_WORN);
  held(4, ITEM_KEY, "key", OBJECT_PACKED);
  held(5, ITEM_GEM, "gem");
  held(6, ITEM_GEM, "jet", OBJECT_CARRIED, 1, 2);
  EXPECT_EQ(texts(list_entries(ITEM_LIST, 1, 1)),
            (std::vector<std::string>{"sword(used)", "TORCH (lit)", "helmet (worn)", "gem"}));
  EXPECT_EQ(texts(list_entries(BACKPACK_LIST, 1, 1)), (std::vector<std::string>{"key"}));
  EXPECT_EQ(texts(list_entries(GIVE_LIST, 1, 1)), (std::vector<std::string>{"gem"}));
  EXPECT_EQ(owned_count(1, 1), 5);
}

TEST_F(InventoryPanels, GiveListHandsToTheUnitStandingThere) {
  hero(1, 2, 11, 10);
  CURRENT_UNIT = 1;
  int p = -1, u = -1;
  EXPECT_TRUE(give_receiver(11, 10, 0, p, u));
  EXPECT_EQ(std::pair(p, u), std::pair(1, 2));
  for (int x : {10, 12, -1})  // the giver itself, nobody, off the level
    EXPECT_FALSE(give_receiver(x, 10, 0, p, u)) << x;
  EXPECT_EQ(p, 0);
}

// Twenty pixels and a line an item, packed ones included, up to nine.
TEST_F(InventoryPanels, ShortListsAreOnePageAndPackedItemsAddOnlyHeight) {
  EXPECT_EQ(make_list_page(list_entries(ITEM_LIST, 1, 1), 0, owned_count(1, 1)).height, 20);
  held(4, ITEM_KEY, "key", OBJECT_PACKED);
  held(5, ITEM_KEY, "key", OBJECT_PACKED);
  list_page p = make_list_page(list_entries(ITEM_LIST, 1, 1), 0, owned_count(1, 1));
  EXPECT_TRUE(p.lines.empty());
  EXPECT_EQ(p.height, 40);
  int k = -1;
  EXPECT_EQ(list_click_at(p, 1, k), list_click::nothing);
  EXPECT_EQ(k, 0);
  for (k = 1; k <= 9; k++) held(k, ITEM_GEM, "gem");
  p = make_list_page(list_entries(ITEM_LIST, 1, 1), 0, 9);
  EXPECT_FALSE(p.paged);
  EXPECT_EQ(std::pair(p.lines.size(), p.height), std::pair(size_t{9}, 110));
  EXPECT_EQ(list_click_at(p, 9, k), list_click::item);
  EXPECT_EQ(k, 9);
}

TEST_F(InventoryPanels, LongListsArePagedAndEveryItemCanBeReached) {
  // Giving has no limit on the receiver: twenty items in hand.
  for (int k = 1; k <= 20; k++) held(k, ITEM_GEM, ("gem" + std::to_string(k)).c_str());
  const std::vector<list_entry> all = list_entries(ITEM_LIST, 1, 1);
  ASSERT_EQ(all.size(), 20u);
  std::vector<int> reached;
  for (int page = 0; page < 3; page++) {
    const list_page p = make_list_page(all, page, 20);
    EXPECT_EQ(std::pair(p.paged, p.pages), std::pair(true, 3));
    EXPECT_LE(static_cast<int>(p.lines.size()), PAGE_ITEMS);
    EXPECT_LE(p.height, PANEL_LINE * (LIST_LINES + 1) + 20);
    for (int line = 1; line <= LIST_LINES; line++) {
      int k = 0;
      list_click c = list_click_at(p, line, k);
      if (c == list_click::item) reached.push_back(k);
      EXPECT_TRUE(line < LIST_LINES || c == list_click::next_page) << line;
    }
  }
  std::vector<int> all_of_them(20);
  std::iota(all_of_them.begin(), all_of_them.end(), 1);
  EXPECT_EQ(reached, all_of_them);
  EXPECT_EQ(make_list_page(all, 3, 20).page, 0);  // past the last page comes the first
  EXPECT_EQ(page_line_text(make_list_page(all, 1, 20)), "MORE... (2 OF 3)");
}

TEST_F(InventoryPanels, ObjectMenuRows) {
  held(1, ITEM_WEARABLE, "backpack", OBJECT_WORN).range = SLOT_BACK;
  held(2, ITEM_WEAPON, "sword", OBJECT_WIELDED);
  held(3, ITEM_TORCH, "TORCH", OBJECT_LIT);
  held(4, ITEM_WEARABLE, "cap").range = SLOT_HEAD;
  held(5, ITEM_GOLD, "bag");
  EXPECT_EQ(row_texts(1),
            (std::vector<std::string>{"DROP", "REMOVE", "REMOVE FROM BACKPACK", "EXAMINE"}));
  EXPECT_EQ(row_texts(2), (std::vector<std::string>{"DROP", "UNEQUIP", "EXAMINE"}));
  EXPECT_EQ(row_texts(3), (std::vector<std::string>{"DROP", "EXTINGUISH TORCH", "EXAMINE"}));
  EXPECT_EQ(row_texts(4), (std::vector<std::string>{"DROP", "WEAR", "PACK", "EXAMINE"}));
  box(3, 10, 11, "chest");
  EXPECT_EQ(row_texts(5),
            (std::vector<std::string>{"DROP", "POOL FLORINS", "PACK", "EXAMINE", "STORE"}));
  EXPECT_EQ(object_menu_height(5), 80);
  EXPECT_TRUE(object_menu_rows(6).empty());
}

}  // namespace
