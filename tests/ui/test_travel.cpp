#include <gtest/gtest.h>

#include <tuple>

#include "../core/hand_made_level.h"
#include "core/messages.h"
#include "core/movecost.h"
#include "creatures/sight.h"
#include "replay_round_trip.h"
#include "ui/input.h"
#include "ui/overview.h"
#include "ui/travel.h"
#include "ui/view_settings.h"

namespace {

constexpr int Z = 2, ROW = 10, FIRST = 5, LAST = 30, LADDER = 25;

void idle() { dispatch_input(input_state{}, input_actions{}); }
void press(input_key k) {
  input_state in;
  in.key[k] = true;
  dispatch_input(in, input_actions{});
}

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
  // Passes with nothing pressed until the walk ends (bounded).
  static void walk_out() {
    for (int passes = 0; travel_walking() && passes < 200; passes++) idle();
  }
};

TEST_F(TravelTest, EachStopEndsTheWalkWhereItShould) {
  // {what, scene, end, where it stops (-1: anywhere short of the creature)}
  const std::tuple<const char*, void (*)(), travel_end, int> cases[] = {
      {"arrives", [] {}, TRAVEL_ARRIVED, LADDER},
      {"points run out", [] { unit[1][1].moves = 35; }, TRAVEL_OUT_OF_POINTS, FIRST + 4},
      {"a step is refused", [] { map[Z][12][ROW].passable = 0; }, TRAVEL_REFUSED, 11},
      {"a move event speaks", [] { put_terrain(Z, 9, ROW, TERRAIN_PRESSURE_PAD, 1); },
       TRAVEL_MESSAGE, 9},
      {"a creature comes into sight", [] { put_unit(2, 1, Z, 22, ROW, WEST); }, TRAVEL_ENEMY, -1}};
  for (const auto& [what, lay, end, stop_x] : cases) {
    SCOPED_TRACE(what);
    SetUp();
    lay();
    press(IN_LESS);
    ASSERT_TRUE(travel_walking());
    walk_out();
    EXPECT_EQ(std::pair(travel_walking(), travel_last_end()), std::pair(false, end));
    EXPECT_TRUE(stop_x >= 0 ? me().x == stop_x : me().x < 22 - 1) << me().x;
    EXPECT_EQ(me().y, ROW);
  }
}

TEST_F(TravelTest, AnyKeyHaltsTheWalkAndDoesNothingElse) {
  press(IN_LESS);
  idle();
  idle();
  const int moves = me().moves;
  press(IN_UP);
  EXPECT_EQ(std::pair(travel_walking(), travel_last_end()), std::pair(false, TRAVEL_INTERRUPTED));
  EXPECT_EQ(std::tuple(me().x, me().y, me().moves), std::tuple(FIRST + 2, ROW, moves));
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
  // {facing, key, facing after, step x, step y, eighths turned}: each eighth
  // costs 3, the step 10.
  const struct {
    int facing;
    input_key key;
    int facing_after, dx, dy, turns;
  } cases[] = {{EAST, IN_PAD_6, EAST, 1, 0, 0},       {NORTH, IN_PAD_9, NORTHEAST, 1, -1, 1},
               {NORTH, IN_PGUP, NORTHEAST, 1, -1, 1}, {NORTH, IN_HOME, NORTHWEST, -1, -1, 1},
               {NORTH, IN_PAD_2, SOUTH, 0, 1, 4},     {WEST, IN_PAD_1, SOUTHWEST, -1, 1, 1},
               {SOUTH, IN_END, SOUTHWEST, -1, 1, 1},  {SOUTHEAST, IN_PAD_7, NORTHWEST, -1, -1, 4},
               {EAST, IN_PAD_4, WEST, -1, 0, 4},      {NORTH, IN_PGDN, SOUTHEAST, 1, 1, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "facing " << c.facing << " key " << c.key);
    remove_unit(1, 1);
    map_movecost(Z);
    put_unit(1, 1, Z, 6, 10, c.facing, 100);
    press(c.key);
    EXPECT_EQ(me().facing, c.facing_after);
    EXPECT_EQ(std::pair(me().x, me().y), std::pair(6 + c.dx, 10 + c.dy));
    EXPECT_EQ(me().moves, 100 - 3 * c.turns - 10);
  }
  // Into rock: the unit is left facing that way, where it stood.
  remove_unit(1, 1);
  put_unit(1, 1, Z, 9, 7, WEST, 100);
  press(IN_PAD_8);
  EXPECT_EQ(std::tuple(me().facing, me().y, me().moves), std::tuple(NORTH, 7, 100 - 2 * 3));
}

TEST_F(TravelTest, TheMapShowsWhatWasSeenAndWhoIsInSightNow) {
  put_unit(2, 1, Z, 28, ROW, WEST);  // out of sight down the corridor
  map[Z][20][ROW].revealed = 0;
  EXPECT_FALSE(overview_at(1, Z, 12, ROW).in_view);
  // {x, y, mark}: rock never seen is dark; the creature out of sight is not shown.
  const int marks[][3] = {{FIRST, ROW, OVERVIEW_PARTY},   {12, ROW, OVERVIEW_FLOOR},
                          {LADDER, ROW, OVERVIEW_WAY_UP}, {20, ROW, OVERVIEW_DARK},
                          {20, ROW + 1, OVERVIEW_DARK},   {28, ROW, OVERVIEW_FLOOR}};
  for (const auto& m : marks)
    EXPECT_EQ(overview_at(1, Z, m[0], m[1]).mark, m[2]) << m[0] << "," << m[1];
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
    EXPECT_TRUE(
        overview_square_at(lay, lay.left + 50 * lay.cell + 1, lay.top + 3 * lay.cell, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(50, 3));
    EXPECT_FALSE(overview_square_at(lay, lay.left + 51 * lay.cell, lay.top, x, y));
  }
}

TEST(TravelReplay, KeypadStepsAndAWalkReplayToTheSameWorld) {
  static int walked;
  walked = 0;
  auto queue = [] {
    auto key = [](input_key k) { headless.inputs.push_back([k] { press(k); }); };
    for (input_key k :
         {IN_PAD_3, IN_PAD_2, IN_PAD_6, IN_PAD_9, IN_PAD_5, IN_PAD_1, IN_END, IN_LESS})
      key(k);
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
    for (int i = 0; i < 30; i++)
      headless.inputs.push_back([] {
        walked += travel_walking();
        idle();
      });
    key(IN_PAD_7);
  };
  expect_replay_ends_alike(7, queue, [] { EXPECT_GT(walked, 1); });
}

}  // namespace
