#include <gtest/gtest.h>

#include "core/occupancy.h"
#include "core/actions/barrels.h"
#include "core/actions/push.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 4;

class PushTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }

  // A container of the given kind in slot c at (x, y) of level Z.
  container_record& put_container(int c, int x, int y, int type, int weight, int size,
                                  const char* name, int state = CONTAINER_CLOSED) {
    container_record& k = container[c];
    k = container_record{};
    k.x = x, k.y = y, k.z = Z;
    k.type = type, k.weight = weight, k.size = size, k.state = state;
    copy_text(k.name, name);
    map[Z][x][y].scenery = SCENERY_CONTAINER;
    map[Z][x][y].passable = 0;
    return k;
  }
  container_record& chest(int x = 11, int y = 10) {
    return put_container(2, x, y, CONTAINER_SMALL_CHEST, 100, 10, "small chest");
  }
  // The pusher at (10, 10), facing east at the square (11, 10).
  unit_record& pusher(int moves = 200) { return put_unit(1, 1, Z, 10, 10, EAST, moves); }

  void expect_unmoved(const container_record& k, int x, int y) {
    EXPECT_EQ(k.x, x);
    EXPECT_EQ(k.y, y);
    EXPECT_EQ(k.z, Z);
    EXPECT_EQ(map[Z][x][y].scenery, SCENERY_CONTAINER);
  }
};

// The ordinary push and drag

TEST_F(PushTest, PushedChestMovesOnAndTheUnitFollows) {
  unit_record& me = pusher(200);
  container_record& k = chest();
  push_container(1, 1);
  EXPECT_TRUE(headless_said("You push the small chest"));
  EXPECT_EQ(k.x, 12);
  EXPECT_EQ(k.facing, WEST);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z][12][10].passable, 0);
  EXPECT_EQ(me.x, 11);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_EQ(map[Z][11][10].occupant_unit, 1);
  EXPECT_EQ(me.moves, 200 - 50 - 10);  // half its weight, then the step
}

TEST_F(PushTest, OpenChestIsShutFirstForFifteen) {
  unit_record& me = pusher(200);
  container_record& k = chest();
  k.state = CONTAINER_OPEN;
  push_container(1, 1);
  EXPECT_EQ(k.x, 12);
  EXPECT_EQ(me.moves, 200 - 15 - 50 - 10);
}

TEST_F(PushTest, DraggedChestTakesTheUnitsSquareAndTheUnitStepsBack) {
  unit_record& me = pusher(200);
  container_record& k = chest();
  drag_container(1, 1);
  EXPECT_TRUE(headless_said("You drag the small chest"));
  EXPECT_EQ(k.x, 10);
  EXPECT_EQ(me.x, 9);
  EXPECT_EQ(me.facing, EAST);
  EXPECT_EQ(me.moves, 200 - 50 - 15);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_EQ(map[Z][11][10].passable, 1);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_CONTAINER);
  // The unit stepped off, but the chest stands there: nobody walks in.
  EXPECT_EQ(map[Z][10][10].passable, 0);
  EXPECT_EQ(map[Z][10][10].occupant_player, 0);
}

TEST_F(PushTest, ObjectsInTheWayAreCrushed) {
  pusher();
  chest();
  put_terrain(Z, 12, 10, TERRAIN_STONE_FLOOR, 1);
  for (int k = 5; k <= 6; k++) {
    object[k] = object_record{};
    object[k].status = OBJECT_ON_GROUND;
    object[k].type = ITEM_FOOD;
    object[k].x = 12, object[k].y = 10, object[k].z = Z;
  }
  map[Z][12][10].object_count = 2;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("Crunch!!!!"));
  EXPECT_EQ(object[5].status, OBJECT_FREE);
  EXPECT_EQ(object[6].status, OBJECT_FREE);
  EXPECT_EQ(map[Z][12][10].object_count, 0);
}

// Refusals

TEST_F(PushTest, LargeChestFitsThroughADoorwayAWardrobeDoesNot) {
  unit_record& me = pusher();
  container_record& large = put_container(2, 11, 10, CONTAINER_LARGE_CHEST, 200, 11, "large chest");
  put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1);
  push_container(1, 1);
  EXPECT_EQ(large.x, 12);
  EXPECT_EQ(map[Z][12][10].terrain, TERRAIN_OPEN_DOOR);

  fresh_world();
  unit_record& again = pusher();
  container_record& w = put_container(2, 11, 10, CONTAINER_WARDROBE, 200, 17, "wardrobe");
  put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1);
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The wardrobe won't move."));
  EXPECT_EQ(BOUNCED, 1);
  expect_unmoved(w, 11, 10);
  EXPECT_EQ(again.x, 10);
  EXPECT_EQ(again.moves, 200);
  (void)me;
}

