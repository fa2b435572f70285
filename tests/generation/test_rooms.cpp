// The ground generators on hand-made levels: room templates, the prisoner
// cell and the starting room; the cavern check, the room stamp and the maze.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "core/occupancy.h"
#include "core/world.h"
#include "generation/caverns.h"
#include "generation/rooms.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 5;

// A room of w by h with its anchor at (x, y) of level z, marked as the stamp
// marks it.
void hand_made_room(int x, int y, int w, int h, int z = Z) {
  blank_world();
  rock_level(z);
  fill_terrain(z, x + 1, y + 1, x + w - 1, y + h - 1, TERRAIN_ROOM_FLOOR);
  map[z][x][y].passable = MARK_ROOM_ANCHOR;
  map[z][x + w][y].passable = MARK_ROOM_CORNER;
  map[z][x][y + h].passable = MARK_ROOM_CORNER;
}

// The squares from (x0, y0) to (x1, y1), row by row: what stands there,
// else track, lava or water, else the ground (or the ground alone).
std::string picture(int z, int x0, int y0, int x1, int y1, bool ground_only = false) {
  std::string rows;
  for (int y = y0; y <= y1; y++, rows += '/') {
    for (int x = x0; x <= x1; x++) {
      const map_cell& m = map[z][x][y];
      const environment_cell& e = environment[z][x][y];
      const std::pair<int, char> grounds[] = {{TERRAIN_ROCK, '#'},
                                              {TERRAIN_ROOM_FLOOR, '.'},
                                              {TERRAIN_WOODEN_FLOOR, 'w'},
                                              {TERRAIN_BUILT_WALL, 'W'},
                                              {TERRAIN_CLOSED_DOOR, '+'},
                                              {TERRAIN_OPEN_DOOR, 'o'},
                                              {TERRAIN_PASSAGE_FLOOR, ','},
                                              {TERRAIN_STONE_FLOOR, ':'},
                                              {TERRAIN_METAL_DOOR_CLOSED, 'M'}};
      const std::pair<int, char> marks[] = {
          {SCENERY_CONTAINER, 'C'},   {SCENERY_CRYPT, 'T'},     {SCENERY_FIRE, 'f'},
          {SCENERY_LARGE_CHEST, 'L'}, {SCENERY_BRIDGE_NS, '|'}, {SCENERY_BRIDGE_EW, '='},
          {SCENERY_PRISONER, 'P'},    {SCENERY_CELL_DOOR, 'D'}, {SCENERY_SECRET_HIDDEN, 's'},
          {SCENERY_CRYSTAL, 'c'}};
      char c = '?';
      for (auto [code, mark] : grounds)
        if (m.terrain == code) c = mark;
      if (ground_only) {
        rows += c;
        continue;
      }
      if (e.water) c = '~';
      if (e.lava) c = '^';
      if (e.track) c = 't';
      for (auto [code, mark] : marks)
        if (m.scenery == code) c = mark;
      rows += c;
    }
  }
  return rows;
}

// The first draw picks the room's kind; the top level of the fourth quest
// always holds the prisoner, in a cell when the room is large enough.
TEST(Rooms, EachKindDecoratesItsRoom) {
  struct expected {
    const char* what;
    int w, h, draw, z, quest;
    const char* room;
  };
  const expected cases[] = {
      {"too small", 3, 8, 5, Z, 1, "####/#..#/#..#/#..#/+..#/#..#/#..#/#..#/####"},
      {"wooden", 6, 5, 5, Z, 1, "#######/#wwwww#/#wwwww#/#wwwww#/+wwwww#/####s##"},
      {"treasure", 8, 6, 2, Z, 1,
       "#########/#C.....C#/#.......#/#.......#/+.......#/#C.....C#/####s####"},
      {"crypt", 8, 6, 4, Z, 1,
       "#########/#.......#/#.T...T.#/#.......#/+.T...T.#/#.......#/####s####"},
      {"flooded", 5, 5, 1, Z, 1, "######/#~~~~#/#~~~~#/#~~~~#/+~~~~#/####s#"},
      {"lava", 8, 8, 0, Z, 1,
       "#########/#^^^^^^^#/#^.....^#/#^.....^#/+|..L..^#/#^.....^#/#^.....^#/#^^^^^^^#/####s####"},
      {"goblin lair", 6, 6, 3, Z, 1, "#######/#.....#/#.f.f.#/#.....#/+.f.f.#/#.....#/####s##"},
      {"prisoner", 7, 7, 1, 10, 4,
       "########/#......#/#.WWW..#/#.WPW..#/+.WDW..#/#......#/#......#/####s###"},
      {"no room for a cell", 6, 6, 1, 10, 4,
       "#######/#.....#/#.f.f.#/#.....#/+.f.f.#/#.....#/####s##"},
  };
  for (const expected& e : cases) {
    SCOPED_TRACE(e.what);
    hand_made_room(10, 10, e.w, e.h, e.z);
    map[e.z][10][14].terrain = TERRAIN_CLOSED_DOOR;          // west wall
    map[e.z][14][10 + e.h].scenery = SCENERY_SECRET_HIDDEN;  // south wall
    QUEST_NO = e.quest;
    seed_for_draw(6, e.draw);
    decorate_room(e.z, 10, 10);
    EXPECT_EQ(picture(e.z, 10, 10, 10 + e.w, 10 + e.h), std::string(e.room) + "/");
  }
}

