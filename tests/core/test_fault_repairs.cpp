// Creatures made where no unit can stand, and refused steps that still moved
// and burned: the worlds and levels where each was found, and hand-made
// levels that show the rule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "core/actions/movement.h"
#include "core/check.h"
#include "core/game/turn.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "generation/rooms.h"
#include "tests/core/hand_made_level.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 5;

void open_floor(int z, int x0, int y0, int x1, int y1) {
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++) put_terrain(z, x, y, TERRAIN_ROOM_FLOOR, 1);
}

int live_units(int player) {
  int n = 0;
  for (int u = 1; u <= UNIT_MAX; u++)
    if (unit[player][u].status != UNIT_FREE) n++;
  return n;
}

// The search for the nearest open square from (x, y): where it lands, or
// nothing found (want_x -1) with (x, y) left alone.
void expect_nearest(int x, int y, int want_x, int want_y, int radius = NEAREST_SQUARE_RADIUS) {
  int fx = x, fy = y;
  bool found = nearest_open_square(Z, fx, fy, radius);
  EXPECT_EQ(std::make_tuple(found, fx, fy),
            want_x < 0 ? std::make_tuple(false, x, y) : std::make_tuple(true, want_x, want_y))
      << "from " << x << " " << y << " radius " << radius;
}

TEST(NearestOpenSquare, NearestFirstThenAFixedOrderWithinItsRadiusAndTheGrid) {
  fresh_world();
  rock_level(Z);
  open_floor(Z, 10, 10, 12, 12);
  expect_nearest(11, 11, 11, 10);  // north of the centre comes first
  put_unit(2, 1, Z, 11, 10, NORTH);
  map[Z][10][11].scenery = SCENERY_CRYPT;  // west is blocked by scenery
  expect_nearest(11, 11, 12, 11);
  // From a corner of the room the next square along is nearer than a diagonal.
  map[Z][12][11].scenery = SCENERY_PRISONER;
  expect_nearest(12, 12, 11, 12);
  open_floor(Z, 20, 24, 20, 24);
  expect_nearest(20, 20, -1, -1);
  expect_nearest(20, 20, 20, 24, 4);
  open_floor(Z, 0, 0, 1, 0);
  expect_nearest(0, 0, 1, 0);
  expect_nearest(50, 50, -1, -1);
}

TEST(RoomResidents, ADoorOrATakenSquareSendsTheNewcomerAside) {
  fresh_world();
  put_terrain(Z, 20, 20, TERRAIN_CLOSED_DOOR);
  int u = place_monster(Z, 20, 20, 2);
  ASSERT_GT(u, 0);
  EXPECT_EQ(map[Z][20][20].occupant_player, 0);
  EXPECT_EQ(map[Z][20][20].object_count, 0);
  EXPECT_EQ(unit[2][u].x, 20);
  EXPECT_EQ(unit[2][u].y, 19);
  int v = place_monster(Z, 20, 19, 2);
  ASSERT_GT(v, 0);
  EXPECT_EQ(unit[2][v].x, 20);
  EXPECT_EQ(unit[2][v].y, 18);
  for (int z = 0; z < LEVELS; z++) map_movecost(z);
  EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
}

TEST(RoomResidents, NoOpenSquareNearMakesNobody) {
  fresh_world();
  rock_level(Z);
  open_floor(Z, 30, 30, 30, 30);
  std::srand(3);
  int expected = std::rand();
  std::srand(3);
  EXPECT_EQ(place_monster(Z, 25, 25, 2), 0);
  EXPECT_EQ(live_units(2), 0);
  EXPECT_EQ(std::rand(), expected);
}

