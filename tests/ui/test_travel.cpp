#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "../core/hand_made_level.h"
#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "core/game/replay_play.h"
#include "core/messages.h"
#include "core/movecost.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/version.h"
#include "creatures/sight.h"
#include "ui/input.h"
#include "ui/overview.h"
#include "ui/travel.h"
#include "ui/view_settings.h"

namespace {

constexpr int Z = 2, ROW = 10, FIRST = 5, LAST = 30, LADDER = 25;

// A remembered corridor along row ROW of level Z from x FIRST to LAST in
// rock, a ladder up at x LADDER, the leader at its west end facing east.
class TravelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    reset_view_settings();
    travel_interrupt();
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) put_terrain(Z, x, y, TERRAIN_ROCK);
    for (int x = FIRST; x <= LAST; x++) {
      put_terrain(Z, x, ROW, TERRAIN_PASSAGE_FLOOR, 1);
      map[Z][x][ROW].revealed = 2;
    }
    map[Z][LADDER][ROW].scenery = SCENERY_LADDER_UP;
    put_unit(1, 1, Z, FIRST, ROW, EAST, 300);
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    reveal_tiles();
  }
  unit_record& me() { return unit[1][1]; }
  static void press(input_key k) {
    input_state in;
    in.key[k] = true;
    dispatch_input(in, input_actions{});
  }
  // Passes with nothing pressed until the walk ends (bounded).
  static int walk_out() {
    int passes = 0;
    while (travel_walking() && passes < 200) {
      dispatch_input(input_state{}, input_actions{});
      passes++;
    }
    return passes;
  }
};

TEST_F(TravelTest, EachStopEndsTheWalkWhereItShould) {
  struct stop_case {
    const char* what;
    void (*lay)();
    travel_end end;
    int stop_x;  // -1: anywhere short of the ladder
  };
  const stop_case cases[] = {
      {"arrives", [] {}, TRAVEL_ARRIVED, LADDER},
      {"points run out", [] { unit[1][1].moves = 35; }, TRAVEL_OUT_OF_POINTS, FIRST + 4},
      {"a step is refused", [] { map[Z][12][ROW].passable = 0; }, TRAVEL_REFUSED, 11},
      {"a move event speaks", [] { put_terrain(Z, 9, ROW, TERRAIN_PRESSURE_PAD, 1); },
       TRAVEL_MESSAGE, 9},
      {"a creature comes into sight", [] { put_unit(2, 1, Z, 22, ROW, WEST); }, TRAVEL_ENEMY, -1},
  };
  for (const stop_case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.lay();
    press(IN_LESS);
    ASSERT_TRUE(travel_walking());
    walk_out();
    EXPECT_FALSE(travel_walking());
    EXPECT_EQ(travel_last_end(), c.end);
    if (c.stop_x >= 0) {
      EXPECT_EQ(me().x, c.stop_x);
    } else {
      EXPECT_LT(me().x, 22 - 1);
    }
    EXPECT_EQ(me().y, ROW);
  }
}

TEST_F(TravelTest, AnyKeyHaltsTheWalkAndDoesNothingElse) {
  press(IN_LESS);
  dispatch_input(input_state{}, input_actions{});
  dispatch_input(input_state{}, input_actions{});
  int x = me().x, moves = me().moves;
  EXPECT_EQ(x, FIRST + 2);
  press(IN_UP);
  EXPECT_FALSE(travel_walking());
  EXPECT_EQ(travel_last_end(), TRAVEL_INTERRUPTED);
  EXPECT_EQ(me().x, x);
  EXPECT_EQ(me().moves, moves);
}

TEST_F(TravelTest, OnlyRememberedSquaresLeadToALadder) {
  // A square never seen cuts the corridor: the ladder beyond is unknown.
  map[Z][15][ROW].revealed = 0;
  unsigned told = message_lines_told();
  press(IN_LESS);
  EXPECT_FALSE(travel_walking());
  EXPECT_EQ(message_lines_told(), told + 1);
  EXPECT_EQ(me().x, FIRST);
  // Seen again, the walk takes the route; a ladder down is still unknown.
  map[Z][15][ROW].revealed = 2;
  press(IN_GREATER);
  EXPECT_FALSE(travel_walking());
  press(IN_LESS);
  EXPECT_TRUE(travel_walking());
}

TEST_F(TravelTest, KeypadTurnsTheShortWayPayingEachTurnThenSteps) {
  // An open hall around the leader for this one.
  for (int x = 3; x <= 9; x++)
    for (int y = 7; y <= 13; y++) put_terrain(Z, x, y, TERRAIN_ROOM_FLOOR, 1);
  struct pad_case {
    int facing;
    input_key key;
    int facing_after, dx, dy, spent;
  };
  const pad_case cases[] = {
      {EAST, IN_PAD_6, EAST, 1, 0, 10},
      {NORTH, IN_PAD_9, NORTHEAST, 1, -1, 3 + 10},
      {NORTH, IN_PGUP, NORTHEAST, 1, -1, 3 + 10},
      {NORTH, IN_HOME, NORTHWEST, -1, -1, 3 + 10},
      {NORTH, IN_PAD_2, SOUTH, 0, 1, 4 * 3 + 10},
      {WEST, IN_PAD_1, SOUTHWEST, -1, 1, 3 + 10},
      {SOUTH, IN_END, SOUTHWEST, -1, 1, 3 + 10},
      {SOUTHEAST, IN_PAD_7, NORTHWEST, -1, -1, 4 * 3 + 10},
      {EAST, IN_PAD_4, WEST, -1, 0, 4 * 3 + 10},
      {NORTH, IN_PGDN, SOUTHEAST, 1, 1, 3 * 3 + 10},
  };
  for (const pad_case& c : cases) {
    SCOPED_TRACE(testing::Message() << "facing " << c.facing << " key " << c.key);
    remove_unit(1, 1);
    map_movecost(Z);
    put_unit(1, 1, Z, 6, 10, c.facing, 100);
    press(c.key);
    EXPECT_EQ(me().facing, c.facing_after);
    EXPECT_EQ(me().x, 6 + c.dx);
    EXPECT_EQ(me().y, 10 + c.dy);
    EXPECT_EQ(me().moves, 100 - c.spent);
  }
  // Into rock: the unit is left facing that way, where it stood.
  remove_unit(1, 1);
  put_unit(1, 1, Z, 9, 7, WEST, 100);
  press(IN_PAD_8);
  EXPECT_EQ(me().facing, NORTH);
  EXPECT_EQ(me().y, 7);
  EXPECT_EQ(me().moves, 100 - 2 * 3);
}

