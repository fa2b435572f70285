#include <gtest/gtest.h>

#include "core/actions/climb.h"
#include "core/actions/doors.h"
#include "tests/core/actions/action_checks.h"
#include "tests/scratch_folder.h"

namespace {

constexpr int Z = 3;

// A level of rock with an open hall 5..15 x 5..15 on levels Z-1 to Z+1, the
// leader in its middle on level Z facing north.
class ClimbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    for (int z = 0; z < LEVELS; z++)
      for (int x = 0; x < LAND_SIZE; x++)
        for (int y = 0; y < LAND_SIZE; y++) put_terrain(z, x, y, TERRAIN_ROCK);
    for (int z = Z - 1; z <= Z + 1; z++)
      for (int x = 5; x <= 15; x++)
        for (int y = 5; y <= 15; y++) put_terrain(z, x, y, TERRAIN_ROOM_FLOOR, 1);
    put_unit(1, 1, Z, 10, 10, NORTH, 200);
    CURRENT_PLAYER = 1;
    CURRENT_UNIT = 1;
  }
  unit_record& leader() { return unit[1][1]; }
};

TEST_F(ClimbTest, ClimbingUpMovesTheLeaderAndLeavesAWayBack) {
  climb_up(1, 1);
  EXPECT_TRUE(headless_said("You cannot go UP here!"));
  EXPECT_EQ(leader().z, Z);

  map[Z][10][10].scenery = SCENERY_LADDER_UP;
  environment[Z + 1][10][10].lava = 1;
  climb_up(1, 1);
  EXPECT_TRUE(vacant(Z, 10, 10));
  EXPECT_TRUE(stands(1, 1, Z + 1, 10, 10));
  EXPECT_EQ(map[Z + 1][10][10].scenery, SCENERY_TRAPDOOR);
  EXPECT_EQ(map[Z + 1][10][10].terrain, TERRAIN_PASSAGE_FLOOR);
  EXPECT_EQ(environment[Z + 1][10][10].lava, 0);
  EXPECT_EQ(UPDATE_MAP, 1);
}

TEST_F(ClimbTest, ClimbingUpOntoAStaircaseKeepsIt) {
  map[Z][10][10].scenery = 3;  // a staircase goes both ways
  map[Z + 1][10][10].scenery = SCENERY_LADDER_DOWN;
  climb_up(1, 1);
  EXPECT_EQ(leader().z, Z + 1);
  EXPECT_EQ(map[Z + 1][10][10].scenery, SCENERY_LADDER_DOWN);
  EXPECT_EQ(map[Z + 1][10][10].terrain, TERRAIN_ROOM_FLOOR);
}

TEST_F(ClimbTest, ClimbDownOntoAnOccupiedSquareIsRefused) {
  map[Z][10][10].scenery = SCENERY_TRAPDOOR;
  put_unit(3, 4, Z - 1, 10, 10, NORTH);
  climb_down(1, 1);
  EXPECT_TRUE(headless_said("Someone or thing is blocking the way!"));
  EXPECT_TRUE(stands(1, 1, Z, 10, 10));
  EXPECT_TRUE(stands(3, 4, Z - 1, 10, 10));
}

// The squares of a level out of view are only written when a unit moves; a
// unit standing there still takes the square.
TEST_F(ClimbTest, AUnitStandingAboveBlocksEvenWhenItsSquareDoesNotNameIt) {
  map[Z][10][10].scenery = SCENERY_LADDER_UP;
  put_unit(1, 7, Z + 1, 10, 10, NORTH);
  clear_occupant(Z + 1, 10, 10);
  climb_up(1, 1);
  EXPECT_TRUE(headless_said("Someone or thing is blocking the way!"));
  EXPECT_TRUE(stands(1, 1, Z, 10, 10));
  EXPECT_EQ(unit[1][7].z, Z + 1);

  // One that has left the dungeon or whose slot is free does not.
  unit[1][7].status = UNIT_GONE;
  climb_up(1, 1);
  EXPECT_TRUE(stands(1, 1, Z + 1, 10, 10));
}

