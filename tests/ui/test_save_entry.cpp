// The line entry when it asks for a save name: only what a save name may
// hold can be typed, so a typed name always stays inside save/.
#include <gtest/gtest.h>

#include <string>

#include "persistence/save.h"
#include "ui/menus.h"

namespace {

constexpr int BACKSPACE = 63;

TEST(SaveNameEntry, RefusesWhatASaveNameMayNotHold) {
  std::string text;
  for (char c : std::string("../a/b.c\\~*:x-_ 9")) edit_file_name_entry(text, c, 1, BACKSPACE);
  EXPECT_EQ(text, "ABCX-_ 9");
  EXPECT_TRUE(save_name_valid(text));
  EXPECT_FALSE(edit_file_name_entry(text, '/', 1, BACKSPACE));
  EXPECT_FALSE(edit_file_name_entry(text, 0xe9, 1, BACKSPACE));  // no letters beyond ASCII
  EXPECT_TRUE(edit_file_name_entry(text, 8, BACKSPACE, BACKSPACE));
  EXPECT_EQ(text, "ABCX-_ ");
  // The character name entry still takes anything printable.
  std::string name;
  EXPECT_TRUE(edit_entry(name, '.', 1, BACKSPACE));
  EXPECT_EQ(name, ".");
}

}  // namespace
