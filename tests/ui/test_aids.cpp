// The aids beside the rules: the pointer line, the message history and the
// list window's scrolling.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/message_log.h"
#include "core/start_health.h"
#include "tests/core/hand_made_level.h"
#include "ui/list_window.h"
#include "ui/pointer_line.h"

namespace {

bool has(const std::string& line, const std::string& part) {
  return line.find(part) != std::string::npos;
}

// The leader at (10, 10) of level 0; a badly wounded skeleton, two items, a
// closed door, a hidden trap and a hidden secret door around it.
void small_level() {
  fresh_world();
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) put_terrain(0, x, y, TERRAIN_STONE_FLOOR, 1);
  CURRENT_PLAYER = 1, CURRENT_UNIT = 1;
  put_unit(1, 1, 0, 10, 10, SOUTH);
  unit_record& s = put_unit(2, 1, 0, 12, 10, WEST);
  std::snprintf(s.name, sizeof s.name, "Skeleton");
  note_every_start_health();
  s.health = 4;  // of 20
  for (int k : {5, 6}) {
    object[k].status = OBJECT_ON_GROUND, object[k].x = 11, object[k].y = 10, object[k].z = 0;
    std::snprintf(object[k].name, sizeof object[k].name, "Key%d", k);
  }
  map[0][11][10].object_count = 2;
  put_terrain(0, 10, 12, TERRAIN_CLOSED_DOOR);
  map[0][9][10].scenery = SCENERY_HIDDEN_TRAP;
  map[0][8][10].scenery = SCENERY_SECRET_HIDDEN;
  map[0][10][8].scenery = SCENERY_TRAPDOOR;
  IS_GLOBAL_LIGHTING_ON = 1;
}

}  // namespace

TEST(PointerLine, TellsOnlyWhatThePartySeesOrRemembers) {
  small_level();
  // {x, y, revealed, the whole line (empty for nothing at all), never told}
  const std::tuple<int, int, int, const char*, const char*> cases[] = {
      {12, 10, 1, "Skeleton (enemy, near death). Floor.", ""},
      {12, 10, 2, "Remembered: Floor.", "Skeleton"},
      {12, 10, 0, "", ""},
      {10, 10, 1, "Unit1 (party, unhurt). Floor.", ""},
      {11, 10, 1, "Floor. Lying here: Key6 and 1 more item.", ""},
      {11, 10, 2, "Remembered: Floor.", "Key"},
      {10, 12, 2, "Remembered: This appears to be a closed wooden door.", ""},
      {9, 10, 1, "Floor.", "rap"},
      {8, 10, 1, "Floor.", "ecret"},
      {10, 8, 1, "These are stairs going down.", ""}};
  for (auto [x, y, revealed, told, untold] : cases) {
    map[0][x][y].revealed = revealed;
    std::string line = pointer_line(0, x, y);
    EXPECT_EQ(line, told) << " at " << x << "," << y;
    EXPECT_FALSE(*untold && has(line, untold)) << line << " at " << x << "," << y;
  }
  EXPECT_EQ(pointer_line(0, -1, 10) + pointer_line(LEVELS, 10, 10), "");
  // Without light the map shows only the squares beside the party.
  IS_GLOBAL_LIGHTING_ON = 0;
  map[0][12][10].revealed = map[0][11][10].revealed = 1;
  EXPECT_EQ(pointer_line(0, 12, 10), "");
  EXPECT_TRUE(has(pointer_line(0, 11, 10), "Lying here: Key6"));
  // No creature is told anywhere out of sight.
  IS_GLOBAL_LIGHTING_ON = 1;
  for (int u = 2; u < 12; u++)
    std::snprintf(put_unit(3, u, 0, 3 * u, 20 + u % 5, NORTH).name, UNIT_NAME_SIZE, "Hidden%d", u);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      map[0][x][y].revealed = (x + y) % 2 ? 2 : 0;
      std::string line = pointer_line(0, x, y);
      EXPECT_FALSE(has(line, "Hidden") || has(line, "Skeleton") || has(line, "Key")) << line;
    }
}

TEST(PointerLine, WoundedWordsFollowHealthAgainstTheStart) {
  const std::tuple<int, int, const char*> cases[] = {
      {20, 20, "unhurt"},    {25, 20, "unhurt"},     {19, 20, "hurt"},
      {12, 20, "hurt"},      {11, 20, "badly hurt"}, {5, 20, "badly hurt"},
      {4, 20, "near death"}, {-3, 20, "near death"}, {1, 0, "unhurt"}};
  for (auto [health, start, word] : cases)
    EXPECT_STREQ(wounded_word(health, start), word) << health << " of " << start;
}

TEST(MessageHistory, RepeatsFoldWithACountAndTheLogStaysBounded) {
  message_log_clear();
  for (const char* m : {"Skeleton hits ALDRIC", "Skeleton hits ALDRIC", "Skeleton hits ALDRIC", "x",
                        "", "ALDRIC misses!", "Skeleton hits ALDRIC"})
    message_log_add(m);
  text_metrics wide{[](const std::string& t, int) { return static_cast<int>(t.size()); },
                    [](int) { return 10; }};
  EXPECT_EQ(message_history_rows(1000, 16, wide),
            (std::vector<std::string>{"Skeleton hits ALDRIC (x3)", "ALDRIC misses!",
                                      "Skeleton hits ALDRIC"}));
  // Wrapped at spaces to the width.
  EXPECT_EQ(message_history_rows(12, 16, wide).front(), "Skeleton");

  for (int i = 0; i < MESSAGE_LOG_LIMIT + 5; i++)
    message_log_add(("line " + std::to_string(i)).c_str());
  EXPECT_EQ(std::pair(message_log_size(), message_log_dropped()), std::pair(MESSAGE_LOG_LIMIT, 8));
  std::vector<std::string> rows = message_history_rows(1000, 16, wide);
  EXPECT_EQ(rows.front(), "(8 older lines are no longer kept)");
  EXPECT_EQ(rows.back(), "line " + std::to_string(MESSAGE_LOG_LIMIT + 4));
  EXPECT_EQ(message_log_last(2).front(), "line " + std::to_string(MESSAGE_LOG_LIMIT + 3));
  message_log_clear();
  EXPECT_EQ(std::pair(message_log_size(), message_log_dropped()), std::pair(0, 0));
}

TEST(ListWindow, ScrollingStaysWithinTheRows) {
  const std::tuple<int, int, int, list_move, int> cases[] = {
      {0, 100, 20, LIST_LINE_UP, 0},     {0, 100, 20, LIST_LINE_DOWN, 1},
      {79, 100, 20, LIST_LINE_DOWN, 80}, {80, 100, 20, LIST_LINE_DOWN, 80},
      {50, 100, 20, LIST_PAGE_UP, 30},   {10, 100, 20, LIST_PAGE_UP, 0},
      {70, 100, 20, LIST_PAGE_DOWN, 80}, {40, 100, 20, LIST_HOME, 0},
      {0, 100, 20, LIST_END, 80},        {100, 100, 20, LIST_STAY, 80},
      {0, 5, 20, LIST_END, 0},           {3, 5, 0, LIST_LINE_DOWN, 4}};
  for (auto [top, rows, page, move, expect] : cases)
    EXPECT_EQ(list_scroll(top, rows, page, move), expect)
        << top << " of " << rows << " move " << move;
}
