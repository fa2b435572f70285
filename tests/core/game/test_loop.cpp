// The outer loop and the frame loop, driven by the headless front end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "core/frontend.h"
#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "tests/core/hand_made_level.h"
#include "tests/scratch_folder.h"

namespace {

class Loop : public ::testing::Test {
 protected:
  // Every game the loop ends leaves its record and replay here.
  scratch_folder scratch;
  void SetUp() override { fresh_world(); }

  static int said(const std::string& text) {
    return static_cast<int>(std::count(headless.messages.begin(), headless.messages.end(), text));
  }
};

TEST_F(Loop, ANewGameFromTheMenusPlaysUntilLeftThenTheMenuQuits) {
  std::srand(5);
  headless.menu_choices = {1, 2};
  headless.names = {"Aldric"};
  int acting_z = -1, acting_moves = 0;
  headless.inputs.push_back([&] {
    acting_z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
    acting_moves = unit[CURRENT_PLAYER][CURRENT_UNIT].moves;
  });
  headless.inputs.push_back([] { gameover = GAME_OVER; });
  init_loop();
  EXPECT_EQ(DIFFICULTY, 2);
  EXPECT_STREQ(unit[1][1].name, "Aldric");
  EXPECT_EQ(unit[1][1].status, UNIT_NORMAL);
  EXPECT_EQ(acting_z, 0);
  EXPECT_GT(acting_moves, 0);
  EXPECT_FALSE(headless.warnings.empty());  // the backstory was told
  EXPECT_EQ(headless.getinput_calls, 2);
  EXPECT_EQ(gameover, GAME_PLAYING);

  // Quitting from the menu builds no game, and a quitting program shows no
  // menu again.
  int pictures = headless.drawmap_calls;
  headless.menu_choices = {3};
  init_loop();
  EXPECT_EQ(gameover, GAME_QUIT);
  EXPECT_EQ(headless.splash_calls, 2);
  EXPECT_EQ(headless.drawmap_calls, pictures);
  EXPECT_EQ(headless.getinput_calls, 2);
  init_loop();
  EXPECT_EQ(headless.splash_calls, 2);
}

TEST_F(Loop, AScriptedGameEndsThroughGameover) {
  put_unit(1, 1, 0, 5, 5, NORTH, 30);
  unit[1][1].moves = 0;  // the loop hands out the unit's points itself
  headless.inputs.push_back([] { unit[1][1].moves -= 4; });
  headless.inputs.push_back([] { gameover = GAME_OVER; });
  main_loop();
  EXPECT_EQ(gameover, GAME_PLAYING);  // back to the main menu
  EXPECT_EQ(headless.getinput_calls, 2);
  EXPECT_EQ(unit[1][1].moves, 26);
  EXPECT_GE(headless.drawmap_calls, 2);  // the first picture, and after the command
  EXPECT_EQ(UPDATE_MAP, 0);
  EXPECT_EQ(headless.clear_calls, 1);
  ASSERT_GE(headless.messages.size(), 8u);
  for (int i = 0; i < 8; i++) EXPECT_EQ(headless.messages[i], "");
  EXPECT_EQ(said("PLAYER TURN ENDED"), 0);
}

TEST_F(Loop, ANewGameStartsInThePartysTurnWhateverTheLastOneLeft) {
  END_TURN = BARREL_EXPLODE = BOUNCED = 1;
  CANT_SAVE = 4;
  copy_text(unit[1][1].name, "Tester");
  open_new_game();
  EXPECT_EQ(END_TURN + BARREL_EXPLODE + BOUNCED + CANT_SAVE, 0);
}

TEST_F(Loop, LeaderAtMinusTenEndsTheGame) {
  put_unit(1, 1, 0, 5, 5, NORTH, 30);
  unit[1][1].health = -10;
  main_loop();
  // The death, then the score and the table.
  ASSERT_EQ(headless.warnings.size(), 3u);
  const headless_warning& w = headless.warnings[0];
  EXPECT_EQ(w.lines[0], "YOU ARE DEAD!");
  EXPECT_EQ(w.lines[2], "GAME OVER");
  EXPECT_EQ(w.size, 20);
  EXPECT_EQ(gameover, GAME_PLAYING);
  EXPECT_EQ(headless.getinput_calls, 0);  // over before the first command
}

TEST_F(Loop, LeaderAtMinusNineOnlyFallsUnconscious) {
  put_unit(1, 1, 0, 5, 5, NORTH, 30);
  unit[1][1].health = -9;
  main_loop();  // no script: the game is left once the leader can act again
  EXPECT_TRUE(headless.warnings.empty());
  // -9 climbs one a turn; at 1 the leader wakes.  Each of those turns the
  // leader lies senseless and says so.
  EXPECT_EQ(said("Unit is unconscious."), 10);
  EXPECT_EQ(said("PLAYER TURN ENDED"), 10);
  EXPECT_EQ(unit[1][1].status, UNIT_NORMAL);
  EXPECT_EQ(unit[1][1].health, 1);
}

TEST_F(Loop, APartyMemberAtZeroFallsUnconsciousAndPlayGoesOn) {
  put_unit(1, 1, 0, 5, 5, NORTH, 30);
  put_unit(1, 2, 0, 6, 5, NORTH, 30);
  CURRENT_UNIT = 2;
  unit[1][2].health = 0;
  int acting = 0;
  headless.inputs.push_back([&] {
    acting = CURRENT_UNIT;
    gameover = GAME_OVER;
  });
  main_loop();
  EXPECT_EQ(unit[1][2].status, UNIT_UNCONSCIOUS);
  EXPECT_EQ(unit[1][2].moves, 0);
  EXPECT_GE(said("Unit is unconscious."), 1);
  EXPECT_EQ(acting, 1);
  EXPECT_TRUE(headless.warnings.empty());
}

TEST_F(Loop, TheAnimationPhaseFollowsTheTimerAndHoldsAtItsEnd) {
  put_unit(1, 1, 0, 5, 5, NORTH, 30);
  std::vector<std::pair<int, int>> seen;  // (ticker, ticks) at each command
  for (int i = 0; i < 15; i++) headless.inputs.push_back([&] { seen.emplace_back(ticker, ticks); });
  headless.inputs.push_back([] { gameover = GAME_OVER; });
  main_loop();
  ASSERT_EQ(seen.size(), 15u);
  bool held = false, wrapped = false;
  for (std::size_t i = 0; i < seen.size(); i++) {
    auto [t, phase] = seen[i];
    // A ticker read as 0 was just started again in this pass, after the
    // phase was taken from its old value past 28.
    int expected = t == 0 ? 3 : t < 7 ? 0 : t < 14 ? 1 : t < 21 ? 2 : 3;
    EXPECT_EQ(phase, expected) << "ticker " << t;
    held = held || t >= 28;
    wrapped = wrapped || (i > 0 && t < seen[i - 1].first);
    // Commands are read at most once every three ticks.
    if (i > 0 && t > seen[i - 1].first) {
      EXPECT_GE(t - seen[i - 1].first, 3);
    }
  }
  EXPECT_TRUE(held);
  EXPECT_TRUE(wrapped);  // about once a second the timer starts again
}

int waited_ms = -1;
void record_wait(int ms) { waited_ms = ms; }

TEST_F(Loop, PausesScaleWithTheGameSpeed) {
  front_end timed = headless_front_end;
  timed.wait_clock = record_wait;
  select_frontend(&timed);
  // 30 ms at speeds 1 to 3, then 0.1 ms: too short for a whole millisecond.
  for (auto [speed, pause_us, want] :
       {std::tuple{1, 30000, 600}, {2, 30000, 100}, {3, 30000, 15}, {3, 100, -1}}) {
    GAME_SPEED = speed;
    waited_ms = -1;
    usleep(pause_us);
    EXPECT_EQ(waited_ms, want) << "speed " << speed;
  }
  select_frontend(&headless_front_end);
}

// Passes of the frame loop while nothing happens draw nothing: a picture
// comes after a command, and with fire or water in view after each step of
// the animation phase (at ticker 7, 14 and 21 here).
TEST_F(Loop, APictureIsDrawnOnlyWhenSomethingInItCanHaveChanged) {
  struct plan {
    bool animated;
    int command_at_poll;  // -1: the player never touches anything
    int pictures;
  };
  // A touch draws once at once (the pointer) and once more after the next
  // poll, which is when a key it gave acts.
  const plan plans[] = {{false, -1, 1}, {false, 2, 3}, {true, -1, 4}};
  for (const plan& p : plans) {
    SetUp();
    put_unit(1, 1, 0, 5, 5, NORTH, 30);
    headless.animated = p.animated;
    for (int poll = 1; poll < 8; poll++)  // one poll every three ticks
      headless.inputs.push_back(poll == p.command_at_poll ? [] { unit[1][1].facing = 2; }
                                                          : std::function<void()>());
    headless.inputs.push_back([] { gameover = GAME_OVER; });
    main_loop();
    EXPECT_EQ(headless.drawmap_calls, p.pictures) << p.animated << " " << p.command_at_poll;
  }
}

}  // namespace
