#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../core/hand_made_level.h"
#include "core/seed.h"
#include "ui/hud.h"
#include "ui/text_stack.h"
#include "ui/view_settings.h"

namespace {

TEST(HudMessages, TheScreenShowsNoControlCharacterAndNoLetterUnderAnArrow) {
  const std::pair<const char*, const char*> texts[] = {
      {"\nLOADING UNIT STATS...", "LOADING UNIT STATS..."},
      {"\r\n\nA\tB\001C\177\n", "A BC"},
      {"SAVED\n", "SAVED"},
      {"", ""}};
  for (const auto& [given, shown] : texts) EXPECT_EQ(screen_text(given), shown) << given;
  // Arrows at the left edge, 20 wide, over the top and the newest line.
  for (int row = 0; row <= 8; row++) {
    message_line_place at = message_line_at(row, 8, 20);
    EXPECT_GT(at.x, 20);
    EXPECT_EQ(at.size, row == 8 ? 20 : 16);
  }
}

TEST(HudGauges, NarrowUnitsGetAFullFrameAndColoursRunFromGreenToRedWithinRange) {
  unit_record u{};
  u.movement = 40, u.moves = -3, u.health = 20;
  gauge_layout g = status_gauges(u, 800, 600);
  EXPECT_EQ(u.moves, 0);  // spent moves are stored as none
  EXPECT_EQ(std::vector<int>(g.move_frame, g.move_frame + 4),
            (std::vector<int>{400 - 50 - 2, 6 + 20, 400 + 50 + 2, 24 + 20}));
  EXPECT_EQ(g.move_bar[0], g.move_bar[2]);  // empty
  EXPECT_EQ(std::pair(g.health_bar[0], g.health_bar[2]), std::pair(400 - 10 - 1, 400 + 10 + 1));
  u.movement = 200, u.moves = 200, u.health = 100;
  g = status_gauges(u, 1280, 720);
  EXPECT_EQ(std::tuple(g.move_colour[0], g.move_colour[1], g.health_colour[1], g.poisoned),
            std::tuple(50, 255, 250, false));
  u.moves = 0;
  u.health = 200;  // more than a colour can hold
  u.status = UNIT_POISONED;
  g = status_gauges(u, 1280, 720);
  EXPECT_EQ(std::tuple(g.move_colour[0], g.move_colour[1], g.health_colour[0], g.health_colour[1]),
            std::tuple(250, 55, 0, 255));
  EXPECT_TRUE(g.poisoned);
}

TEST(HudInventoryColumn, CarriedItemsInOrderWithoutGaps) {
  fresh_world();
  reset_view_settings();
  unit[1][1].status = UNIT_NORMAL;
  give_item(7, 1, 1, ITEM_KEY, OBJECT_CARRIED);
  give_item(3, 1, 1, ITEM_WEARABLE, OBJECT_WORN).range = SLOT_HEAD;
  give_item(9, 1, 1, ITEM_TORCH, OBJECT_LIT);
  give_item(4, 1, 1, ITEM_WEAPON, OBJECT_WIELDED).range = 1;
  give_item(5, 1, 1, ITEM_WEARABLE, OBJECT_CARRIED).range = SLOT_BODY;  // carried, not worn
  int column[12];
  ASSERT_EQ(carried_icon_column(1, 1, column), 4);
  EXPECT_EQ(std::vector<int>(column, column + 4), (std::vector<int>{4, 3, 7, 9}));
}

TEST(HudStatus, LevelNumbersAndLadderMarkSitBesideTheGauges) {
  fresh_world();
  unit_record u{};
  u.status = UNIT_NORMAL, u.z = 4, u.x = 10, u.y = 12;
  u.movement = 240, u.moves = 37, u.health = 18;
  gauge_layout g = status_gauges(u, 1024, 768);
  status_readout r = status_readout_for(u, g);
  EXPECT_EQ(r.level + "|" + r.moves + "|" + r.health + "|" + r.ladder, "LEVEL 4|37 / 240|18|");
  // Clear of both frames, whichever is wider, on the gauges' own rows.
  EXPECT_LT(r.left_x, std::min(g.move_frame[0], g.health_frame[0]));
  EXPECT_GT(r.right_x, std::max(g.move_frame[2], g.health_frame[2]));
  EXPECT_EQ(std::pair(r.move_y, r.health_y), std::pair(g.move_frame[1], g.health_frame[1]));

  const std::pair<int, const char*> marks[] = {{SCENERY_LADDER_UP, "LADDER UP"},
                                               {SCENERY_LADDER_DOWN, "LADDER DOWN"},
                                               {SCENERY_TRAPDOOR, "LADDER DOWN"},
                                               {3, "LADDER UP/DOWN"}};
  for (auto [scenery, word] : marks) {
    map[4][10][12].scenery = scenery;
    EXPECT_EQ(status_readout_for(u, g).ladder, word) << scenery;
  }
  // A unit off the grid reads nothing there.
  u.z = LEVELS;
  EXPECT_EQ(status_readout_for(u, g).ladder, "");
  // Spent moves read as none, as the gauge shows them.
  u.z = 0, u.moves = -5;
  EXPECT_EQ(status_readout_for(u, g).moves, "0 / 240");
}

TEST(HudStatus, GaugeLabelsTurnLightWhenTheBarNoLongerCoversThem) {
  unit_record u{};
  u.movement = 100, u.moves = 10;
  for (int hp : {100, 60, 20, 0, -8}) {
    u.health = hp;
    gauge_layout g = status_gauges(u, 800, 600);
    EXPECT_EQ(gauge_label_light(g.health_bar, 400, 35), hp < 100) << hp;
    EXPECT_TRUE(gauge_label_light(g.move_bar, 400, 40));
  }
}

// A font whose lines are 1.25 times the size high and whose letters are
// half the size wide, like the game's face.
text_metrics rough_font() {
  return {[](const std::string& t, int size) { return static_cast<int>(t.size()) * size / 2; },
          [](int size) { return size * 5 / 4; }};
}

void expect_no_overlap(const std::vector<stacked_line>& lines, const text_metrics& m) {
  for (size_t i = 1; i < lines.size(); i++)
    EXPECT_GE(lines[i].y, lines[i - 1].y + m.height(lines[i - 1].size)) << "line " << i;
}

TEST(HudStatus, TheDiagnosticsLineCarriesTheSeedOfANewGameOnly) {
  ask_for_seed(4242);
  seed_new_game();
  EXPECT_EQ(fps_line(30), "FPS: 30  SEED 4242");
  forget_game_seed();
  EXPECT_EQ(fps_line(29), "FPS: 29 ");
}

TEST(TextBoxes, WarningLinesNeverOverlapTheParchmentGrowsAndAFootnoteFitsUnderThePrompt) {
  const text_metrics m = rough_font();
  const std::string story[6] = {"You are the son of a poor peasant.",
                                "When you were born",
                                "",
                                "x",
                                "After many adventures",
                                "you find yourself standing at the Grimhollow."};
  for (int size : {0, 10, 12, 14, 15, 20, 26}) {
    warning_box_layout lay = lay_out_warning_box(story, size, 600, 140, m);
    ASSERT_EQ(lay.lines.size(), 7u);
    expect_no_overlap(lay.lines, m);
    const stacked_line& prompt = lay.lines.back();
    EXPECT_EQ(prompt.text, "PRESS <SPACE> TO CONTINUE");
    EXPECT_GE(prompt.y, 75);
    EXPECT_GE(lay.height, 140);
    EXPECT_LE(prompt.y + m.height(prompt.size), lay.height) << size;
    for (const stacked_line& l : lay.lines) EXPECT_LE(m.width(l.text, l.size), 600 - 48) << size;
  }
  // Small text keeps the places it was given, in the parchment it was given.
  warning_box_layout small = lay_out_warning_box(story, 8, 600, 140, m);
  for (int i = 0; i < 6; i++) EXPECT_EQ(small.lines[i].y, 10 * (i + 1));
  EXPECT_EQ(std::pair(small.lines[6].y, small.height), std::pair(75, 140));
  // Size 0 means 12.
  EXPECT_EQ(lay_out_warning_box(story, 0, 600, 140, m).lines[0].size, 12);
  // A footnote goes in small print under the prompt, inside the parchment.
  warning_box_layout plain = lay_out_warning_box(story, 15, 600, 140, m);
  warning_box_layout noted = lay_out_warning_box(story, 15, 600, 140, m, "SEED 4242");
  ASSERT_EQ(noted.lines.size(), 8u);
  for (size_t i = 0; i < 7; i++)
    EXPECT_EQ(std::pair(noted.lines[i].text, noted.lines[i].y),
              std::pair(plain.lines[i].text, plain.lines[i].y));
  const stacked_line& foot = noted.lines.back();
  EXPECT_EQ(foot.text, "SEED 4242");
  EXPECT_LT(foot.size, noted.lines[0].size);
  expect_no_overlap(noted.lines, m);
  EXPECT_LE(foot.y + m.height(foot.size), noted.height);
}

TEST(TextBoxes, ALineTooWideIsSetSmallerToFitAndOnlyThatLine) {
  const text_metrics m = rough_font();
  std::vector<stacked_line> lines = {{std::string(60, 'w'), 20, 0}, {"short", 20, 0}};
  int bottom = stack_lines(lines, 600, 24, m);
  EXPECT_LE(m.width(lines[0].text, lines[0].size), 552);
  EXPECT_EQ(std::pair(lines[0].size, lines[1].size), std::pair(18, 20));
  EXPECT_EQ(lines[1].y, m.height(18));
  EXPECT_EQ(bottom, lines[1].y + m.height(20));
  // A line that cannot fit at all stops at the smallest size.
  std::vector<stacked_line> huge = {{std::string(500, 'w'), 20, 0}};
  stack_lines(huge, 600, 24, m);
  EXPECT_EQ(huge[0].size, SMALLEST_TEXT_SIZE);
}

}  // namespace
