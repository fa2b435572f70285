// Room templates, the prisoner cell and the starting room on hand-made
// levels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/occupancy.h"
#include "core/world.h"
#include "generation/caverns.h"
#include "generation/rooms.h"
#include "tests/generation/world_builder.h"

namespace {

constexpr int Z = 5;

// A room of w by h with its anchor at (x, y), marked as the stamp marks it.
void hand_made_room(int x, int y, int w, int h) {
  quiet_world_state(1);
  nuke_variables();
  rock_level(Z);
  fill_terrain(Z, x + 1, y + 1, x + w - 1, y + h - 1, TERRAIN_ROOM_FLOOR);
  map[Z][x][y].passable = MARK_ROOM_ANCHOR;
  map[Z][x + w][y].passable = MARK_ROOM_CORNER;
  map[Z][x][y + h].passable = MARK_ROOM_CORNER;
}

int count_scenery(int code) {
  int n = 0;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++)
      if (map[Z][x][y].scenery == code) n++;
  return n;
}

TEST(Rooms, TooSmallRoomGetsNothing) {
  hand_made_room(10, 10, 3, 8);
  std::srand(4);
  decorate_room(Z, 10, 10);
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      EXPECT_EQ(map[Z][x][y].scenery, SCENERY_NONE);
      EXPECT_EQ(environment[Z][x][y].water, 0);
      EXPECT_EQ(environment[Z][x][y].lava, 0);
      EXPECT_EQ(map[Z][x][y].terrain == TERRAIN_WOODEN_FLOOR, false);
    }
  }
}

TEST(Rooms, WoodenFloorStopsShortOfTheWalls) {
  hand_made_room(10, 10, 6, 5);
  seed_for_draw(6, 5);
  decorate_room(Z, 10, 10);
  for (int x = 10; x <= 16; x++) {
    for (int y = 10; y <= 15; y++) {
      bool inside = x > 10 && x < 16 && y > 10 && y < 15;
      EXPECT_EQ(map[Z][x][y].terrain, inside ? TERRAIN_WOODEN_FLOOR : TERRAIN_ROCK)
          << x << "," << y;
    }
  }
}

TEST(Rooms, TreasureAndCryptRoomsPutTheirPiecesInTheCorners) {
  hand_made_room(10, 10, 8, 6);
  seed_for_draw(6, 2);
  decorate_room(Z, 10, 10);
  EXPECT_EQ(map[Z][11][11].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z][17][11].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z][17][15].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z][11][15].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(count_scenery(SCENERY_CONTAINER), 4);

  hand_made_room(10, 10, 8, 6);
  seed_for_draw(6, 4);
  decorate_room(Z, 10, 10);
  EXPECT_EQ(map[Z][12][12].scenery, SCENERY_CRYPT);
  EXPECT_EQ(map[Z][16][12].scenery, SCENERY_CRYPT);
  EXPECT_EQ(map[Z][16][14].scenery, SCENERY_CRYPT);
  EXPECT_EQ(map[Z][12][14].scenery, SCENERY_CRYPT);
  EXPECT_EQ(count_scenery(SCENERY_CRYPT), 4);
}

TEST(Rooms, FloodedRoomFillsOnlyTheInside) {
  hand_made_room(10, 10, 5, 5);
  seed_for_draw(6, 1);
  decorate_room(Z, 10, 10);
  for (int x = 10; x <= 15; x++)
    for (int y = 10; y <= 15; y++)
      EXPECT_EQ(environment[Z][x][y].water, x > 10 && x < 15 && y > 10 && y < 15 ? 1 : 0);
}

TEST(Rooms, LavaRoomRingsTheInsideAndBridgesOnlyItsDoors) {
  hand_made_room(10, 10, 8, 8);
  map[Z][10][14].terrain = TERRAIN_CLOSED_DOOR;    // west wall
  map[Z][14][18].scenery = SCENERY_SECRET_HIDDEN;  // south wall
  seed_for_draw(6, 0);
  decorate_room(Z, 10, 10);
  for (int x = 11; x <= 17; x++) {
    for (int y = 11; y <= 17; y++) {
      bool ring = x == 11 || x == 17 || y == 11 || y == 17;
      EXPECT_EQ(environment[Z][x][y].lava, ring ? 1 : 0) << x << "," << y;
      int s = map[Z][x][y].scenery;
      if (s == SCENERY_BRIDGE_NS) {
        EXPECT_TRUE(x == 11 && y == 14);
      }
      if (s == SCENERY_BRIDGE_EW) {
        EXPECT_TRUE(x == 14 && y == 17);
      }
    }
  }
  EXPECT_EQ(map[Z][14][14].scenery, SCENERY_LARGE_CHEST);
}

TEST(Rooms, GoblinLairLightsFourFires) {
  hand_made_room(10, 10, 6, 6);
  goblin_lair(Z, 10, 10, 6, 6);
  EXPECT_EQ(map[Z][12][12].scenery, SCENERY_FIRE);
  EXPECT_EQ(map[Z][14][12].scenery, SCENERY_FIRE);
  EXPECT_EQ(map[Z][14][14].scenery, SCENERY_FIRE);
  EXPECT_EQ(map[Z][12][14].scenery, SCENERY_FIRE);
  EXPECT_EQ(count_scenery(SCENERY_FIRE), 4);
}

