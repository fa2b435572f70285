#include <gtest/gtest.h>

#include <string>

#include "core/frontend.h"
#include "core/headless.h"
#include "core/messages.h"
#include "core/world.h"

namespace {

TEST(MessageHistory, ShortTextsOnlyRedrawAndOldLinesDropOff) {
  reset_globals();
  EXPECT_FALSE(add_message_line(""));
  EXPECT_FALSE(add_message_line("x"));
  EXPECT_FALSE(add_message_line(nullptr));
  for (int i = 0; i < MESSAGE_LINES + 2; i++)
    EXPECT_TRUE(add_message_line(("line " + std::to_string(i)).c_str()));
  EXPECT_STREQ(M_line[MESSAGE_LINES - 1], "line 31");
  EXPECT_STREQ(M_line[0], "line 2");
  // A text longer than a line is cut, never written past it.
  std::string long_text(400, 'a');
  add_message_line(long_text.c_str());
  EXPECT_EQ(std::string(M_line[MESSAGE_LINES - 1]).size(), MESSAGE_LINE_SIZE - 1u);
  EXPECT_STREQ(M_line[MESSAGE_LINES - 2], "line 31");
}

// A front end that only counts what it is asked to draw: the history must
// come out the same whichever front end is selected.
int drawn_messages = 0, drawn_clears = 0;
front_end counting_front_end() {
  front_end fe = headless_front_end;
  fe.name = "counting";
  fe.message_box = [](const char*) { drawn_messages++; };
  fe.clear_message_box = [] { drawn_clears++; };
  return fe;
}

TEST(MessageHistory, TheDispatcherKeepsTheHistoryForEveryFrontEnd) {
  reset_globals();
  use_headless();
  message_box("first");
  message_box("second");
  message_box("");  // a bare redraw
  EXPECT_STREQ(M_line[MESSAGE_LINES - 1], "second");
  EXPECT_STREQ(M_line[MESSAGE_LINES - 2], "first");
  EXPECT_EQ(headless.messages.size(), 3u);
  std::string headless_history[MESSAGE_LINES];
  for (int i = 0; i < MESSAGE_LINES; i++) headless_history[i] = M_line[i];

  reset_globals();
  static const front_end counting = counting_front_end();
  select_frontend(&counting);
  drawn_messages = drawn_clears = 0;
  message_box("first");
  message_box("second");
  message_box("");
  EXPECT_EQ(drawn_messages, 3);  // each is drawn, once
  for (int i = 0; i < MESSAGE_LINES; i++) EXPECT_EQ(headless_history[i], M_line[i]) << i;

  clear_message_box();
  EXPECT_EQ(drawn_clears, 1);
  for (int i = 1; i < MESSAGE_LINES; i++) EXPECT_STREQ(M_line[i], " ") << i;
  use_headless();
}

int update_seen_by_draw = -1;

TEST(DrawDispatcher, EveryDrawIsOfTheWholePicture) {
  reset_globals();
  static const front_end recording = [] {
    front_end fe = headless_front_end;
    fe.drawmap = [] { update_seen_by_draw = UPDATE_MAP; };
    return fe;
  }();
  select_frontend(&recording);
  // Between two passes of the frame loop (the pause) the flag is down; the
  // units and items on the map must be drawn all the same.
  UPDATE_MAP = 0;
  drawmap();
  EXPECT_EQ(update_seen_by_draw, 1);
  EXPECT_EQ(UPDATE_MAP, 0);
  use_headless();
}

}  // namespace
