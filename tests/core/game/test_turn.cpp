#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/occupancy.h"
#include "core/game/loop.h"
#include "core/actions/movement.h"
#include "core/game/turn.h"
#include "core/turn_order.h"
#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

namespace {

class TurnTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

TEST_F(TurnTest, PlayPassesToTheNextUnitThatMayAct) {
  put_unit(1, 1, 0, 10, 10, NORTH, 0);
  put_unit(1, 2, 0, 11, 10, NORTH).status = UNIT_UNCONSCIOUS;
  put_unit(1, 3, 0, 12, 10, NORTH, 0);  // no points left
  put_unit(1, 4, 0, 13, 10, NORTH).status = UNIT_POISONED;
  put_unit(1, 7, 0, 14, 10, NORTH);
  next_unit();
  EXPECT_EQ(CURRENT_UNIT, 4);
  EXPECT_TRUE(headless_said("NEXT UNIT"));
  next_unit();
  EXPECT_EQ(CURRENT_UNIT, 7);
  unit[1][1].moves = 5;
  next_unit();  // round past the end of the table to the front
  EXPECT_EQ(CURRENT_UNIT, 1);
}

TEST_F(TurnTest, ALoneUnitKeepsTheTurnAndIsMarkedOnItsSquare) {
  put_unit(1, 1, 0, 10, 10, NORTH, 0);
  clear_occupant(0, 10, 10);
  next_unit();
  EXPECT_EQ(CURRENT_UNIT, 1);
  EXPECT_FALSE(headless_said("NEXT UNIT"));
  EXPECT_EQ(map[0][10][10].occupant_player, 1);
  EXPECT_EQ(map[0][10][10].occupant_unit, 1);
  EXPECT_EQ(UPDATE_MAP, 1);
}

TEST_F(TurnTest, RefreshGivesBackPointsAndWakesTheUnconsciousSlowly) {
  put_unit(1, 1, 0, 10, 10, NORTH, 0).movement = 40;
  unit_record& out = put_unit(1, 2, 0, 11, 10, NORTH, 0);
  out.movement = 30;
  out.moves = 12;
  out.status = UNIT_UNCONSCIOUS;
  out.health = -3;
  for (int turn = 1; turn <= 3; turn++) {
    refresh_movement(1);
    EXPECT_EQ(out.status, UNIT_UNCONSCIOUS) << turn;
    EXPECT_EQ(out.moves, 0);
  }
  EXPECT_EQ(out.health, 0);
  refresh_movement(1);
  EXPECT_EQ(out.status, UNIT_NORMAL);
  EXPECT_EQ(out.health, 1);
  EXPECT_EQ(out.moves, 30);
  EXPECT_EQ(unit[1][1].moves, 40);
  EXPECT_EQ(unit[1][3].moves, 0);  // a free slot
}

TEST_F(TurnTest, EndOfTurnRefreshesThePartyAndKeepsTheActingUnit) {
  put_unit(1, 1, 0, 10, 10, NORTH, 0).movement = 40;
  put_unit(1, 2, 0, 11, 10, NORTH, 0).movement = 50;
  CURRENT_UNIT = 2;
  CANT_SAVE = 1;
  end_turn();
  EXPECT_EQ(unit[1][1].moves, 40);
  EXPECT_EQ(unit[1][2].moves, 50);
  EXPECT_EQ(CURRENT_UNIT, 2);
  EXPECT_EQ(END_TURN, 0);
  EXPECT_EQ(CANT_SAVE, 0);
  EXPECT_EQ(headless.banner_calls, 1);
  ASSERT_GE(headless.messages.size(), 2u);
  EXPECT_EQ(headless.messages.front(), "PLAYER TURN ENDED");
  EXPECT_EQ(headless.messages.back(), "TURN STARTED");
  end_turn();
  EXPECT_EQ(CANT_SAVE, 0);  // the save lock stops at 0
}

TEST_F(TurnTest, LostGameStopsTheEndOfTurnAfterTheCreatures) {
  unit_record& a = put_unit(1, 1, 0, 10, 10, NORTH, 0);
  a.status = UNIT_POISONED;
  a.health = 25;
  CANT_SAVE = 2;
  gameover = GAME_OVER;
  end_turn();
  EXPECT_EQ(a.health, 25);
  EXPECT_EQ(a.moves, 0);
  EXPECT_EQ(CANT_SAVE, 2);
  EXPECT_EQ(END_TURN, 1);
  EXPECT_FALSE(headless_said("TURN STARTED"));
}

TEST_F(TurnTest, PoisonWearsDownToOneAndMayBeCured) {
  unit_record& a = put_unit(1, 1, 0, 10, 10, NORTH);
  unit_record& b = put_unit(1, 2, 0, 11, 10, NORTH);
  unit_record& c = put_unit(1, 3, 0, 12, 10, NORTH);
  a.status = b.status = c.status = UNIT_POISONED;
  a.health = 25;
  b.health = 1;
  c.health = 100;
  std::vector<int> d = draws_for(2, 2);  // the first roll cures, the second does not
  ASSERT_EQ(d[0] % 10, 0);
  ASSERT_NE(d[1] % 10, 0);
  end_turn();
  EXPECT_EQ(a.health, 22);
  EXPECT_EQ(b.health, 1);
  EXPECT_EQ(c.health, 89);  // a tenth and one more
  EXPECT_TRUE(headless_said("Unit1 is poisioned."));
  EXPECT_TRUE(headless_said("Unit1 is cured of poision."));
  EXPECT_EQ(a.status, UNIT_NORMAL);
  EXPECT_EQ(b.status, UNIT_POISONED);
}

// A lit torch burns down and is thrown away; a corpse on the ground decays at
// the twentieth turn, a carried one never.
TEST_F(TurnTest, TorchesAndCorpsesAgeWithTheTurns) {
  put_unit(1, 1, 0, 10, 10, NORTH);
  object_record& torch = give_item(5, 1, 1, ITEM_TORCH, OBJECT_LIT);
  torch.var1 = 5;
  object_record& lying = object[7];
  lying.type = ITEM_CORPSE;
  lying.status = OBJECT_ON_GROUND;
  lying.var1 = 20;
  object_record& carried = give_item(8, 1, 1, ITEM_CORPSE, OBJECT_CARRIED);
  carried.var1 = 20;
  end_turn();
  EXPECT_EQ(torch.var1, 4);
  EXPECT_TRUE(headless_said("Unit1's torch splutters and fizzles"));
  for (int t = 0; t < 4; t++) end_turn();
  EXPECT_TRUE(headless_said("Unit1's torch goes out"));
  EXPECT_EQ(torch.status, OBJECT_FREE);
  for (int t = 0; t < 14; t++) end_turn();
  EXPECT_EQ(lying.var1, 1);
  EXPECT_EQ(lying.status, OBJECT_ON_GROUND);
  end_turn();
  EXPECT_EQ(lying.status, OBJECT_FREE);
  EXPECT_EQ(carried.var1, 20);
  EXPECT_EQ(carried.status, OBJECT_CARRIED);
}

// Each free nest draws one roll per level pass; a nest with a unit on it
// draws none.  The roll order is what keeps a seeded game repeatable.
TEST_F(TurnTest, NestsRollOnlyWhenNoUnitStandsOnThem) {
  put_unit(1, 1, 0, 10, 10, NORTH);
  map[3][20][20].scenery = SCENERY_NEST;
  put_unit(2, 1, 3, 20, 20, NORTH);
  std::vector<int> d = draws_for(9, 2);
  end_turn();
  EXPECT_EQ(std::rand(), d[0]);
  clear_occupant(3, 20, 20);
  std::srand(9);
  end_turn();
  EXPECT_EQ(std::rand(), d[1]);
}

TEST_F(TurnTest, GuardsComeEveryThirdTurnAfterTheExitIsSeen) {
  put_unit(1, 1, 10, 10, 10, NORTH);
  end_turn();
  EXPECT_EQ(FOUND_EXIT, 0);
  FOUND_EXIT = 1;
  std::string seen;
  for (int t = 0; t < 6; t++) end_turn(), seen += std::to_string(FOUND_EXIT);
  EXPECT_EQ(seen, "231231");  // at each 1 a guard is sent
  unit[1][1].z = 9;  // off the top level the bell is not heard
  end_turn();
  EXPECT_EQ(FOUND_EXIT, 1);
}

TEST_F(TurnTest, GuardAndNestCreaturesAreMadeOnlyOnFreeSquares) {
  put_unit(1, 1, 10, 10, 10, NORTH);
  put_unit(2, 1, 10, 25, 25, NORTH);  // someone already stands at the gate
  FOUND_EXIT = 3;
  end_turn();
  EXPECT_EQ(FOUND_EXIT, 1);
  // The guard comes in beside whoever holds the gate.
  ASSERT_NE(unit[2][2].status, UNIT_FREE);
  EXPECT_EQ(unit[2][2].race, 2);
  EXPECT_EQ(unit[2][2].x, 25);
  EXPECT_EQ(unit[2][2].y, 24);
  EXPECT_EQ(map[10][25][25].occupant_unit, 1);

  map[4][5][5].scenery = SCENERY_NEST;
  int made = 0;
  for (int t = 0; t < 60 && made == 0; t++) {
    end_turn();
    for (int u = 2; u < UNIT_MAX; u++)
      if (unit[2][u].status != UNIT_FREE && unit[2][u].z == 4) made++;
  }
  EXPECT_EQ(made, 1);
  EXPECT_EQ(map[4][5][5].occupant_player, 2);
}

TEST_F(TurnTest, MainLoopHandsTheTurnToTheNextPartyUnit) {
  put_unit(1, 1, 0, 10, 10, EAST, 40);
  put_unit(1, 2, 0, 10, 12, EAST, 40);
  int seen_unit = 0, seen_moves = 0, after_turn_unit = 0, after_turn_moves = 0;
  headless.inputs.push_back([] {
    for (int i = 0; i < 4; i++) forward(1, 1);
  });
  headless.inputs.push_back([&] {
    seen_unit = CURRENT_UNIT;
    seen_moves = unit[1][CURRENT_UNIT].moves;
    unit[1][CURRENT_UNIT].moves = 0;
  });
  headless.inputs.push_back([&] {
    after_turn_unit = CURRENT_UNIT;
    after_turn_moves = unit[1][CURRENT_UNIT].moves;
  });
  gameover = GAME_PLAYING;
  main_loop();
  EXPECT_EQ(unit[1][1].x, 14);
  EXPECT_EQ(seen_unit, 2);
  EXPECT_EQ(seen_moves, 40);
  EXPECT_TRUE(headless_said("NEXT UNIT"));
  EXPECT_TRUE(headless_said("TURN STARTED"));  // nobody had points left
  EXPECT_EQ(headless.banner_calls, 1);
  // Handing play on never ended the turn: only the second unit's end did.
  EXPECT_EQ(std::count(headless.messages.begin(), headless.messages.end(), "PLAYER TURN ENDED"), 1);
  EXPECT_EQ(after_turn_unit, 2);
  EXPECT_EQ(after_turn_moves, 40);
  EXPECT_EQ(headless.getinput_calls, 4);
}

}  // namespace
