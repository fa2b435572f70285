#include <gtest/gtest.h>

#include <vector>

#include "core/actions/cart.h"
#include "core/actions/movement.h"
#include "tests/core/hand_made_level.h"
#include "tests/seeded_draws.h"

namespace {

constexpr int Z = 6;

// The headless front end, with the size of every splat kept.
std::vector<int> splat_sizes;
std::vector<int> splat_dx;
front_end recording = headless_front_end;

class CartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    recording = headless_front_end;
    recording.draw_splat = [](int dx, int, int size, int) {
      splat_dx.push_back(dx);
      splat_sizes.push_back(size);
    };
    select_frontend(&recording);
    splat_sizes.clear();
    splat_dx.clear();
  }
  void TearDown() override { use_headless(); }

  void track(int x, int y, int piece) { environment[Z][x][y].track = piece; }
  // A straight west-east track along row y from x0 to x1.
  void track_east(int x0, int x1, int y) {
    for (int x = x0; x <= x1; x++) track(x, y, TRACK_EW);
  }
  // The rider sits in the cart at (x, y).
  unit_record& rider(int x, int y, int health = 50) {
    map[Z][x][y].scenery = SCENERY_MINE_CART;
    unit_record& me = put_unit(1, 1, Z, x, y, NORTH, 100);
    me.health = health;
    return me;
  }
  bool cart_at(int x, int y) const { return map[Z][x][y].scenery == SCENERY_MINE_CART; }
};

// ---------------------------------------------------------------------------
// Where a ride ends
// ---------------------------------------------------------------------------

TEST_F(CartTest, BufferBehindSendsTheCartTheOtherWayUpToTheNextBuffer) {
  for (int y = 3; y <= 10; y++) track(10, y, TRACK_NS);
  track(10, 11, 7);
  track(10, 2, 8);
  unit_record& me = rider(10, 10);
  traverse_track(1, 1);
  EXPECT_TRUE(headless_said("You get in the minecart."));
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.y, 3);  // one short of the buffer
  EXPECT_EQ(me.facing, NORTH);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(cart_at(10, 3));
  EXPECT_FALSE(cart_at(10, 10));
  EXPECT_EQ(map[Z][10][10].occupant_player, 0);
  EXPECT_EQ(map[Z][10][3].occupant_unit, 1);
  EXPECT_EQ(me.health, 50);
}

TEST_F(CartTest, RideStopsShortOfAnotherCart) {
  track_east(5, 20, 10);
  map[Z][12][10].scenery = SCENERY_MINE_CART;
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.x, 11);
  EXPECT_TRUE(cart_at(11, 10));
  EXPECT_TRUE(cart_at(12, 10));
  EXPECT_EQ(me.health, 50);
}

TEST_F(CartTest, ClosedDoorOnTheTrackIsSmashedAndPassed) {
  track_east(5, 12, 10);
  track(13, 10, 9);
  put_terrain(Z, 8, 10, TERRAIN_CLOSED_DOOR);
  map[Z][8][10].scenery = SCENERY_CELL_DOOR;
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(map[Z][8][10].terrain, TERRAIN_SMASHED_DOOR);
  EXPECT_EQ(map[Z][8][10].scenery, 0);
  EXPECT_EQ(map[Z][8][10].passable, 1);
  EXPECT_EQ(me.x, 12);
}

TEST_F(CartTest, CornerTurnsTheRideAndTheRiderLeansIntoIt) {
  track_east(5, 9, 10);
  track(10, 10, 5);  // south-west corner: in from the west, out to the south
  for (int y = 11; y <= 14; y++) track(10, y, TRACK_NS);
  track(10, 15, 7);
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.y, 14);
  EXPECT_EQ(me.facing, SOUTH);
}

TEST_F(CartTest, JunctionSendsTheCartDownItsBranch) {
  // Piece 12 turns a cart coming east to the north.
  track_east(5, 9, 10);
  track(10, 10, 12);
  for (int y = 6; y <= 9; y++) track(10, y, TRACK_NS);
  track(10, 5, 8);
  unit_record& me = rider(5, 10);
  traverse_track(1, 1);
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.y, 6);

  // Piece 14 sends one coming north to the east.
  fresh_world();
  select_frontend(&recording);
  for (int y = 11; y <= 15; y++) track(10, y, TRACK_NS);
  track(10, 16, 7);
  track(10, 10, 14);
  track_east(11, 13, 10);
  track(14, 10, 10);
  unit_record& again = rider(10, 15);
  traverse_track(1, 1);
  EXPECT_EQ(again.x, 13);
  EXPECT_EQ(again.y, 10);

  // Piece 15, the last of the junctions, sends one coming north to the west.
  fresh_world();
  select_frontend(&recording);
  for (int y = 11; y <= 15; y++) track(10, y, TRACK_NS);
  track(10, 16, 7);
  track(10, 10, 15);
  track_east(6, 9, 10);
  track(5, 10, 9);
  unit_record& west = rider(10, 15);
  traverse_track(1, 1);
  EXPECT_EQ(west.x, 6);
  EXPECT_EQ(west.y, 10);
}

