// The ground generators on hand-made levels: room templates, the prisoner
// cell and the starting room; the cavern check, the room stamp and the maze.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/occupancy.h"
#include "core/world.h"
#include "generation/caverns.h"
#include "generation/rooms.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 5;

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

// Tries are made on scratch grids; one turned down must still leave the
// level as the plain build did: every field a try writes, written.
TEST(Caverns, TurnedDownTryStillLaysItsWholeGround) {
  int rejected = 0;
  for (unsigned seed = 1; seed <= 60 && rejected < 3; seed++) {
    blank_world();
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        map[Z][x][y] = {1, TERRAIN_BUILT_WALL, 0, 0, 7, 0, 0, SCENERY_FIRE};
        environment[Z][x][y].water = environment[Z][x][y].lava = 1;
      }
    std::srand(seed);
    cellular_map(Z, 5, 1);
    if (!cavern_ground_rejected) continue;
    rejected++;
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        const map_cell& m = map[Z][x][y];
        auto rock = [&](int dx, int dy) { return map[Z][x + dx][y + dy].terrain == TERRAIN_ROCK; };
        bool inner = x >= 1 && y >= 1 && x <= 48 && y <= 48;
        bool by_rock = inner && (rock(1, 0) || rock(-1, 0) || rock(0, 1) || rock(0, -1));
        ASSERT_EQ(m.revealed + environment[Z][x][y].water + environment[Z][x][y].lava, 0);
        ASSERT_EQ(std::make_pair(m.passable, m.scenery),
                  inner ? std::make_pair(0, SCENERY_NONE) : std::make_pair(7, SCENERY_FIRE));
        // Floor beside rock is room floor, and room floor lies only there.
        int t = m.terrain;
        bool floor =
            t == TERRAIN_ROOM_FLOOR || t == TERRAIN_STONE_FLOOR || t == TERRAIN_PASSAGE_FLOOR;
        ASSERT_TRUE(t == TERRAIN_ROCK || (inner && floor && (t == TERRAIN_ROOM_FLOOR) == by_rock))
            << x << "," << y;
      }
    EXPECT_EQ(check_cavern(Z), 0);
  }
  EXPECT_EQ(rejected, 3);
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
  // Far more rooms than fit: the placement gives up rather than search on.
  rock_with_edges(), std::srand(9);
  EXPECT_GT(splatter_rooms(Z, 60, 0), 0);
}

}  // namespace caves

}  // namespace
