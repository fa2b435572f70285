// Whole dungeons played for many turns with the party standing still: every
// end of turn must come back, and the world's bookkeeping must hold after it.
#include <gtest/gtest.h>

#include "core/check.h"
#include "core/game/turn.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int TURNS = 200;

void play_still_party(unsigned seed, int difficulty) {
  build_test_world(seed, difficulty);
  ASSERT_EQ(check_world(), "") << "as built";
  int before[UNIT_SLOTS][3], live = 0;
  for (int u = 1; u <= UNIT_MAX; u++) {
    const unit_record& r = unit[2][u];
    before[u][0] = r.x, before[u][1] = r.y, before[u][2] = r.z;
    live += r.status != UNIT_FREE;
  }
  ASSERT_GT(live, 50);
  for (int turn = 1; turn <= TURNS; turn++) {
    // The party spends its own turn standing still, and is kept alive so
    // that the creatures go on hunting and fighting it all along.
    for (int u = 1; u <= UNIT_MAX; u++) {
      unit[1][u].moves = 0;
      if (unit[1][u].status != UNIT_FREE) unit[1][u].health = 1000;
    }
    end_turn();
    ASSERT_NE(gameover, GAME_OVER) << "turn " << turn;
    ASSERT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "")
        << "after turn " << turn << " at difficulty " << difficulty;
  }
  // The creatures really act: many leave their squares.
  int moved = 0;
  for (int u = 1; u <= UNIT_MAX; u++) {
    const unit_record& r = unit[2][u];
    moved += r.status != UNIT_FREE &&
             (r.x != before[u][0] || r.y != before[u][1] || r.z != before[u][2]);
  }
  EXPECT_GT(moved, 20) << "at difficulty " << difficulty;
}

TEST(LongTurns, EveryEndOfTurnReturnsKeepsTheWorldSoundAndMovesCreatures) {
  for (int difficulty = 1; difficulty <= 3; difficulty++)
    play_still_party(7 + difficulty, difficulty);
}

}  // namespace