TEST_F(PushTest, NothingGoesIntoWallsOntoUnitsOrOtherContainers) {
  // A wall, a unit standing in a doorway, another container in a doorway,
  // a ladder, and the edge of the level.
  for (int n = 0; n < 4; n++) {
    fresh_world();
    unit_record& me = pusher();
    container_record& k = chest();
    if (n == 0) put_terrain(Z, 12, 10, TERRAIN_BUILT_WALL);
    if (n == 1) {
      put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1);
      put_unit(2, 3, Z, 12, 10, WEST);
    }
    if (n == 2) {
      put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1);
      put_container(3, 12, 10, CONTAINER_SMALL_CHEST, 100, 10, "small chest");
    }
    if (n == 3) map[Z][12][10].scenery = SCENERY_LADDER_UP;
    push_container(1, 1);
    EXPECT_TRUE(headless_said("The small chest won't move.")) << n;
    expect_unmoved(k, 11, 10);
    EXPECT_EQ(me.x, 10) << n;
    EXPECT_EQ(me.moves, 200) << n;
  }
  fresh_world();
  put_unit(1, 1, Z, LAND_SIZE - 2, 10, EAST, 200);
  container_record& at_edge = chest(LAND_SIZE - 1, 10);
  push_container(1, 1);
  expect_unmoved(at_edge, LAND_SIZE - 1, 10);
}

TEST_F(PushTest, DragNeedsRoomBehindAndFeetFreeOfQuicksand) {
  unit_record& me = pusher();
  container_record& k = chest();
  put_terrain(Z, 9, 10, TERRAIN_ROCK);
  drag_container(1, 1);
  EXPECT_TRUE(headless_said("The small chest won't move."));
  expect_unmoved(k, 11, 10);
  EXPECT_EQ(me.x, 10);

  fresh_world();
  unit_record& stuck = pusher();
  container_record& k2 = chest();
  map[Z][10][10].scenery = SCENERY_QUICKSAND;
  give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 51;
  drag_container(1, 1);
  expect_unmoved(k2, 11, 10);
  EXPECT_EQ(stuck.x, 10);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_QUICKSAND);
}

TEST_F(PushTest, MarkerWithoutAContainerIsImmoveable) {
  unit_record& me = pusher();
  map[Z][11][10].scenery = SCENERY_CONTAINER;
  map[Z][11][10].passable = 0;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The container is immoveable."));
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(me.x, 10);
  EXPECT_EQ(me.moves, 200);
}

TEST_F(PushTest, OnlyTheActingPlayerPushesAndBarrelsNeverGoSouthEast) {
  put_unit(2, 1, Z, 10, 10, EAST);
  container_record& k = chest();
  push_container(2, 1);
  expect_unmoved(k, 11, 10);

  fresh_world();
  put_unit(1, 1, Z, 10, 10, SOUTHEAST, 200);
  container_record& b =
      put_container(2, 11, 11, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_POWDER);
  push_container(1, 1);
  drag_container(1, 1);
  expect_unmoved(b, 11, 11);
  EXPECT_TRUE(headless.messages.empty());
}

// Where it lands

TEST_F(PushTest, BoulderFillsAPitThatUnitsThenWalkOver) {
  unit_record& me = pusher();
  container_record& b =
      put_container(2, 11, 10, CONTAINER_BOULDER, 200, 20, "boulder", CONTAINER_BOULDER_STATE);
  map[Z][12][10].scenery = SCENERY_PIT;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The boulder rolls into the pit!"));
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_FILLED_PIT);
  EXPECT_EQ(map[Z][12][10].passable, 1);
  EXPECT_EQ(b.state, CONTAINER_IN_PIT);
  EXPECT_EQ(b.x, 12);
  EXPECT_EQ(me.moves, 200 - 10);  // no weight to pay for
  EXPECT_EQ(me.x, 11);
  // Over it and beyond.
  clear_occupant(Z, 12, 10);
  EXPECT_EQ(facing_container_type(1, 1), CONTAINER_BOULDER);
  push_container(1, 1);  // no marker there any more: nothing to push
  EXPECT_EQ(b.x, 12);
}

TEST_F(PushTest, ContainerRollsDownAHoleOntoTheLevelBelow) {
  pusher();
  container_record& k = chest();
  map[Z][12][10].scenery = SCENERY_HOLE;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The small chest rolls into the hole and disappears!"));
  EXPECT_EQ(k.z, Z - 1);
  EXPECT_EQ(k.x, 12);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_HOLE);
  EXPECT_EQ(map[Z][12][10].passable, 1);
  EXPECT_EQ(map[Z - 1][12][10].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z - 1][12][10].passable, 0);
  EXPECT_EQ(which_container(Z - 1, 12, 10), 2);
}

