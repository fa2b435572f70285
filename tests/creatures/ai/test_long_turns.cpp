// Whole dungeons played for many turns with the party standing still: every
// end of turn must come back, and the world's bookkeeping must hold after it.
#include <gtest/gtest.h>

#include "core/game/turn.h"
#include "core/check.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int TURNS = 200;

int live_creatures() {
  int n = 0;
  for (int u = 1; u <= UNIT_MAX; u++)
    if (unit[2][u].status != UNIT_FREE) n++;
  return n;
}

void play_still_party(unsigned seed, int difficulty) {
  build_test_world(seed, difficulty);
  ASSERT_EQ(check_world(), "") << "as built";
  ASSERT_GT(live_creatures(), 50);
  for (int turn = 1; turn <= TURNS; turn++) {
    // The party spends its own turn standing still, and is kept alive so
    // that the creatures go on hunting and fighting it all along.
    for (int u = 1; u <= UNIT_MAX; u++) {
      unit[1][u].moves = 0;
      if (unit[1][u].status != UNIT_FREE) unit[1][u].health = 1000;
    }
    end_turn();
    ASSERT_NE(gameover, GAME_OVER) << "turn " << turn;
    ASSERT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "") << "after turn " << turn << " at difficulty " << difficulty;
  }
}

TEST(LongTurns, EveryEndOfTurnReturnsAndKeepsTheWorldSoundAtEveryDifficulty) {
  for (int difficulty = 1; difficulty <= 3; difficulty++)
    play_still_party(7 + difficulty, difficulty);
}

// Creatures really act: some leave their squares over the turns.
TEST(LongTurns, CreaturesMoveAboutOverTheTurns) {
  build_test_world(11, 2);
  int before[UNIT_SLOTS][3];
  for (int u = 1; u <= UNIT_MAX; u++)
    before[u][0] = unit[2][u].x, before[u][1] = unit[2][u].y, before[u][2] = unit[2][u].z;
  for (int turn = 0; turn < 5; turn++) end_turn();
  int moved = 0;
  for (int u = 1; u <= UNIT_MAX; u++) {
    const unit_record& r = unit[2][u];
    if (r.status == UNIT_FREE) continue;
    if (r.x != before[u][0] || r.y != before[u][1] || r.z != before[u][2]) moved++;
  }
  EXPECT_GT(moved, 20);
}

}  // namespace
