#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "persistence/save.h"
#include "ui/menus.h"

namespace {

// A font whose lines are taller than the box's old 12-pixel spacing, as the
// game's own is at size 16; letters about half as wide as they are high.
text_metrics tall_font() {
  return {[](const std::string& t, int size) { return static_cast<int>(t.size()) * size * 3 / 5; },
          [](int size) { return size + size / 4 + 1; }};
}

option_box main_menu(int w, int h) {
  return lay_out_option_box("1 NEW GAME", "2 LOAD GAME", "3 QUIT", "MAIN MENU", w, h, tall_font());
}

}  // namespace

TEST(MenuOptionBox, LinesNeverOverlapFitTheParchmentAndLightOverEveryRowDrawn) {
  for (auto [w, h] : {std::pair{800, 600}, {1024, 768}, {1280, 720}}) {
    SCOPED_TRACE(h);
    option_box box = main_menu(w, h);
    ASSERT_EQ(box.lines.size(), 5u);
    EXPECT_EQ(box.lines[0].text + "/" + box.lines[4].text, "MAIN MENU/SELECT OPTION");
    for (size_t i = 0; i + 1 < box.lines.size(); i++)
      EXPECT_GE(box.lines[i + 1].y, box.lines[i].y + tall_font().height(box.lines[i].size)) << i;
    const stacked_line& last = box.lines.back();
    EXPECT_LE(last.y + tall_font().height(last.size), box.height);
    EXPECT_EQ(box.left, w / 2 - OPTION_BOX_W / 2);
    EXPECT_TRUE(box.top >= 0 && box.top + box.height <= h);
    for (int line = 1; line <= 3; line++) {
      const stacked_line& l = box.lines[static_cast<size_t>(line)];
      int top = box.top + l.y, bottom = top + tall_font().height(l.size) - 1;
      for (int y = top; y <= bottom; y++) EXPECT_EQ(option_highlight(0, y, box), line) << y;
      EXPECT_EQ(option_bar_y(box, line), l.y);
      EXPECT_GE(option_bar_h(box, line), tall_font().height(l.size) - 1);
      EXPECT_TRUE(line == 3 ||
                  option_bar_y(box, line) + option_bar_h(box, line) <= option_bar_y(box, line + 1));
    }
    // On the title or on "SELECT OPTION" far below, nothing is lit.
    EXPECT_EQ(option_highlight(2, box.top + box.lines[0].y, box), 0);
    EXPECT_EQ(option_highlight(2, box.top + box.lines[4].y + 12, box), 0);
  }
}

TEST(MenuOptionBox, AVeryTallFontGrowsTheParchmentAndANarrowOneKeepsTheUsualBox) {
  text_metrics huge = tall_font();
  huge.height = [](int size) { return 2 * size; };
  option_box box =
      lay_out_option_box("1 NEW GAME", "2 LOAD GAME", "3 QUIT", "MAIN MENU", 800, 600, huge);
  EXPECT_GE(box.height, box.lines[4].y + 40);
  EXPECT_GT(box.height, OPTION_BOX_MIN_H);
  EXPECT_EQ(box.top, 300 - box.height / 2);
  const text_metrics small{[](const std::string& t, int) { return static_cast<int>(t.size()) * 5; },
                           [](int) { return 9; }};
  box = lay_out_option_box("1 NORMAL", "2 HARD", "3 EXTREME", "SELECT DIFFICULTY LEVEL", 800, 600,
                           small);
  EXPECT_EQ(box.height, OPTION_BOX_MIN_H);
  EXPECT_EQ(box.top, 300 - 70);
  // The lines stay where the box has always had them.
  EXPECT_EQ(std::pair(box.lines[1].y, box.lines[3].y), std::pair(31, 55));
  for (auto [y, line] : {std::pair{35, 1}, {50, 2}, {60, 3}})
    EXPECT_EQ(option_highlight(0, 230 + y, box), line) << y;
}