TEST_F(PushTest, HoleOverSomeoneTakesNothing) {
  pusher();
  container_record& k = chest();
  map[Z][12][10].scenery = SCENERY_HOLE;
  put_unit(2, 5, Z - 1, 12, 10, NORTH);
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The small chest won't move."));
  expect_unmoved(k, 11, 10);
}

TEST_F(PushTest, RottenFloorGivesWayUnderTheContainer) {
  pusher();
  container_record& k = chest();
  put_terrain(Z, 12, 10, TERRAIN_WOODEN_FLOOR, 1);
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The small chest crashes through the rotten floor and disappears!"));
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_HOLE);
  EXPECT_EQ(k.z, Z - 1);
  EXPECT_EQ(map[Z - 1][12][10].scenery, SCENERY_CONTAINER);

  // With a track on it, or rock beneath it, the floor holds.
  fresh_world();
  pusher();
  container_record& k2 = chest();
  put_terrain(Z, 12, 10, TERRAIN_WOODEN_FLOOR, 1);
  put_terrain(Z - 1, 12, 10, TERRAIN_ROCK);
  push_container(1, 1);
  EXPECT_EQ(k2.z, Z);
  EXPECT_EQ(k2.x, 12);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_CONTAINER);
}

TEST_F(PushTest, DraggedOntoRottenBoardsItFallsThroughWhereTheUnitStood) {
  unit_record& me = pusher();
  container_record& k = chest();
  put_terrain(Z, 10, 10, TERRAIN_WOODEN_FLOOR, 0);
  drag_container(1, 1);
  EXPECT_EQ(k.z, Z - 1);
  EXPECT_EQ(k.x, 10);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_HOLE);
  EXPECT_EQ(me.x, 9);
  EXPECT_EQ(me.z, Z);
}

// Barrels meeting water and fire

TEST_F(PushTest, BurningBarrelGoesOutInAPool) {
  pusher();
  container_record& b =
      put_container(2, 11, 10, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_ALIGHT);
  map[Z][12][10].scenery = SCENERY_POOL;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("Fizzzle!"));
  EXPECT_EQ(b.state, CONTAINER_POWDER);
  EXPECT_EQ(b.x, 12);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_CONTAINER);
}

TEST_F(PushTest, BarrelPushedIntoFireGoesOffOnTheNextCheck) {
  unit_record& me = pusher();
  container_record& b =
      put_container(2, 11, 10, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_POWDER);
  map[Z][12][10].scenery = SCENERY_FIRE;
  push_container(1, 1);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_BARREL_DUE);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_EQ(BARREL_EXPLODE, 1);
  EXPECT_EQ(me.x, 11);
  // The record went with the barrel, so the blast finds and destroys it.
  EXPECT_EQ(which_container(Z, 12, 10), 2);
  me.health = 1000;
  map_barrelcheck(Z);
  EXPECT_TRUE(headless_said("BOOOM!"));
  EXPECT_EQ(b.state, CONTAINER_FREE);
  EXPECT_EQ(which_container(Z, 12, 10), 0);
  EXPECT_LT(me.health, 1000);
}

TEST_F(PushTest, BarrelOnABridgeOverLavaIsSafe) {
  pusher();
  container_record& b =
      put_container(2, 11, 10, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_POWDER);
  environment[Z][12][10].lava = 1;
  map[Z][12][10].scenery = SCENERY_BRIDGE_EW;
  push_container(1, 1);
  EXPECT_EQ(b.x, 12);
  EXPECT_EQ(BARREL_EXPLODE, 0);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_CONTAINER);

  fresh_world();
  pusher();
  put_container(2, 11, 10, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_POWDER);
  environment[Z][12][10].lava = 1;
  push_container(1, 1);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_BARREL_DUE);
  EXPECT_EQ(BARREL_EXPLODE, 1);
}

TEST_F(PushTest, BurningBarrelStandingInWaterGoesOutWhenDragged) {
  unit_record& me = pusher();
  container_record& b =
      put_container(2, 11, 10, CONTAINER_BARREL, 200, 7, "gunpowder barrel", CONTAINER_ALIGHT);
  environment[Z][11][10].water = 1;
  drag_container(1, 1);
  EXPECT_TRUE(headless_said("Fizzzle!"));
  EXPECT_EQ(b.state, CONTAINER_POWDER);
  EXPECT_EQ(b.x, 10);
  EXPECT_EQ(me.x, 9);
}

}  // namespace