TEST_F(ClimbTest, ClimbingDownChangesNothingBelow) {
  climb_down(1, 1);
  EXPECT_TRUE(headless_said("You cannot go DOWN here!"));
  map[Z][10][10].scenery = SCENERY_LADDER_DOWN;
  climb_down(1, 1);
  EXPECT_EQ(map[Z - 1][10][10].scenery, SCENERY_NONE);
  EXPECT_TRUE(stands(1, 1, Z - 1, 10, 10));
  EXPECT_TRUE(vacant(Z, 10, 10));
}

TEST_F(ClimbTest, TheLadderOnTheBottomLevelOnlyGoesUp) {
  put_terrain(0, 10, 10, TERRAIN_ROOM_FLOOR);
  map[0][10][10].scenery = 3;
  clear_occupant(Z, 10, 10);
  put_unit(1, 1, 0, 10, 10, NORTH);
  climb_down(1, 1);
  EXPECT_TRUE(headless_said("The LADDER only goes UP."));
  EXPECT_EQ(leader().z, 0);
}

TEST_F(ClimbTest, LeavingFromTheTopLevel) {
  const int top = LEVELS - 1;
  put_terrain(top, 10, 10, TERRAIN_ROOM_FLOOR, 1);
  put_terrain(top, 11, 10, TERRAIN_ROOM_FLOOR, 1);
  map[top][10][10].scenery = SCENERY_LADDER_UP;
  map[top][11][10].scenery = SCENERY_LADDER_UP;
  put_unit(1, 2, top, 11, 10, NORTH);
  CURRENT_UNIT = 2;
  climb_up(1, 2);
  EXPECT_EQ(unit[1][2].status, UNIT_GONE);
  EXPECT_EQ(CURRENT_UNIT, 1);  // play passed on to the one still inside
  EXPECT_TRUE(vacant(top, 11, 10));
  map_occupied(top);  // as every redraw does: the unit that left stays gone
  EXPECT_EQ(map[top][11][10].occupant_player, 0);
  EXPECT_EQ(gameover, GAME_PLAYING);

  remove_unit(1, 1);
  put_unit(1, 1, top, 10, 10, NORTH);
  {
    scratch_folder away;
    climb_up(1, 1);
  }
  // The score and its table, then the way out.
  ASSERT_EQ(headless.warnings.size(), 3u);
  EXPECT_EQ(headless.warnings[2].lines[5], "You zorvane, WELL DONE!");
  EXPECT_EQ(gameover, GAME_OVER);
}

TEST_F(ClimbTest, LockedDoorsNeedAKeyWhichIsUsedUp) {
  put_terrain(Z, 10, 9, TERRAIN_CLOSED_DOOR);
  map[Z][10][9].scenery = SCENERY_CELL_DOOR;
  work_door_ahead(1, 1);
  EXPECT_TRUE(headless_said("The door is locked!"));
  EXPECT_EQ(map[Z][10][9].scenery, SCENERY_CELL_DOOR);

  object_record& k = give_item(5, 1, 1, ITEM_KEY, OBJECT_CARRIED);
  work_door_ahead(1, 1);
  EXPECT_EQ(map[Z][10][9].scenery, SCENERY_NONE);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_CLOSED_DOOR);
  EXPECT_EQ(k.status, 0);
  EXPECT_EQ(k.owner_player, 0);

  work_door_ahead(1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_OPEN_DOOR);
}

TEST_F(ClimbTest, AnOpenDoorClosesOnlyWhenTheDoorwayIsEmpty) {
  put_terrain(Z, 10, 9, TERRAIN_OPEN_DOOR, 1);
  // Something lying in the doorway, then a creature standing in it.
  map[Z][10][9].object_count = 1;
  work_door_ahead(1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_OPEN_DOOR);
  map[Z][10][9].object_count = 0;
  put_unit(2, 3, Z, 10, 9, SOUTH);
  work_door_ahead(1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_TRUE(headless_said("You can't close the door, something is blocking it"));

  remove_unit(2, 3);
  work_door_ahead(1, 1);
  EXPECT_EQ(map[Z][10][9].terrain, TERRAIN_CLOSED_DOOR);

  leader().facing = SOUTH;
  work_door_ahead(1, 1);
  EXPECT_TRUE(headless_said("There is no DOOR there."));
}

}  // namespace
