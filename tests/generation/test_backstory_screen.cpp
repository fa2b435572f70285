// The backstory is told on a screen of its own: whatever the menus left
// there (the difficulty box, its highlight, the pointer) is blanked first.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/headless.h"
#include "core/world.h"
#include "generation/character.h"
#include "tests/generation/world_builder.h"

namespace {

TEST(BackstoryScreen, TheScreenIsBlankedBeforeTheStoryIsShown) {
  quiet_world_state(1);
  nuke_variables();
  QUEST_NO = 2;
  std::srand(5);
  generate_character();
  ASSERT_EQ(headless.warnings.size(), 1u);
  EXPECT_EQ(headless.screen_clears, 1);
  EXPECT_EQ(headless.warnings[0].screen_clears_before, 1);
  EXPECT_EQ(headless.warnings[0].size, 15);
  EXPECT_EQ(headless.warnings[0].lines[5], "you find yourself standing at the Grimhollow.");
}

}  // namespace
