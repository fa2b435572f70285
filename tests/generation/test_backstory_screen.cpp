// The backstory is told on a screen of its own: whatever the menus left
// there (the difficulty box, its highlight, the pointer) is blanked first.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/frontend.h"
#include "core/headless.h"
#include "core/seed.h"
#include "core/world.h"
#include "generation/character.h"
#include "tests/generation/world_builder.h"

namespace {

// The seed goes under the story in small print, for the box it is told in
// only; the six lines stay as they are.
std::string footnote_seen[2];
int boxes_seen = 0;
void noting_warning(const char* l1, const char* l2, const char* l3, const char* l4, const char* l5,
                    const char* l6, int size) {
  if (boxes_seen < 2) footnote_seen[boxes_seen] = WARNING_FOOTNOTE;
  boxes_seen++;
  headless_front_end.warning_message(l1, l2, l3, l4, l5, l6, size);
}

TEST(BackstoryScreen, TheStoryHasAScreenOfItsOwnAndTheSeedAsItsFootnote) {
  quiet_world_state(1);
  nuke_variables();
  QUEST_NO = 2;
  ask_for_seed(4242);
  seed_new_game();
  std::srand(5);
  generate_character();
  // The story is told on a screen of its own, blanked first.
  ASSERT_EQ(headless.warnings.size(), 1u);
  EXPECT_EQ(headless.screen_clears, 1);
  EXPECT_EQ(headless.warnings[0].screen_clears_before, 1);
  const headless_warning plain = headless.warnings.at(0);

  front_end noting = headless_front_end;
  noting.warning_message = noting_warning;
  boxes_seen = 0;
  quiet_world_state(1);
  nuke_variables();
  QUEST_NO = 2;
  select_frontend(&noting);
  std::srand(5);
  generate_character();
  warning_message("A LATER BOX", "", "", "", "", "", 12);
  select_frontend(&headless_front_end);
  EXPECT_EQ(boxes_seen, 2);
  EXPECT_EQ(footnote_seen[0], "SEED 4242");
  EXPECT_EQ(footnote_seen[1], "");
  EXPECT_EQ(WARNING_FOOTNOTE, "");
  ASSERT_EQ(headless.warnings.size(), 2u);
  for (int i = 0; i < 6; i++) EXPECT_EQ(headless.warnings[0].lines[i], plain.lines[i]);
}

TEST(BackstoryScreen, ALoadedGameHasNoSeedToShow) {
  ask_for_seed(7);
  seed_new_game();
  EXPECT_EQ(seed_label(), "SEED 7");
  forget_game_seed();
  EXPECT_EQ(seed_label(), "");
  seed_new_game();  // the next new game has a seed of its own again
  EXPECT_EQ(seed_label(), "SEED " + std::to_string(GAME_SEED));
}

}  // namespace
