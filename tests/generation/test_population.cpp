// Scatterers, traps, containers and mine tracks on hand-made levels, the
// move-cost pass, and the reach measure the dump tool reports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "core/actions/movement.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "generation/populate.h"
#include "generation/reach.h"
#include "generation/tracks.h"
#include "tests/generation/world_builder.h"

namespace {

void open_level(int z, int terrain) {
  rock_level(z);
  fill_terrain(z, 1, 1, 49, 49, terrain);
}

TEST(DungeonPopulation, ScatterersMakeOneFewerThanTheirNumberOrGiveUp) {
  blank_world();
  open_level(2, TERRAIN_STONE_FLOOR);
  map[2][10][10].scenery = SCENERY_CRYSTAL;  // a taken square costs another try
  LEVEL_TYPE = 55;
  std::srand(3);
  generate_pools(2);
  EXPECT_EQ(count_scenery(2, SCENERY_POOL), 6);  // 9 - 2, less one
  std::srand(3);
  generate_oilpatchs(2);
  EXPECT_EQ(count_scenery(2, SCENERY_OIL), 7);

  open_level(9, TERRAIN_STONE_FLOOR);
  LEVEL_TYPE = 45;
  generate_pools(9);
  EXPECT_EQ(count_scenery(9, SCENERY_POOL), 0);

  open_level(0, TERRAIN_PASSAGE_FLOOR);
  generate_torches(0);  // the catalogue makes the torches; the fires are ours
  EXPECT_EQ(count_scenery(0, SCENERY_FIRE), 7);

  // A level without their ground: they give up.
  rock_level(4);
  std::srand(1);
  generate_pools(4);
  generate_crystals(4);
  generate_mushrooms(4);
  EXPECT_EQ(count_scenery(4, SCENERY_POOL), 0);
  // Every square taken: the retries run out instead of spinning.
  open_level(5, TERRAIN_PASSAGE_FLOOR);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) map[5][x][y].scenery = SCENERY_HERBS;
  generate_crystals(5);
  EXPECT_EQ(count_scenery(5, SCENERY_CRYSTAL), 0);
}

TEST(DungeonPopulation, ContainerTableNeverOverflows) {
  blank_world();
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < 50; x++)
      for (int y = 0; y < 2; y++) map[z][x][y].scenery = SCENERY_BARREL;  // 1100 barrels
  assign_containers();
  int markers = 0;
  for (int z = 0; z < LEVELS; z++) markers += count_scenery(z, SCENERY_CONTAINER);
  EXPECT_EQ(markers, CONTAINER_SLOTS - 1);
  EXPECT_EQ(count_scenery(10, SCENERY_BARREL), 0);
}

TEST(DungeonReach, WalksThroughDoorsAndPassagesButNotRock) {
  blank_world();
  rock_level(4);
  fill_terrain(4, 5, 5, 10, 5, TERRAIN_ROOM_FLOOR);
  fill_terrain(4, 12, 5, 20, 5, TERRAIN_ROOM_FLOOR);
  map[4][5][5].scenery = SCENERY_LADDER_DOWN;
  map[4][20][5].scenery = SCENERY_LADDER_UP;
  map[4][11][5].terrain = TERRAIN_CLOSED_DOOR;
  EXPECT_EQ(level_reachable(4), 1);
  map[4][11][5].terrain = TERRAIN_ROCK;
  map[4][11][5].scenery = SCENERY_SECRET_HIDDEN;
  EXPECT_EQ(level_reachable(4), 1);
  map[4][11][5].scenery = SCENERY_NONE;
  EXPECT_EQ(level_reachable(4), 0);
  map[4][13][9].terrain = TERRAIN_ROOM_FLOOR;  // a second arrival, shut in
  map[4][13][9].scenery = SCENERY_LADDER_DOWN;
  map[4][11][5].terrain = TERRAIN_OPEN_DOOR;
  EXPECT_EQ(arrival_count(4), 2);
  EXPECT_EQ(level_reachable(4), 0);
  EXPECT_EQ(level_reachable_from_any(4), 1);
}

namespace tracks {

constexpr int Z = 6;

int piece(int x, int y) { return environment[Z][x][y].track; }

void corridor_level() {
  blank_world();
  rock_level(Z);
  LEVEL_TYPE = 45;  // not a cavern: walks of 20, 40 or 60
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
      {"straight over a crossing", {{35, 34, TRACK_N_S}, {34, 35, TRACK_W_E}, {36, 35, TRACK_W_E}},
       {{35, 35, TRACK_JOIN_WEN}}, 0, 0},
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

}  // namespace tracks

}  // namespace