TEST(Rooms, PrisonerCellOpensOnlyToTheSouthAndNothingLandsOffTheLevel) {
  blank_world();
  rock_level(Z);
  fill_terrain(Z, 10, 10, 20, 20, TERRAIN_ROOM_FLOOR);
  generate_prisoner_cell(Z, 15, 15);
  EXPECT_EQ(picture(Z, 14, 14, 16, 17), "WWW/WPW/WDW/.../");
  // On the edge of the level nothing is written or placed beyond it.
  generate_prisoner_cell(Z, 0, 50);
  EXPECT_EQ(map[Z][0][50].scenery, SCENERY_PRISONER);
  EXPECT_EQ(place_monster(Z, -1, 5, 2), 0);
  EXPECT_EQ(place_monster(Z, 5, 51, 2), 0);
}

TEST(Rooms, StartRoomClearsTheBlockAndOpensSouth) {
  blank_world();
  for (int x = 20; x <= 30; x++)
    for (int y = 0; y <= 10; y++) {
      map[0][x][y].scenery = SCENERY_CRYSTAL;
      environment_cell& e = environment[0][x][y];
      e.lava = e.water = 1, e.track = TRACK_BUFFER_FIRST;
    }
  map[0][23][3].terrain = TERRAIN_PASSAGE_FLOOR;  // west middle keeps its terrain
  unit[2][7].status = UNIT_NORMAL;
  place_unit(2, 7, 0, 24, 2);
  start_room(23, 1, 0);
  EXPECT_EQ(unit[2][7].status, UNIT_FREE);
  EXPECT_EQ(map[0][24][2].occupant_player, 0);
  // Its west middle keeps its ground; a metal door north, a passage south.
  EXPECT_EQ(picture(0, 22, 0, 28, 9, true),
            ":::::::/:##M##:/:#...#:/:,...::/:#...#:/:##o##:/:::,:::/:::,:::/:::,:::/:::::::/");
  // All that lay on the room is gone but the water of its walls.
  EXPECT_EQ(picture(0, 23, 1, 27, 5), "~~~~~/~...~/~...~/~...~/~~~~~/");
  for (int y = 6; y <= 8; y++) EXPECT_EQ(environment[0][25][y].lava, 0);
}

