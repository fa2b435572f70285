#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ui/menus.h"

// At 800 x 600 the middle row is 300.
TEST(MenuOptionBox, RowsLightByPointerHeightAndStayLitInGaps) {
  EXPECT_EQ(option_highlight(0, 270, 600), 1);  // 264 < y < 274
  EXPECT_EQ(option_highlight(0, 280, 600), 2);  // 275 < y < 284
  EXPECT_EQ(option_highlight(0, 290, 600), 3);  // 285 < y < 294
  // Bounds are exclusive: 264 lights nothing new, the old line stays.
  EXPECT_EQ(option_highlight(2, 264, 600), 2);
  EXPECT_EQ(option_highlight(1, 274, 600), 1);
  // Far from the lines, the highlight goes.
  EXPECT_EQ(option_highlight(2, 250, 600), 0);
  EXPECT_EQ(option_highlight(3, 300, 600), 0);
  // The last line still lights just below the clearing band.
  EXPECT_EQ(option_highlight(0, 292, 600), 3);
  // The middle moves with the screen height.
  EXPECT_EQ(option_highlight(0, 384 - 31, 768), 1);
}

TEST(MenuOptionBox, BarsSitUnderTheirLines) {
  EXPECT_EQ(option_bar_y(1), 34);
  EXPECT_EQ(option_bar_y(2), 46);
  EXPECT_EQ(option_bar_y(3), 58);
}

TEST(MenuFileSelector, RowsOfUnlistedNamesNeverLight) {
  // One name listed: n = 2.
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 250, 600, 2), FILE_ROW_TYPE);
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 275, 600, 2), FILE_ROW_NAME1);
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 283, 600, 2), FILE_ROW_NAME1);
  EXPECT_EQ(file_highlight(FILE_ROW_NAME1, 300, 600, 2), FILE_ROW_NONE);
  // With four names every row answers.
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 300, 600, 5), FILE_ROW_NAME1 + 1);
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 316, 600, 5), FILE_ROW_NAME1 + 2);
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 340, 600, 5), FILE_ROW_NAME1 + 3);
  // Nothing listed: only the typing row and the (empty) first name row.
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 316, 600, 1), FILE_ROW_NONE);
  EXPECT_EQ(file_highlight(FILE_ROW_NONE, 275, 600, 1), FILE_ROW_NAME1);
}

TEST(MenuFileSelector, BarsAndPanelGrowWithTheList) {
  EXPECT_EQ(file_bar_y(FILE_ROW_TYPE), 10);
  EXPECT_EQ(file_bar_y(FILE_ROW_NAME1), 38);
  EXPECT_EQ(file_bar_y(FILE_ROW_NAME1 + 3), 98);
  EXPECT_EQ(file_panel_height(1), 80);
  EXPECT_EQ(file_panel_height(5), 160);
}

TEST(MenuFileSelector, ExitMarkIsHitOverItsPictureOnly) {
  // 800 x 600, empty list: panel bottom at 300 - 70 + 80 = 310, right edge 700.
  EXPECT_TRUE(file_exit_hit(690, 300, 800, 600, 1, 32, 32));
  EXPECT_FALSE(file_exit_hit(700, 300, 800, 600, 1, 32, 32));
  EXPECT_FALSE(file_exit_hit(690, 310, 800, 600, 1, 32, 32));
  EXPECT_FALSE(file_exit_hit(660, 300, 800, 600, 1, 32, 32));
  // Four names: the panel reaches 390 and the mark with it.
  EXPECT_TRUE(file_exit_hit(690, 380, 800, 600, 5, 32, 32));
  EXPECT_FALSE(file_exit_hit(690, 300, 800, 600, 5, 32, 32));
}

static std::map<std::string, std::string> fake_files;
static bool fake_read(const std::string& path, std::string& line) {
  auto it = fake_files.find(path);
  if (it == fake_files.end()) return false;
  line = it->second;
  return true;
}

TEST(MenuFileSelector, ListsNameFilesOnlyAtMostFour) {
  fake_files = {{"save/a.nam", "ALPHA"},
                {"save/b.nam", "BRAVO"},
                {"save/c.nam", "CHARLIE"},
                {"save/d.nam", "DELTA"},
                {"save/e.nam", "ECHO"}};
  std::vector<std::string> entries = {".",        "..",    "a.nam", "a.dat", "b.nam",
                                      "gone.nam", "c.nam", "d.nam", "e.nam"};
  std::vector<std::string> names = save_names_from_listing(entries, fake_read);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "ALPHA");
  EXPECT_EQ(names[3], "DELTA");
  EXPECT_TRUE(save_names_from_listing({}, fake_read).empty());
}

TEST(MenuFileSelector, ReadsTheFirstLineWithoutItsEnd) {
  std::string path = ::testing::TempDir() + "menus_name_file.nam";
  std::FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("A VERY LONG SAVE NAME THAT GOES ON AND ON PAST FORTY\r\nsecond line\n", f);
  std::fclose(f);
  std::string line;
  ASSERT_TRUE(read_save_name(path, line));
  EXPECT_EQ(line.size(), 39u);
  EXPECT_EQ(line.rfind("A VERY LONG", 0), 0u);
  std::remove(path.c_str());
  EXPECT_FALSE(read_save_name(path, line));
}

TEST(MenuFileSelector, ClickedRowGivesItsNameOrNothing) {
  std::vector<std::string> names = {"ONE", "TWO"};
  EXPECT_EQ(file_row_result(FILE_ROW_NAME1, names), "ONE");
  EXPECT_EQ(file_row_result(FILE_ROW_NAME1 + 1, names), "TWO");
  EXPECT_EQ(file_row_result(FILE_ROW_NAME1, {}), "");
}