// ---------------------------------------------------------------------------
// Collisions
// ---------------------------------------------------------------------------

TEST_F(CartTest, MonsterInTheWayOnTheTwelfthStepIsHurtByTheSpeed) {
  bool small = false, large = false;
  for (unsigned seed = 1; seed <= 40; seed++) {
    fresh_world();
    select_frontend(&recording);
    splat_sizes.clear();
    splat_dx.clear();
    track_east(5, 40, 10);
    unit_record& monster = put_unit(2, 9, Z, 17, 10, WEST);
    monster.health = 100;
    unit_record& me = rider(5, 10);
    int d = draws_for(seed, 1)[0] % 12 + 1;
    traverse_track(1, 1);
    EXPECT_EQ(me.x, 16) << seed;
    EXPECT_TRUE(cart_at(16, 10)) << seed;
    EXPECT_EQ(monster.health, 100 - d) << seed;
    EXPECT_EQ(me.health, 50) << seed;  // nothing stood on the square
    EXPECT_EQ(me.facing, EAST);
    EXPECT_EQ(me.moves, 0);
    ASSERT_EQ(splat_sizes.size(), 1u) << seed;
    EXPECT_EQ(splat_dx[0], 1);
    EXPECT_EQ(splat_sizes[0], d < 11 ? 1 : 0) << seed;
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
  ASSERT_EQ(splat_sizes.size(), 1u);
  EXPECT_EQ(splat_dx[0], 0);
  EXPECT_EQ(splat_sizes[0], 0);  // a large splash
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

// ---------------------------------------------------------------------------
// Boarding
// ---------------------------------------------------------------------------

struct boarding_case {
  int piece;
  int shut_dx, shut_dy, shut_piece;  // the square that may shut the first way
  int first_dx, first_dy;            // the first way
  int second_dx, second_dy;          // the way when the first is shut
};

TEST_F(CartTest, BoardingTableChoosesTheFirstWayUnlessItIsShut) {
  const boarding_case cases[] = {
      {TRACK_NS, 0, 1, 7, 0, 1, 0, -1},  {TRACK_CROSSING, 0, 1, 7, 0, 1, 0, -1},
      {TRACK_EW, 1, 0, 10, 1, 0, -1, 0}, {6, 0, 1, 7, 0, 1, 1, 0},
      {5, 0, 1, 7, 0, 1, -1, 0},         {4, 0, -1, 8, 0, -1, 1, 0},
      {3, 0, -1, 8, 0, -1, -1, 0},
  };
  for (const boarding_case& c : cases) {
    for (int shut = 0; shut <= 2; shut++) {
      // The rider rides one square and stops at the walls two squares out.
      fresh_world();
      select_frontend(&recording);
      for (int i = -2; i <= 2; i++)
        for (int j = -2; j <= 2; j++)
          if (i == -2 || i == 2 || j == -2 || j == 2) put_terrain(Z, 10 + i, 10 + j, TERRAIN_ROCK);
      track(10, 10, c.piece);
      if (shut == 1) track(10 + c.shut_dx, 10 + c.shut_dy, c.shut_piece);
      if (shut == 2) map[Z][10 + c.shut_dx][10 + c.shut_dy].scenery = SCENERY_MINE_CART;
      unit_record& me = rider(10, 10);
      traverse_track(1, 1);
      int dx = shut ? c.second_dx : c.first_dx, dy = shut ? c.second_dy : c.first_dy;
      EXPECT_EQ(me.x, 10 + dx) << c.piece << " shut " << shut;
      EXPECT_EQ(me.y, 10 + dy) << c.piece << " shut " << shut;
      EXPECT_EQ(me.moves, 0);
    }
  }
}

TEST_F(CartTest, CartOnAPieceWithNoSetWayDoesNotRide) {
  for (int piece : {TRACK_NONE, 7, 9, 12, 15}) {
    fresh_world();
    select_frontend(&recording);
    track_east(11, 20, 10);
    track(10, 10, piece);
    unit_record& me = rider(10, 10);
    traverse_track(1, 1);
    EXPECT_FALSE(headless_said("You get in the minecart.")) << piece;
    EXPECT_EQ(me.x, 10);
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
  EXPECT_TRUE(headless_said("You get in the minecart."));
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
  EXPECT_TRUE(headless_said("You get in the minecart."));
  EXPECT_EQ(me.x, 15);
  EXPECT_EQ(me.moves, 0);
  EXPECT_TRUE(cart_at(15, 10));
}

}  // namespace