namespace caves {

constexpr int Z = 2;

void rock_with_edges() {
  blank_world();
  rock_level(Z);
}

TEST(Caverns, CheckToleratesFifteenCutOffSquaresButNotSixteen) {
  rock_with_edges();
  fill_terrain(Z, 5, 5, 30, 30, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(check_cavern(Z), 2);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) ASSERT_EQ(map[Z][x][y].revealed, 0);
  fill_terrain(Z, 40, 40, 44, 42, TERRAIN_ROOM_FLOOR);  // 15 squares apart
  EXPECT_EQ(check_cavern(Z), 2);
  map[Z][44][43].terrain = TERRAIN_ROOM_FLOOR;  // the sixteenth
  EXPECT_EQ(check_cavern(Z), 0);
}

TEST(Caverns, CheckSpreadsOnlyTenSquaresAgainstTheScan) {
  rock_with_edges();
  // A corridor leading down, then back up a long way: the spread runs up
  // only one square a sweep, so the far arm stays out of reach.
  fill_terrain(Z, 10, 5, 10, 40, TERRAIN_STONE_FLOOR);
  fill_terrain(Z, 10, 40, 12, 40, TERRAIN_STONE_FLOOR);
  fill_terrain(Z, 12, 5, 12, 40, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(check_cavern(Z), 0);
  fill_terrain(Z, 12, 5, 12, 25, TERRAIN_ROCK);
  fill_terrain(Z, 12, 26, 12, 31, TERRAIN_ROCK);  // a short arm of 9 squares
  EXPECT_EQ(check_cavern(Z), 2);
}

TEST(Caverns, EveryAcceptedCaveHasWalledFloor) {
  for (unsigned seed = 1; seed <= 60; seed++) {
    rock_with_edges();
    std::srand(seed);
    cellular_map(Z, 5, 0);
    if (cavern_ground_rejected) continue;
    for (int x = 1; x < 49; x++) {
      for (int y = 1; y < 49; y++) {
        int t = map[Z][x][y].terrain;
        if (t != TERRAIN_STONE_FLOOR && t != TERRAIN_PASSAGE_FLOOR) continue;
        // Open floor away from the walls; floor by a wall is always terrain 5.
        EXPECT_TRUE(
            map[Z][x + 1][y].terrain != TERRAIN_ROCK && map[Z][x - 1][y].terrain != TERRAIN_ROCK &&
            map[Z][x][y + 1].terrain != TERRAIN_ROCK && map[Z][x][y - 1].terrain != TERRAIN_ROCK)
            << "seed " << seed << " at " << x << "," << y;
      }
    }
    for (int i = 0; i < LAND_SIZE; i++) {
      EXPECT_EQ(map[Z][i][0].terrain, TERRAIN_ROCK);
      EXPECT_EQ(map[Z][i][49].terrain, TERRAIN_ROCK);
      EXPECT_EQ(map[Z][i][50].terrain, TERRAIN_ROCK);
    }
  }
}

TEST(Caverns, RoomsStayOnTheLevelWithOneAnchorEach) {
  for (unsigned seed = 1; seed <= 200; seed++) {
    rock_with_edges();  // every square unmarked
    std::srand(seed);
    int count = static_cast<int>(seed % 4);
    EXPECT_GT(splatter_rooms(Z, count, seed % 2 ? 5 : 0), 0);
    int anchors = 0;
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        ASSERT_TRUE(map[Z][x][y].passable == 0 || (x < 50 && y < 50)) << x << "," << y;
        anchors += map[Z][x][y].passable == MARK_ROOM_ANCHOR;
      }
    EXPECT_GE(anchors, 1);
    EXPECT_LE(anchors, count + 1);
  }
}

TEST(Caverns, DirectionTableHoldsTheFourStepsOnce) {
  std::set<int> orders;
  for (unsigned seed = 1; seed <= 40; seed++) {
    std::srand(seed);
    random_directions();
    std::set<std::pair<int, int>> steps;
    int code = 0;
    for (int d = 0; d < 4; d++) {
      steps.insert({maze_dx[d], maze_dy[d]});
      EXPECT_EQ(std::abs(maze_dx[d]) + std::abs(maze_dy[d]), 1);
      code = code * 10 + (maze_dx[d] + 1) * 3 + maze_dy[d] + 1;
    }
    EXPECT_EQ(steps.size(), 4u);
    orders.insert(code);
  }
  EXPECT_EQ(orders.size(), 4u);
}

TEST(Caverns, MazeCarvesAQuarterOfItsCellsAndEndsWhenRoomsFillTheLevel) {
  rock_with_edges();
  std::srand(5);
  maze_map(Z, 0, 0);
  int corridor = 0;
  for (int x = 2; x <= 48; x += 2)
    for (int y = 2; y <= 48; y += 2) {
      int t = map[Z][x][y].terrain;
      if (t == TERRAIN_STONE_FLOOR || t == TERRAIN_PASSAGE_FLOOR) corridor++;
    }
  EXPECT_GT(corridor, 250);

  rock_with_edges();
  std::srand(9);
  maze_map(Z, 0, 60);  // far more rooms than fit
  int floor = 0;
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      int t = map[Z][x][y].terrain;
      if (t == TERRAIN_ROOM_FLOOR) floor++;  // the rooms that fitted
      if (x <= 1 || y <= 1 || x >= 49 || y >= 49) {
        EXPECT_TRUE(t == TERRAIN_ROCK || t == TERRAIN_ROOM_FLOOR || t == TERRAIN_CLOSED_DOOR)
            << x << "," << y;
      }
    }
  }
  EXPECT_GT(floor, 0);
}

}  // namespace caves

}  // namespace
