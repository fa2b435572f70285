#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/help.h"
#include "ui/input.h"

namespace {

// About as wide and tall as the game's bold face: capitals near two thirds
// of the size, lines a quarter taller than the size.
text_metrics bold_font() {
  text_metrics m;
  m.width = [](const std::string& text, int size) {
    return static_cast<int>(text.size()) * size * 2 / 3;
  };
  m.height = [](int size) { return size + size / 4 + 1; };
  return m;
}

bool overlap(const placed_text& a, const placed_text& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace

TEST(HelpLayout, BothPagesFitEveryResolutionWithoutOverlaps) {
  const int sizes[3][2] = {{800, 600}, {1024, 768}, {1280, 720}};
  for (auto lay_out : {lay_out_how_to_play, lay_out_help})
    for (const auto& s : sizes) {
      SCOPED_TRACE(std::to_string(s[0]) + "x" + std::to_string(s[1]));
      help_layout lay = lay_out(s[0], s[1], bold_font());
      EXPECT_TRUE(lay.fits);
      EXPECT_GE(lay.size, 11);  // still readable
      for (size_t i = 0; i < lay.texts.size(); i++) {
        const placed_text& t = lay.texts[i];
        EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.x + t.w <= s[0] && t.y + t.h <= s[1]) << t.text;
        for (size_t j = i + 1; j < lay.texts.size(); j++)
          EXPECT_FALSE(overlap(t, lay.texts[j])) << t.text << " / " << lay.texts[j].text;
      }
    }
}

TEST(HelpLayout, EveryCommandIsPlacedOnceWithItsNameAndBiggerOnABigScreen) {
  help_layout lay = lay_out_help(800, 600, bold_font());
  auto count = [&](const std::string& text, help_role role) {
    return std::ranges::count_if(lay.texts, [&](const placed_text& t) {
      return t.role == role &&
             (role != HELP_ROLE_NAME
                  ? t.text == text
                  // Keys doing the same share a line: "F1 / ?".
                  : (" / " + t.text + " / ").find(" / " + text + " / ") != std::string::npos);
    });
  };
  for (int i = 0; i < KEY_COMMAND_COUNT; i++)
    EXPECT_EQ(count(KEY_COMMANDS[i].name, HELP_ROLE_NAME), 1) << KEY_COMMANDS[i].name;
  for (int i = 0; i < MOUSE_COMMAND_COUNT; i++)
    EXPECT_EQ(count(MOUSE_COMMANDS[i].name, HELP_ROLE_NAME), 1) << MOUSE_COMMANDS[i].name;
  EXPECT_EQ(count(HELP_TITLE, HELP_ROLE_TITLE), 1);
  EXPECT_EQ(count(HELP_PROMPT, HELP_ROLE_PROMPT), 1);
  // Each description sits beside or under its own name.
  for (size_t i = 0; i + 1 < lay.texts.size(); i++)
    if (lay.texts[i].role == HELP_ROLE_NAME) {
      const placed_text &name = lay.texts[i], &what = lay.texts[i + 1];
      EXPECT_EQ(what.role, HELP_ROLE_WHAT);
      EXPECT_TRUE(what.y == name.y || what.y == name.y + name.h) << name.text;
    }
  // A column reads one way throughout: its descriptions start at one x.
  int column_x[2] = {-1, -1};
  for (const placed_text& t : lay.texts) {
    if (t.role != HELP_ROLE_WHAT) continue;
    int& x = column_x[t.x >= 400];
    if (x < 0) x = t.x;
    EXPECT_EQ(t.x, x) << t.text;
  }
  // A big screen takes bigger text; a tiny one says it does not fit.
  EXPECT_GT(lay_out_help(1280, 720, bold_font()).size, lay_out_help(800, 600, bold_font()).size);
  EXPECT_FALSE(lay_out_help(320, 200, bold_font()).fits);
}
