// The track walk and the repair pass on hand-made levels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "core/world.h"
#include "generation/tracks.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 6;

int piece(int x, int y) { return environment[Z][x][y].track; }

void corridor_level() {
  blank_world();
  rock_level(Z);
  LEVEL_TYPE = 45;  // not a cavern: walks of 20, 40 or 60
}

TEST(Tracks, WalkRunsDownACorridorAndEndsAtTheRock) {
  corridor_level();
  fill_terrain(Z, 9, 10, 19, 10, TERRAIN_PASSAGE_FLOOR);
  environment[Z][9][10].track = TRACK_END_E;  // a head pointing east
  map[Z][9][10].scenery = SCENERY_POOL;
  std::srand(1);
  generate_track(Z);
  EXPECT_EQ(std::make_tuple(piece(9, 10), map[Z][9][10].scenery, map[Z][9][10].terrain,
                            map[Z][10][10].scenery),
            std::make_tuple(TRACK_END_E, SCENERY_NONE, TERRAIN_STONE_FLOOR, SCENERY_MINE_CART));
  for (int x = 10; x <= 18; x++) EXPECT_EQ(piece(x, 10), TRACK_W_E) << x;
  EXPECT_EQ(std::make_tuple(piece(19, 10), piece(20, 10)), std::make_tuple(TRACK_END_W, 0));
}

TEST(Tracks, WalkTurnsAtACorner) {
  corridor_level();
  fill_terrain(Z, 10, 10, 20, 10, TERRAIN_PASSAGE_FLOOR);
  fill_terrain(Z, 20, 3, 20, 10, TERRAIN_PASSAGE_FLOOR);
  environment[Z][10][10].track = TRACK_END_E;
  std::srand(1);
  generate_track(Z);
  EXPECT_EQ(std::make_tuple(piece(19, 10), piece(20, 10), piece(20, 9), piece(20, 3)),
            std::make_tuple(TRACK_W_E, TRACK_N_W, TRACK_N_S, TRACK_END_S));
}

TEST(Tracks, WalkKeepsLaddersAndBridgesAndOpensSecretPassages) {
  corridor_level();
  fill_terrain(Z, 10, 10, 20, 10, TERRAIN_ROOM_FLOOR);
  map[Z][13][10].scenery = SCENERY_LADDER_UP;
  map[Z][14][10].scenery = SCENERY_BRIDGE_EW;
  environment[Z][14][10].lava = 1;
  environment[Z][15][10].lava = 1;
  map[Z][16][10].terrain = TERRAIN_ROCK;
  map[Z][16][10].scenery = SCENERY_SECRET_HIDDEN;
  map[Z][17][10].scenery = SCENERY_HERBS;
  environment[Z][10][10].track = TRACK_END_E;
  std::srand(1);
  generate_track(Z);
  EXPECT_EQ(std::make_tuple(map[Z][13][10].scenery, map[Z][14][10].scenery, map[Z][16][10].scenery,
                            map[Z][17][10].scenery),
            std::make_tuple(SCENERY_LADDER_UP, SCENERY_BRIDGE_EW, SCENERY_NONE, SCENERY_NONE));
  // The bridge spans its lava; the rest is filled, the secret passage opened.
  EXPECT_EQ(std::make_tuple(environment[Z][14][10].lava, environment[Z][15][10].lava,
                            map[Z][16][10].terrain, piece(16, 10)),
            std::make_tuple(1, 0, TERRAIN_PASSAGE_FLOOR, TRACK_W_E));
}

TEST(Tracks, HeadFacingRockLaysNothing) {
  corridor_level();
  map[Z][10][10].terrain = TERRAIN_PASSAGE_FLOOR;
  environment[Z][10][10].track = TRACK_END_N;
  std::srand(1);
  generate_track(Z);
  EXPECT_EQ(piece(10, 10) + piece(10, 9), 0);
  EXPECT_EQ(map[Z][10][9].scenery, SCENERY_MINE_CART);  // the cart stands on the rock
}

