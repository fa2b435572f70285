// A short soak of fresh games at every difficulty, and the soak's own
// machinery: a planted break is found, replayed exactly and shrunk.
#include <gtest/gtest.h>

#include <string>

#include "core/world.h"
#include "tools/support/soak.h"
#include "ui/view_settings.h"

namespace {

std::string told(const soak_break& b) {
  std::string text = b.fault.text + " (seed " + std::to_string(b.seed) + ", difficulty " +
                     std::to_string(b.difficulty) + ", " + b.when + ")";
  for (const soak_input& in : b.inputs) text += "\n  " + describe_input(in);
  return text;
}

TEST(Soak, FreshGamesAtEveryDifficultyKeepTheWorldSound) {
  soak_report r = run_soak({.first_seed = 11, .seeds = 1, .turns = 8});
  EXPECT_FALSE(r.first.found) << told(r.first);
  EXPECT_EQ(std::pair(r.games, r.replays), std::pair(3L, 3L));
  EXPECT_GT(r.turns, 3);
  EXPECT_GT(r.actions, 30);
  // A seed plays the same after games that hid the window's bars.
  BUTTON_BAR = MESSAGE_BAR = STATUS_BAR = INVENTORY_BAR = 1;
  soak_report again = run_soak({.first_seed = 11, .seeds = 1, .turns = 8});
  EXPECT_EQ(std::pair(again.actions, again.turns), std::pair(r.actions, r.turns));
}

// A command that breaks the world when its row says so, as a fault in a
// newly added command would.
void make_breaker(soak_random& r, soak_input& in) { in.row = r.between(1, 4); }
void play_breaker(const soak_input& in) {
  if (in.row == 4) unit[1][1].facing = 9;
}

class PlantedBreak : public ::testing::Test {
 protected:
  void SetUp() override {
    soak_action_table().push_back({"breaker", 1000, make_breaker, play_breaker});
  }
  void TearDown() override { soak_action_table().pop_back(); }
};

TEST_F(PlantedBreak, IsFoundReplayedAndShrunkToTheOneInput) {
  const soak_config cfg{.first_seed = 5, .seeds = 3, .turns = 30, .shrink = false};
  soak_report r = run_soak(cfg);
  ASSERT_TRUE(r.first.found);
  const soak_break& b = r.first;
  EXPECT_EQ(b.fault.kind, BREAK_UNIT_FACING) << told(b);
  EXPECT_EQ(b.when, "after the input");
  ASSERT_EQ(b.input_index + 1, int(b.inputs.size()));
  EXPECT_EQ(describe_input(b.inputs.back()), "breaker row 4");
  // The same inputs give the same game.
  soak_break again = soak_game(b.seed, b.difficulty, cfg, &b.inputs);
  ASSERT_TRUE(again.found);
  EXPECT_EQ(std::pair(again.fault.text, again.input_index), std::pair(b.fault.text, b.input_index));

  soak_break small = shrink_break(b, cfg);
  ASSERT_TRUE(small.found);
  EXPECT_EQ(small.fault.kind, BREAK_UNIT_FACING);
  ASSERT_EQ(small.inputs.size(), 1u) << told(small);
  EXPECT_EQ(describe_input(small.inputs[0]), "breaker row 4");
}

// A command that turns the leader behind the replay's back, as a rule run by
// the front end without recording itself would.
void play_unrecorded(const soak_input& in) {
  if (in.row == 4) unit[1][1].facing = (unit[1][1].facing + 1) % 8;
}

TEST(Soak, AGameWhoseReplayEndsElsewhereIsABreak) {
  soak_action_table().push_back({"unrecorded turn", 1000, make_breaker, play_unrecorded});
  soak_report r = run_soak(
      {.first_seed = 5, .first_difficulty = 1, .last_difficulty = 1, .turns = 5, .shrink = false});
  soak_action_table().pop_back();
  ASSERT_TRUE(r.first.found);
  EXPECT_EQ(r.first.fault.kind, BREAK_REPLAY) << told(r.first);
  EXPECT_EQ(r.replays, 0);
}

}  // namespace
