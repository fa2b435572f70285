#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/actions/cart.h"
#include "core/actions/movement.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 6;

// The headless front end, keeping every splat's dx and size.
std::vector<std::pair<int, int>> splats;
front_end recording = headless_front_end;

class CartTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh(); }
  void TearDown() override { use_headless(); }
  void fresh() {
    fresh_world();
    recording = headless_front_end;
    recording.draw_splat = [](int dx, int, int size, int) { splats.emplace_back(dx, size); };
    select_frontend(&recording);
    splats.clear();
  }

  void track(int x, int y, int piece) { environment[Z][x][y].track = piece; }
  // A straight west-east track along row y from x0 to x1.
  void track_east(int x0, int x1, int y) {
    for (int x = x0; x <= x1; x++) track(x, y, TRACK_EW);
  }
  // n straight pieces from (x, y) heading (dx, dy), closed by the buffer end
  // that faces a cart coming that way.
  void line_to_buffer(int x, int y, int dx, int dy, int n) {
    for (int i = 0; i < n; i++) track(x + i * dx, y + i * dy, dx ? TRACK_EW : TRACK_NS);
    track(x + n * dx, y + n * dy, dy > 0 ? 7 : dy < 0 ? 8 : dx < 0 ? 9 : 10);
  }
  unit_record& rider(int x, int y, int health = 50) {
    map[Z][x][y].scenery = SCENERY_MINE_CART;
    unit_record& me = put_unit(1, 1, Z, x, y, NORTH, 100);
    me.health = health;
    return me;
  }
  bool cart_at(int x, int y) const { return map[Z][x][y].scenery == SCENERY_MINE_CART; }
};

TEST_F(CartTest, BufferBehindSendsTheCartTheOtherWayUpToTheNextBuffer) {
  for (int y = 3; y <= 10; y++) track(10, y, TRACK_NS);
  track(10, 11, 7);
  track(10, 2, 8);
  unit_record& me = rider(10, 10);
  traverse_track(1, 1);
  EXPECT_TRUE(headless_said("You get in the minecart."));
  EXPECT_TRUE(stands(1, 1, Z, 10, 3));  // one short of the buffer
  EXPECT_EQ(me.facing, NORTH);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(cart_at(10, 3));
  EXPECT_FALSE(cart_at(10, 10));
  EXPECT_EQ(me.health, 50);
}

TEST_F(CartTest, RideStopsShortOfAnotherCartAndSmashesClosedDoors) {
  track_east(5, 20, 10);
  map[Z][12][10].scenery = SCENERY_MINE_CART;
  put_terrain(Z, 8, 10, TERRAIN_CLOSED_DOOR);
  map[Z][8][10].scenery = SCENERY_CELL_DOOR;
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.x, 11);
  EXPECT_TRUE(cart_at(11, 10));
  EXPECT_TRUE(cart_at(12, 10));
  EXPECT_EQ(me.health, 50);
  EXPECT_EQ(map[Z][8][10].terrain, TERRAIN_SMASHED_DOOR);
  EXPECT_EQ(map[Z][8][10].scenery, 0);
  EXPECT_EQ(map[Z][8][10].passable, 1);
}

TEST_F(CartTest, CornerTurnsTheRideAndTheRiderLeansIntoIt) {
  track_east(5, 9, 10);
  track(10, 10, 5);  // south-west corner: in from the west, out to the south
  line_to_buffer(10, 11, 0, 1, 4);
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_TRUE(stands(1, 1, Z, 10, 14));
  EXPECT_EQ(me.facing, SOUTH);
}

TEST_F(CartTest, JunctionSendsTheCartDownItsBranch) {
  struct junction {
    int piece, in_dx, in_dy, out_dx, out_dy;
  };
  const junction cases[] = {{12, 1, 0, 0, -1}, {14, 0, -1, 1, 0}, {15, 0, -1, -1, 0}};
  for (const junction& c : cases) {
    fresh();
    // The rider comes four squares to the junction at (10, 10), a buffer
    // behind it, and leaves along a branch of four squares.
    int x0 = 10 - 4 * c.in_dx, y0 = 10 - 4 * c.in_dy;
    line_to_buffer(x0, y0, c.in_dx, c.in_dy, 4);
    line_to_buffer(x0 - c.in_dx, y0 - c.in_dy, -c.in_dx, -c.in_dy, 0);
    track(10, 10, c.piece);
    line_to_buffer(10 + c.out_dx, 10 + c.out_dy, c.out_dx, c.out_dy, 4);
    rider(x0, y0);
    traverse_track(1, 1);
    EXPECT_TRUE(stands(1, 1, Z, 10 + 4 * c.out_dx, 10 + 4 * c.out_dy)) << c.piece;
  }
}