// A walk that runs its full length ends in a buffer on floor of its own; one
// that runs into the outer wall leaves it standing.
TEST(Tracks, WalkOfFullLengthEndsInABufferAndNeverTouchesTheOuterWall) {
  corridor_level();
  fill_terrain(Z, 2, 20, 48, 20, TERRAIN_PASSAGE_FLOOR);
  environment[Z][2][20].track = TRACK_END_E;
  fill_terrain(Z, 40, 30, 49, 30, TERRAIN_PASSAGE_FLOOR);
  map[Z][50][30].terrain = TERRAIN_BUILT_WALL;
  environment[Z][40][30].track = TRACK_END_E;
  seed_for_draw(3, 0);  // a walk of 20 for the first head
  generate_track(Z);
  EXPECT_EQ(std::make_tuple(piece(22, 20), piece(23, 20), map[Z][23][20].terrain, piece(24, 20)),
            std::make_tuple(TRACK_W_E, TRACK_END_W, TERRAIN_ROOM_FLOOR, 0));
  EXPECT_EQ(map[Z][50][30].terrain, TERRAIN_BUILT_WALL);
}

struct laid {
  int x, y, piece;
};

TEST(Tracks, RepairJoinsEndsAndCapsLooseStraights) {
  // Two lines of track whose ends meet, and a straight crossed by one end.
  const std::vector<laid> ew = {{8, 10, TRACK_END_E},  {9, 10, TRACK_W_E},  {10, 10, TRACK_END_W},
                                {11, 10, TRACK_END_E}, {12, 10, TRACK_W_E}, {13, 10, TRACK_END_W}};
  const std::vector<laid> ns = {{10, 8, TRACK_END_S},  {10, 9, TRACK_N_S},  {10, 10, TRACK_END_N},
                                {10, 11, TRACK_END_S}, {10, 12, TRACK_N_S}, {10, 13, TRACK_END_N}};
  std::vector<laid> north = {{20, 17, TRACK_END_S}, {20, 18, TRACK_N_S}, {20, 19, TRACK_END_N}};
  std::vector<laid> south = {{20, 21, TRACK_END_S}, {20, 22, TRACK_N_S}, {20, 23, TRACK_END_N}};
  for (int x = 19; x <= 21; x++)
    north.push_back({x, 20, TRACK_W_E}), south.insert(south.begin(), {x, 20, TRACK_W_E});
  struct repair {
    const char* what;
    std::vector<laid> before, after;
    int scenery, scenery_after;  // on the square behind the first end
  };
  // clang-format off
  const repair cases[] = {
      {"east-west ends", ew, {{10, 10, TRACK_W_E}, {11, 10, TRACK_W_E}}, SCENERY_MINE_CART, 0},
      {"north-south ends", ns, {{10, 10, TRACK_N_S}, {10, 11, TRACK_N_S}}, SCENERY_MINE_CART, 0},
      {"a ladder behind", ns, {{10, 10, TRACK_N_S}}, SCENERY_LADDER_UP, SCENERY_LADDER_UP},
      {"end north to a straight", north, {{20, 19, TRACK_N_S}, {20, 20, TRACK_JOIN_WEN}}, 0, 0},
      {"end south to a straight", south, {{20, 21, TRACK_N_S}, {20, 20, TRACK_JOIN_WES}}, 0, 0},
      {"straight under a crossing", {{35, 36, TRACK_N_S}, {34, 35, TRACK_W_E}, {36, 35, TRACK_W_E}},
       {{35, 35, TRACK_JOIN_WES}}, 0, 0},
      {"loose straights", {{30, 30, TRACK_N_S}, {40, 40, TRACK_W_E}},
       {{30, 29, TRACK_END_S}, {30, 31, TRACK_END_N}, {39, 40, TRACK_END_E}, {41, 40, TRACK_END_W}}, 0, 0},
  };
  // clang-format on
  for (const repair& c : cases) {
    SCOPED_TRACE(c.what);
    corridor_level();
    for (const laid& l : c.before) environment[Z][l.x][l.y].track = l.piece;
    const laid& behind = c.before[1];
    map[Z][behind.x][behind.y].scenery = c.scenery;
    check_track(Z);
    for (const laid& l : c.after) EXPECT_EQ(piece(l.x, l.y), l.piece) << l.x << "," << l.y;
    EXPECT_EQ(map[Z][behind.x][behind.y].scenery, c.scenery_after);
  }
  // On the edge nothing is written beyond the level.
  environment[Z][0][0].track = TRACK_W_E;
  environment[Z][50][50].track = TRACK_N_S;
  check_track(Z);
  EXPECT_EQ(piece(1, 0), TRACK_END_W);
}

}  // namespace