TEST_F(TravelTest, TheMapShowsWhatWasSeenAndWhoIsInSightNow) {
  put_unit(2, 1, Z, 28, ROW, WEST);  // out of sight down the corridor
  map[Z][20][ROW].revealed = 0;
  EXPECT_EQ(overview_at(1, Z, FIRST, ROW).mark, OVERVIEW_PARTY);
  EXPECT_EQ(overview_at(1, Z, 12, ROW).mark, OVERVIEW_FLOOR);
  EXPECT_FALSE(overview_at(1, Z, 12, ROW).in_view);
  EXPECT_EQ(overview_at(1, Z, LADDER, ROW).mark, OVERVIEW_WAY_UP);
  EXPECT_EQ(overview_at(1, Z, 20, ROW).mark, OVERVIEW_DARK);
  EXPECT_EQ(overview_at(1, Z, 20, ROW + 1).mark, OVERVIEW_DARK);  // rock never seen
  EXPECT_EQ(overview_at(1, Z, 28, ROW).mark, OVERVIEW_FLOOR);     // the creature is not shown
  map[Z][28][ROW].revealed = 1;
  EXPECT_EQ(overview_at(1, Z, 28, ROW).mark, OVERVIEW_CREATURE);
  map[Z][6][ROW + 1].revealed = 2;
  EXPECT_EQ(overview_at(1, Z, 6, ROW + 1).mark, OVERVIEW_WALL);

  // Every square fits the screen and the pointer finds it again.
  for (auto wh : {std::pair{800, 600}, std::pair{1024, 768}, std::pair{1280, 720}}) {
    overview_layout lay = lay_out_overview(wh.first, wh.second);
    EXPECT_GE(lay.cell, 8);
    EXPECT_LE(lay.left + lay.cell * LAND_SIZE, wh.first);
    EXPECT_LE(lay.top + lay.cell * LAND_SIZE, wh.second - 20);
    int x = -1, y = -1;
    ASSERT_TRUE(
        overview_square_at(lay, lay.left + 50 * lay.cell + 1, lay.top + 3 * lay.cell, x, y));
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 3);
    EXPECT_FALSE(overview_square_at(lay, lay.left + 51 * lay.cell, lay.top, x, y));
  }
}

TEST(TravelReplay, KeypadStepsAndAWalkReplayToTheSameWorld) {
  use_headless();
  char name[] = "/tmp/grim_travel_replay_XXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  copy_text(unit[1][1].name, "Tester");
  DIFFICULTY = 1;
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  ask_for_seed(7);
  open_new_game();
  ASSERT_TRUE(replay_begin(name, GAME_SEED, DIFFICULTY, "Tester", GAME_VERSION));
  static int walked;
  walked = 0;
  auto key = [](input_key k) {
    return [k] {
      input_state in;
      in.key[k] = true;
      dispatch_input(in, input_actions{});
    };
  };
  auto idle = [] {
    walked += travel_walking();
    dispatch_input(input_state{}, input_actions{});
  };
  for (input_key k : {IN_PAD_3, IN_PAD_2, IN_PAD_6, IN_PAD_9, IN_PAD_5, IN_PAD_1, IN_END, IN_LESS})
    headless.inputs.push_back(key(k));
  // A walk to the remembered square farthest along a route.
  headless.inputs.push_back([] {
    const unit_record& u = unit[CURRENT_PLAYER][CURRENT_UNIT];
    for (int r = 6; r >= 2 && !travel_walking(); r--)
      for (int d = 0; d < 8 && !travel_walking(); d++) {
        int x = u.x + r * DIRECTION_DX[d], y = u.y + r * DIRECTION_DY[d];
        if (travel_square_open(u.z, x, y) && route_first_step(u.z, u.x, u.y, x, y) >= 0)
          travel_to(x, y);
      }
  });
  for (int i = 0; i < 30; i++) headless.inputs.push_back(idle);
  headless.inputs.push_back(key(IN_PAD_7));
  gameover = GAME_PLAYING;
  main_loop();
  const std::string played = world_digest();
  replay_end();
  EXPECT_GT(walked, 1);

  replay_record r;
  std::string reason;
  ASSERT_TRUE(read_replay(name, r, reason)) << reason;
  use_headless();
  replay_outcome out = play_replay_headless(r);
  EXPECT_TRUE(out.followed) << out.reason;
  EXPECT_EQ(out.digest, played);
  std::remove(name);
}

}  // namespace