TEST_F(CartTest, MonsterInTheWayOnTheTwelfthStepIsHurtByTheSpeed) {
  bool small = false, large = false;
  for (unsigned seed = 1; seed <= 40; seed++) {
    SCOPED_TRACE(seed);
    fresh();
    track_east(5, 40, 10);
    unit_record& monster = put_unit(2, 9, Z, 17, 10, WEST);
    monster.health = 100;
    unit_record& me = rider(5, 10);
    int d = draws_for(seed, 1)[0] % 12 + 1;
    traverse_track(1, 1);
    EXPECT_TRUE(stands(1, 1, Z, 16, 10));
    EXPECT_TRUE(cart_at(16, 10));
    EXPECT_EQ(monster.health, 100 - d);
    EXPECT_EQ(me.health, 50);  // nothing stood on the square
    EXPECT_EQ(me.facing, EAST);
    EXPECT_EQ(me.moves, 0);
    EXPECT_EQ(splats, (std::vector<std::pair<int, int>>{{1, d < 11 ? 1 : 0}}));
    (d < 11 ? small : large) = true;
  }
  EXPECT_TRUE(small);
  EXPECT_TRUE(large);
}

TEST_F(CartTest, CrateInTheWayOnTheTwelfthStepHurtsTheRider) {
  track_east(5, 40, 10);
  map[Z][17][10].scenery = SCENERY_CONTAINER;
  map[Z][17][10].passable = 0;
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.x, 16);
  EXPECT_EQ(me.health, 50 - 12);
  EXPECT_EQ(splats, (std::vector<std::pair<int, int>>{{0, 0}}));  // on the rider, large
}

TEST_F(CartTest, RiderKilledInTheCrashLeavesTheCartFree) {
  track_east(5, 40, 10);
  put_terrain(Z, 20, 10, TERRAIN_BUILT_WALL);
  map[Z][20][10].scenery = SCENERY_RUBBLE;
  put_unit(1, 2, Z, 30, 30, NORTH);
  unit_record& me = rider(5, 10, 3);  // 15 squares: 3 - 15 is -12
  traverse_track(1, 1);
  EXPECT_EQ(me.status, UNIT_FREE);
  EXPECT_EQ(map[Z][19][10].occupant_player, 0);
  EXPECT_TRUE(cart_at(19, 10));
}

TEST_F(CartTest, BoardingTableChoosesTheFirstWayUnlessItIsShut) {
  struct boarding_case {
    int piece;
    int first_dx, first_dy, shut_piece;  // the first way, and the buffer that may shut it
    int second_dx, second_dy;            // the way when the first is shut
  };
  const boarding_case cases[] = {
      {TRACK_NS, 0, 1, 7, 0, -1},  {TRACK_CROSSING, 0, 1, 7, 0, -1},
      {TRACK_EW, 1, 0, 10, -1, 0}, {6, 0, 1, 7, 1, 0},
      {5, 0, 1, 7, -1, 0},         {4, 0, -1, 8, 1, 0},
      {3, 0, -1, 8, -1, 0},
  };
  for (const boarding_case& c : cases) {
    for (int shut = 0; shut <= 2; shut++) {
      // The rider rides one square and stops at the walls two squares out.
      fresh();
      for (int i = -2; i <= 2; i++)
        for (int j = -2; j <= 2; j++)
          if (i == -2 || i == 2 || j == -2 || j == 2) put_terrain(Z, 10 + i, 10 + j, TERRAIN_ROCK);
      track(10, 10, c.piece);
      if (shut == 1) track(10 + c.first_dx, 10 + c.first_dy, c.shut_piece);
      if (shut == 2) map[Z][10 + c.first_dx][10 + c.first_dy].scenery = SCENERY_MINE_CART;
      unit_record& me = rider(10, 10);
      traverse_track(1, 1);
      int dx = shut ? c.second_dx : c.first_dx, dy = shut ? c.second_dy : c.first_dy;
      EXPECT_TRUE(stands(1, 1, Z, 10 + dx, 10 + dy)) << c.piece << " shut " << shut;
      EXPECT_EQ(me.moves, 0);
    }
  }
}

TEST_F(CartTest, CartOnAPieceWithNoSetWayDoesNotRide) {
  for (int piece : {TRACK_NONE, 7, 9, 12, 15}) {
    fresh();
    track_east(11, 20, 10);
    track(10, 10, piece);
    unit_record& me = rider(10, 10);
    traverse_track(1, 1);
    EXPECT_EQ(me.x, 10) << piece;
    EXPECT_EQ(me.moves, 100);
    EXPECT_TRUE(cart_at(10, 10));
  }
}

TEST_F(CartTest, RideEndsTheTurnEvenWhenTheCartCannotMove) {
  track(10, 10, TRACK_NS);
  track(10, 11, 7);
  track(10, 9, 8);
  unit_record& me = rider(10, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.y, 10);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(cart_at(10, 10));
}

TEST_F(CartTest, SteppingIntoACartStartsTheRide) {
  track_east(10, 15, 10);
  track(16, 10, 10);
  map[Z][10][10].scenery = SCENERY_MINE_CART;
  unit_record& me = put_unit(1, 1, Z, 9, 10, EAST, 100);
  forward(1, 1);
  EXPECT_EQ(me.x, 15);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(cart_at(15, 10));
}

}  // namespace