TEST(MenuFileSelector, RowsOfUnlistedNamesNeverLightAndThePanelAndItsExitMarkGrowWithTheList) {
  // {lit, pointer y, rows (one more than the names listed), lit after}: with
  // nothing listed only the typing row and the (empty) first name row answer.
  const int cases[][4] = {
      {FILE_ROW_NONE, 250, 2, FILE_ROW_TYPE},      {FILE_ROW_NONE, 275, 2, FILE_ROW_NAME1},
      {FILE_ROW_NONE, 283, 2, FILE_ROW_NAME1},     {FILE_ROW_NAME1, 300, 2, FILE_ROW_NONE},
      {FILE_ROW_NONE, 300, 5, FILE_ROW_NAME1 + 1}, {FILE_ROW_NONE, 316, 5, FILE_ROW_NAME1 + 2},
      {FILE_ROW_NONE, 340, 5, FILE_ROW_NAME1 + 3}, {FILE_ROW_NONE, 316, 1, FILE_ROW_NONE},
      {FILE_ROW_NONE, 275, 1, FILE_ROW_NAME1}};
  for (const auto& c : cases) EXPECT_EQ(file_highlight(c[0], c[1], 600, c[2]), c[3]) << c[1];
  // The caption (size 20, under 26 pixels high) sits under the last name
  // (size 26, 20 apart from 35) and inside the panel.
  for (int n = 1; n <= 5; n++) {
    EXPECT_GE(file_caption_y(n), 20 * (n - 1) + 15 + 26) << n;
    EXPECT_LE(file_caption_y(n) + 26, file_panel_height(n)) << n;
  }

  // 800 x 600, empty list: panel bottom at 300 - 70 + 120 = 350, right edge
  // 700; four names: the panel reaches 430 and the mark with it.
  const int exits[][4] = {{690, 340, 1, 1}, {700, 340, 1, 0}, {690, 350, 1, 0},
                          {660, 340, 1, 0}, {690, 420, 5, 1}, {690, 340, 5, 0}};
  for (const auto& c : exits)
    EXPECT_EQ(file_exit_hit(c[0], c[1], 800, 600, c[2], 32, 32), c[3] == 1) << c[0] << c[1] << c[2];
}

TEST(MenuFileSelector, APromptOnTheParchmentIsSetSmallerToClearItsRolledEnds) {
  const text_metrics m{
      [](const std::string& t, int size) { return static_cast<int>(t.size()) * size * 7 / 10; },
      [](int size) { return size; }};
  const std::string long_prompt = "TYPE IN THE NAME OF YOUR CHARACTER";
  int size = parchment_prompt_size(long_prompt, 26, 600, m);
  EXPECT_LT(size, 26);
  EXPECT_LE(m.width(long_prompt, size), 600 - 2 * PARCHMENT_ROD_MARGIN);
  EXPECT_EQ(parchment_prompt_size("TYPE IN THE FILE NAME", 26, 600, m), 26);
}

static std::map<std::string, std::string> fake_files;
static bool fake_read(const std::string& path, std::string& line) {
  auto it = fake_files.find(path);
  if (it == fake_files.end()) return false;
  line = it->second;
  return true;
}

