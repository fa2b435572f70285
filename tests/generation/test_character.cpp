// The backstory: ten draws, six lines told on a screen of their own with the
// seed under them, effects added to the base numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/frontend.h"
#include "core/headless.h"
#include "core/seed.h"
#include "core/world.h"
#include "generation/character.h"
#include "tests/generation/world_builder.h"

namespace {

void hero_at_difficulty(int d, int quest) {
  blank_world(d);
  QUEST_NO = quest;
  unit[1][1].strength = 10 / d;
  unit[1][1].health = 100 / d;
  unit[1][1].defence = 0;
  unit[1][1].movement = 140;
}

// Every choice's effect on the base numbers, the story told, its box and the
// draws taken, over many seeds and the four quests, folded into one pinned number.
TEST(Character, EffectsStoriesAndDrawsKeepTheirSeededOutcome) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned seed = 1; seed <= 300; seed++) {
    hero_at_difficulty(2, 1 + seed % 4);
    std::srand(seed);
    generate_character();
    const unit_record& r = unit[1][1];
    std::string all = std::to_string(r.strength) + "," + std::to_string(r.health) + "," +
                      std::to_string(r.defence) + "," + std::to_string(r.movement) + "," +
                      std::to_string(std::rand()) + "," +
                      std::to_string(headless.warnings.at(0).size);
    for (const std::string& line : headless.warnings.at(0).lines) all += "|" + line;
    for (char c : all) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  EXPECT_EQ(h, 6627543236504221704ull);
}

// Whatever the menus left on the screen is blanked before the story; the
// seed goes under it in small print, for the story's box only.
std::string footnote_seen[2];
int boxes_seen = 0;
void noting_warning(const char* l1, const char* l2, const char* l3, const char* l4, const char* l5,
                    const char* l6, int size) {
  if (boxes_seen < 2) footnote_seen[boxes_seen] = WARNING_FOOTNOTE;
  boxes_seen++;
  headless_front_end.warning_message(l1, l2, l3, l4, l5, l6, size);
}

TEST(Character, TheStoryHasAScreenOfItsOwnAndTheSeedAsItsFootnote) {
  hero_at_difficulty(1, 2);
  ask_for_seed(4242);
  seed_new_game();
  front_end noting = headless_front_end;
  noting.warning_message = noting_warning;
  select_frontend(&noting);
  std::srand(5);
  generate_character();
  warning_message("A LATER BOX", "", "", "", "", "", 12);
  select_frontend(&headless_front_end);
  EXPECT_EQ(headless.screen_clears, 1);
  ASSERT_EQ(headless.warnings.size(), 2u);
  EXPECT_EQ(headless.warnings[0].screen_clears_before, 1);
  EXPECT_EQ(headless.warnings[0].lines[5], "you find yourself standing at the Grimhollow.");
  EXPECT_EQ(boxes_seen, 2);
  EXPECT_EQ(footnote_seen[0], "SEED 4242");
  EXPECT_EQ(footnote_seen[1], "");
  EXPECT_EQ(WARNING_FOOTNOTE, "");
}

TEST(Character, ALoadedGameHasNoSeedToShow) {
  ask_for_seed(7);
  seed_new_game();
  EXPECT_EQ(seed_label(), "SEED 7");
  forget_game_seed();
  EXPECT_EQ(seed_label(), "");
  seed_new_game();  // the next new game has a seed of its own again
  EXPECT_EQ(seed_label(), "SEED " + std::to_string(GAME_SEED));
}

}  // namespace