TEST(Rooms, FourthQuestHoldsAPrisonerOnTheTopLevel) {
  for (int size : {7, 6}) {
    quiet_world_state(1);
    nuke_variables();
    rock_level(10);
    fill_terrain(10, 11, 11, 10 + size - 1, 10 + size - 1, TERRAIN_ROOM_FLOOR);
    map[10][10][10].passable = MARK_ROOM_ANCHOR;
    map[10][10 + size][10].passable = MARK_ROOM_CORNER;
    map[10][10][10 + size].passable = MARK_ROOM_CORNER;
    QUEST_NO = 4;
    seed_for_draw(6, 1);  // a flooded room, were it not the fourth quest
    decorate_room(10, 10, 10);
    int prisoners = 0, fires = 0, water = 0;
    for (int x = 0; x < LAND_SIZE; x++) {
      for (int y = 0; y < LAND_SIZE; y++) {
        prisoners += map[10][x][y].scenery == SCENERY_PRISONER;
        fires += map[10][x][y].scenery == SCENERY_FIRE;
        water += environment[10][x][y].water;
      }
    }
    EXPECT_EQ(water, 0);
    EXPECT_EQ(prisoners, size == 7 ? 1 : 0);
    EXPECT_EQ(fires, size == 7 ? 0 : 4);  // too small for a cell: a goblin lair
  }
}

TEST(Rooms, PrisonerCellOpensOnlyToTheSouth) {
  quiet_world_state(1);
  nuke_variables();
  rock_level(Z);
  fill_terrain(Z, 10, 10, 20, 20, TERRAIN_ROOM_FLOOR);
  generate_prisoner_cell(Z, 15, 15);
  EXPECT_EQ(map[Z][15][15].terrain, TERRAIN_ROOM_FLOOR);
  EXPECT_EQ(map[Z][15][15].scenery, SCENERY_PRISONER);
  EXPECT_EQ(map[Z][15][16].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(map[Z][15][16].scenery, SCENERY_CELL_DOOR);
  for (int i = -1; i <= 1; i++)
    for (int j = -1; j <= 1; j++)
      if (!(i == 0 && j == 0) && !(i == 0 && j == 1)) {
        EXPECT_EQ(map[Z][15 + i][15 + j].terrain, TERRAIN_BUILT_WALL);
      }
  // A cell on the edge of the level writes nothing beyond it.
  generate_prisoner_cell(Z, 0, 50);
  EXPECT_EQ(map[Z][0][50].scenery, SCENERY_PRISONER);
}

TEST(Rooms, StartRoomClearsTheBlockAndOpensSouth) {
  quiet_world_state(1);
  nuke_variables();
  for (int x = 20; x <= 30; x++) {
    for (int y = 0; y <= 10; y++) {
      map[0][x][y].scenery = SCENERY_CRYSTAL;
      environment[0][x][y].lava = 1;
      environment[0][x][y].water = 1;
      environment[0][x][y].track = TRACK_BUFFER_FIRST;
    }
  }
  map[0][23][3].terrain = TERRAIN_PASSAGE_FLOOR;  // west middle keeps its terrain
  unit[2][7].status = UNIT_NORMAL;
  place_unit(2, 7, 0, 24, 2);
  start_room(23, 1, 0);
  EXPECT_EQ(unit[2][7].status, UNIT_FREE);
  EXPECT_EQ(map[0][24][2].occupant_player, 0);
  for (int x = 23; x <= 27; x++) {
    for (int y = 1; y <= 5; y++) {
      bool ring = x == 23 || x == 27 || y == 1 || y == 5;
      EXPECT_EQ(map[0][x][y].scenery, SCENERY_NONE);
      EXPECT_EQ(environment[0][x][y].lava, 0);
      EXPECT_EQ(environment[0][x][y].track, 0);
      if (!ring) {
        EXPECT_EQ(map[0][x][y].terrain, TERRAIN_ROOM_FLOOR);
        EXPECT_EQ(environment[0][x][y].water, 0);
      }
    }
  }
  EXPECT_EQ(map[0][23][3].terrain, TERRAIN_PASSAGE_FLOOR);
  EXPECT_EQ(map[0][27][3].terrain, TERRAIN_STONE_FLOOR);
  EXPECT_EQ(map[0][23][1].terrain, TERRAIN_ROCK);
  EXPECT_EQ(map[0][25][1].terrain, TERRAIN_METAL_DOOR_CLOSED);
  EXPECT_EQ(map[0][25][5].terrain, TERRAIN_OPEN_DOOR);
  for (int y = 6; y <= 8; y++) {
    EXPECT_EQ(map[0][25][y].terrain, TERRAIN_PASSAGE_FLOOR);
    EXPECT_EQ(environment[0][25][y].lava, 0);
  }
}

TEST(Rooms, MonstersNeverShareASquare) {
  quiet_world_state(1);
  nuke_variables();
  unit[2][3].status = UNIT_NORMAL;
  place_unit(2, 3, Z, 5, 5);
  // A taken square sends the newcomer to the nearest free one.
  int u = place_monster(Z, 5, 5, 2);
  ASSERT_GT(u, 0);
  EXPECT_EQ(unit[2][u].x, 5);
  EXPECT_EQ(unit[2][u].y, 4);
  EXPECT_EQ(map[Z][5][5].occupant_unit, 3);
  EXPECT_EQ(place_monster(Z, -1, 5, 2), 0);
  EXPECT_EQ(place_monster(Z, 5, 51, 2), 0);
}

}  // namespace