TEST(MenuFileSelector, ListsTheFirstLinesOfNameFilesOnlyAtMostFour) {
  fake_files.clear();
  for (std::string n : {"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO"})
    fake_files["save/" + std::string(1, n[0] - 'A' + 'a') + ".nam"] = n;
  EXPECT_EQ(
      save_names_from_listing(
          {".", "..", "a.nam", "a.dat", "b.nam", "gone.nam", "c.nam", "d.nam", "e.nam"}, fake_read),
      (std::vector<std::string>{"ALPHA", "BRAVO", "CHARLIE", "DELTA"}));
  EXPECT_TRUE(save_names_from_listing({}, fake_read).empty());
  // A name file's first line, without its end, at most 39 letters.
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

TEST(MenuPopups, RowsTitleAndLeaving) {
  // A menu opened at (100, 200): {menu, lit, pointer y, lit after}.  The
  // title row clears it, a border keeps it, the quit menu has no second row.
  const std::tuple<popup_menu, int, int, int> lit[] = {
      {OPTIONS_MENU, 0, 215, 1}, {OPTIONS_MENU, 0, 225, 2}, {OPTIONS_MENU, 0, 235, 3},
      {OPTIONS_MENU, 2, 205, 0}, {OPTIONS_MENU, 2, 220, 2}, {QUIT_MENU, 1, 225, 1},
      {LOADSAVE_MENU, 0, 225, 2}};
  for (auto [menu, was, y, after] : lit) EXPECT_EQ(popup_highlight(menu, was, 200, y), after) << y;
  // {menu, pointer x, y, kept open}
  const std::tuple<popup_menu, int, int, bool> open[] = {
      {QUIT_MENU, 97, 197, true},      {QUIT_MENU, 304, 233, true},
      {QUIT_MENU, 305, 210, false},    {QUIT_MENU, 150, 234, false},
      {OPTIONS_MENU, 150, 244, false}, {LOADSAVE_MENU, 96, 210, false}};
  for (auto [menu, x, y, kept] : open)
    EXPECT_EQ(popup_keeps_open(menu, 100, 200, x, y), kept) << x << "," << y;
}

TEST(MenuOptions, SpeedAndAntiAliasCycleThroughTheirSettings) {
  const char* said = nullptr;
  int speed = 2;
  for (const char* want :
       {"GAME SPEED FAST", "GAME SPEED SLOW", "GAME SPEED MEDIUM", "GAME SPEED FAST"}) {
    speed = next_game_speed(speed, &said);
    EXPECT_STREQ(said, want);
  }
  EXPECT_EQ(speed, 3);
  const std::pair<int, const char*> next[] = {
      {1, "ANTI_ALIASING PIXEL"}, {2, "ANTI_ALIASING TRANSPARENCY"}, {0, "ANTI_ALIASING OFF"}};
  for (int now = 0; now < 3; now++) {
    EXPECT_EQ(next_anti_alias(now, &said), next[now].first);
    EXPECT_STREQ(said, next[now].second);
  }
  EXPECT_EQ(next_anti_alias(7, &said), 1);
}

// Only what a save name may hold can be typed, so a typed name always stays
// inside save/; the character name takes anything printable.
TEST(MenuLineEntry, TypesUpperCaseUpToTheLimitAndAFileNameOnlyWhatASaveNameMayHold) {
  constexpr int BS = 63;
  std::string text;
  for (auto [c, scancode] : {std::pair{'a', 1}, {'Z', 26}, {' ', 75}, {'.', 52}})
    EXPECT_TRUE(edit_entry(text, c, scancode, BS));
  EXPECT_FALSE(edit_entry(text, 13, 67, BS));  // enter is not text
  EXPECT_FALSE(edit_entry(text, 127, 77, BS));
  EXPECT_TRUE(edit_entry(text, 8, BS, BS));
  EXPECT_EQ(text, "AZ ");
  for (int i = 0; i < 40; i++) edit_entry(text, 'x', 24, BS);
  EXPECT_EQ(text.size(), static_cast<size_t>(ENTRY_MAX));
  std::string empty;
  edit_entry(empty, 8, BS, BS);  // nothing to remove
  EXPECT_EQ(empty, "");
  EXPECT_EQ(finished_entry(""), "Somebody");
  EXPECT_EQ(finished_entry("BOB"), "BOB");

  for (char c : std::string("../a/b.c\\~*:x-_ 9")) edit_file_name_entry(empty, c, 1, BS);
  EXPECT_EQ(empty, "ABCX-_ 9");
  EXPECT_TRUE(save_name_valid(empty));
  EXPECT_FALSE(edit_file_name_entry(empty, '/', 1, BS));
  EXPECT_FALSE(edit_file_name_entry(empty, 0xe9, 1, BS));  // no letters beyond ASCII
  EXPECT_TRUE(edit_file_name_entry(empty, 8, BS, BS));
  EXPECT_EQ(empty, "ABCX-_ ");
}

TEST(MenuStartup, ViewTilesRoundDownToEven) {
  const int tiles[][2] = {{800, 16}, {600, 12}, {1024, 20}, {768, 16}, {1280, 26}, {720, 14}};
  for (const auto& t : tiles) EXPECT_EQ(view_tiles(t[0], 48), t[1]) << t[0];  // 720: 15 down
  // {choice, desktop depth, depth used}
  const int depths[][3] = {
      {'1', 32, 16}, {'2', 32, 24}, {'3', 16, 32}, {'4', 16, 16}, {'4', 8, 32}};
  for (const auto& d : depths) EXPECT_EQ(colour_depth_for_choice(d[0], d[1]), d[2]) << d[0] << d[1];
}