TEST(MenuPopups, RowsTitleAndLeaving) {
  // A menu opened at (100, 200).
  EXPECT_EQ(popup_highlight(OPTIONS_MENU, 0, 200, 215), 1);
  EXPECT_EQ(popup_highlight(OPTIONS_MENU, 0, 200, 225), 2);
  EXPECT_EQ(popup_highlight(OPTIONS_MENU, 0, 200, 235), 3);
  EXPECT_EQ(popup_highlight(OPTIONS_MENU, 2, 200, 205), 0);  // title row
  EXPECT_EQ(popup_highlight(OPTIONS_MENU, 2, 200, 220), 2);  // on a border: unchanged
  EXPECT_EQ(popup_highlight(QUIT_MENU, 1, 200, 225), 1);     // no second row to light
  EXPECT_EQ(popup_highlight(LOADSAVE_MENU, 0, 200, 225), 2);
  EXPECT_TRUE(popup_keeps_open(QUIT_MENU, 100, 200, 97, 197));
  EXPECT_TRUE(popup_keeps_open(QUIT_MENU, 100, 200, 304, 233));
  EXPECT_FALSE(popup_keeps_open(QUIT_MENU, 100, 200, 305, 210));
  EXPECT_FALSE(popup_keeps_open(QUIT_MENU, 100, 200, 150, 234));
  EXPECT_FALSE(popup_keeps_open(OPTIONS_MENU, 100, 200, 150, 244));
  EXPECT_FALSE(popup_keeps_open(LOADSAVE_MENU, 100, 200, 96, 210));
}

TEST(MenuOptions, SpeedCyclesFromNormalToFastSlowMediumFast) {
  const char* said = nullptr;
  int speed = 2;
  std::vector<std::string> messages;
  for (int i = 0; i < 4; i++) {
    speed = next_game_speed(speed, &said);
    messages.push_back(said);
  }
  EXPECT_EQ(speed, 3);
  EXPECT_EQ(messages, (std::vector<std::string>{"GAME SPEED FAST", "GAME SPEED SLOW",
                                                "GAME SPEED MEDIUM", "GAME SPEED FAST"}));
  EXPECT_STREQ(game_speed_label(1), ": SLOW");
  EXPECT_STREQ(game_speed_label(2), ": NORMAL");
  EXPECT_STREQ(game_speed_label(3), ": FAST");
}

TEST(MenuOptions, AntiAliasCyclesPixelScreenOff) {
  const char* said = nullptr;
  EXPECT_EQ(next_anti_alias(0, &said), 1);
  EXPECT_STREQ(said, "ANTI_ALIASING PIXEL");
  EXPECT_EQ(next_anti_alias(1, &said), 2);
  EXPECT_STREQ(said, "ANTI_ALIASING TRANSPARENCY");
  EXPECT_EQ(next_anti_alias(2, &said), 0);
  EXPECT_STREQ(said, "ANTI_ALIASING OFF");
  EXPECT_EQ(next_anti_alias(7, &said), 1);
  EXPECT_STREQ(anti_alias_label(0), ": OFF");
  EXPECT_STREQ(anti_alias_label(1), ": PIXEL");
  EXPECT_STREQ(anti_alias_label(2), ": SCREEN");
}

TEST(MenuLineEntry, TypesUpperCaseUpToTheLimitAndBacksUp) {
  constexpr int BACKSPACE = 63;
  std::string text;
  EXPECT_TRUE(edit_entry(text, 'a', 1, BACKSPACE));
  EXPECT_TRUE(edit_entry(text, 'Z', 26, BACKSPACE));
  EXPECT_TRUE(edit_entry(text, ' ', 75, BACKSPACE));
  EXPECT_EQ(text, "AZ ");
  EXPECT_FALSE(edit_entry(text, 13, 67, BACKSPACE));  // enter is not text
  EXPECT_FALSE(edit_entry(text, 127, 77, BACKSPACE));
  EXPECT_TRUE(edit_entry(text, 8, BACKSPACE, BACKSPACE));
  EXPECT_EQ(text, "AZ");
  for (int i = 0; i < 40; i++) edit_entry(text, 'x', 24, BACKSPACE);
  EXPECT_EQ(text.size(), static_cast<size_t>(ENTRY_MAX));
  std::string empty;
  edit_entry(empty, 8, BACKSPACE, BACKSPACE);  // nothing to remove
  EXPECT_EQ(empty, "");
  EXPECT_EQ(finished_entry(""), "Somebody");
  EXPECT_EQ(finished_entry("BOB"), "BOB");
}

TEST(MenuStartup, ViewTilesRoundDownToEven) {
  EXPECT_EQ(view_tiles(800, 48), 16);
  EXPECT_EQ(view_tiles(600, 48), 12);
  EXPECT_EQ(view_tiles(1024, 48), 20);
  EXPECT_EQ(view_tiles(768, 48), 16);
  EXPECT_EQ(view_tiles(1280, 48), 26);
  EXPECT_EQ(view_tiles(720, 48), 14);  // 15 rounded down
  EXPECT_EQ(colour_depth_for_choice('1', 32), 16);
  EXPECT_EQ(colour_depth_for_choice('2', 32), 24);
  EXPECT_EQ(colour_depth_for_choice('3', 16), 32);
  EXPECT_EQ(colour_depth_for_choice('4', 16), 16);
  EXPECT_EQ(colour_depth_for_choice('4', 8), 32);
}