TEST(RoomResidents, APrisonCellBuiltOverAResidentMovesItAndItsThings) {
  fresh_world();
  int door_guard = place_monster(Z, 20, 21, 2);
  int walled = place_monster(Z, 21, 19, 2);
  ASSERT_GT(door_guard, 0);
  ASSERT_GT(walled, 0);
  object_record& coin = object[50];
  coin.status = OBJECT_ON_GROUND;
  coin.x = 20, coin.y = 21, coin.z = Z;
  map[Z][20][21].object_count++;

  generate_prisoner_cell(Z, 20, 20);
  EXPECT_EQ(map[Z][20][21].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(map[Z][20][21].occupant_player, 0);
  EXPECT_EQ(map[Z][20][21].object_count, 0);
  EXPECT_EQ(map[Z][21][19].occupant_player, 0);
  EXPECT_EQ(unit[2][door_guard].status, UNIT_NORMAL);
  EXPECT_EQ(unit[2][door_guard].y, 22);  // out of the doorway, south
  EXPECT_EQ(unit[2][walled].status, UNIT_NORMAL);
  EXPECT_EQ(coin.x, 20);  // beside its owner
  EXPECT_EQ(coin.y, 22);
  map_movecost(Z);  // as the level's build ends
  EXPECT_EQ(check_world(), "");
}

// The worlds the soak found them in, as a new game builds them.
TEST(RoomResidents, FoundWorldsAreBuiltSound) {
  struct found {
    unsigned seed;
    int z, x, y;
  };
  // A lair's south wall; another room's door; a prison cell's wall; a lair's
  // door, where its goblin stood.
  const found worlds[] = {{1, 10, 26, 13}, {97, 4, 38, 33}, {224, 3, 35, 42}, {101777, 3, 39, 18}};
  for (const found& f : worlds) {
    build_test_world(f.seed, 1);
    const map_cell& c = map[f.z][f.x][f.y];
    EXPECT_TRUE(terrain_blocks(c.terrain)) << f.seed;
    EXPECT_EQ(c.occupant_player, 0) << f.seed;
    EXPECT_EQ(c.object_count, 0) << f.seed;
    EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "") << f.seed;
  }
}

std::vector<int> free_slots(int player) {
  std::vector<int> v;
  for (int u = 1; u <= UNIT_MAX; u++)
    if (unit[player][u].status == UNIT_FREE) v.push_back(u);
  return v;
}

// The guards made by one end of turn with the leader on the top level.
std::vector<int> guards_after_end_of_turn() {
  std::vector<int> before = free_slots(2);
  FOUND_EXIT = 3;
  end_turn();
  std::vector<int> made;
  for (int u : before)
    if (unit[2][u].status != UNIT_FREE && unit[2][u].z == LEVELS - 1 && unit[2][u].race == 2)
      made.push_back(u);
  return made;
}

// The middle of the top level is rock: the guard comes to the nearest open
// square, or stays away when none is near.
TEST(WayOutGuard, ComesToTheNearestOpenSquareOrStaysAway) {
  const struct {
    int x0, y0, x1, y1, want_x, want_y;
  } rooms[] = {{27, 24, 30, 26, 27, 25}, {35, 35, 36, 36, -1, -1}};
  for (const auto& r : rooms) {
    fresh_world();
    rock_level(10);
    open_floor(10, r.x0, r.y0, r.x1, r.y1);
    put_unit(1, 1, 10, r.x1, r.y1, NORTH);
    std::vector<int> made = guards_after_end_of_turn();
    EXPECT_EQ(FOUND_EXIT, 1);
    if (r.want_x < 0) {
      EXPECT_TRUE(made.empty());
      continue;
    }
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(std::make_pair(unit[2][made[0]].x, unit[2][made[0]].y),
              std::make_pair(r.want_x, r.want_y));
    EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "");
  }
}

auto unit_snapshot(const unit_record& r) {
  return std::make_tuple(r.x, r.y, r.z, r.facing, r.health, r.moves);
}

TEST(RefusedStep, OnALadderInLavaFacingRockNothingHappens) {
  fresh_world();
  rock_level(Z);
  open_floor(Z, 10, 10, 12, 10);
  map[Z][11][10].scenery = SCENERY_LADDER_DOWN;
  environment[Z][11][10].lava = 1;
  unit_record& me = put_unit(1, 1, Z, 11, 10, NORTH, 60);
  me.health = 102;
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  auto before = unit_snapshot(me);

  forward(1, 1);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_EQ(unit_snapshot(me), before);
  EXPECT_FALSE(headless_said("OUCH! You get badly burnt."));
  EXPECT_EQ(map[Z][11][10].occupant_unit, 1);

  before = unit_snapshot(me);  // backing off south runs into rock too
  backward(1, 1);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_EQ(unit_snapshot(me), before);
  EXPECT_TRUE(headless.messages.empty());
}

TEST(RefusedStep, IntoAnotherUnitFromAFireCostsNothing) {
  fresh_world();
  map[Z][10][10].scenery = SCENERY_FIRE;
  unit_record& me = put_unit(1, 1, Z, 10, 10, EAST, 40);
  put_unit(2, 1, Z, 11, 10, WEST);
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  auto before = unit_snapshot(me);
  forward(1, 1);
  EXPECT_EQ(BOUNCED, 1);
  EXPECT_EQ(unit_snapshot(me), before);
  EXPECT_FALSE(headless_said("OUCH! You get burnt."));
  EXPECT_EQ(check_world(), "");
}

}  // namespace
