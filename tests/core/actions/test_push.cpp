#include <gtest/gtest.h>

#include <functional>

#include "core/actions/push.h"
#include "core/occupancy.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 4;

class PushTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }

  container_record& chest(int x = 11, int y = 10) {
    return put_container(2, Z, x, y, CONTAINER_SMALL_CHEST, CONTAINER_CLOSED, "small chest", 100,
                         10);
  }
  container_record& barrel(int state) {
    return put_container(2, Z, 11, 10, CONTAINER_BARREL, state, "gunpowder barrel", 200, 7);
  }
  // The pusher at (10, 10), facing east at the square (11, 10).
  unit_record& pusher(int moves = 200) { return put_unit(1, 1, Z, 10, 10, EAST, moves); }

  void expect_unmoved(const container_record& k, int x, int y) {
    EXPECT_TRUE(k.x == x && k.y == y && k.z == Z) << k.z << "," << k.x << "," << k.y;
    EXPECT_EQ(map[Z][x][y].scenery, SCENERY_CONTAINER);
  }
};

TEST_F(PushTest, PushedChestMovesOnAndTheUnitFollows) {
  for (int state : {CONTAINER_CLOSED, CONTAINER_OPEN}) {
    fresh_world();
    unit_record& me = pusher(200);
    container_record& k = chest();
    k.state = state;
    push_container(1, 1);
    EXPECT_TRUE(headless_said("You push the small chest"));
    expect_unmoved(k, 12, 10);
    EXPECT_EQ(k.facing, WEST);
    EXPECT_EQ(map[Z][12][10].passable, 0);
    EXPECT_TRUE(stands(1, 1, Z, 11, 10));
    EXPECT_EQ(map[Z][11][10].scenery, 0);
    // An open chest is shut first for 15; then half its weight, then the step.
    EXPECT_EQ(me.moves, 200 - (state == CONTAINER_OPEN ? 15 : 0) - 50 - 10);
  }
}

TEST_F(PushTest, DraggedChestTakesTheUnitsSquareAndTheUnitStepsBack) {
  unit_record& me = pusher(200);
  container_record& k = chest();
  drag_container(1, 1);
  EXPECT_TRUE(headless_said("You drag the small chest"));
  expect_unmoved(k, 10, 10);
  EXPECT_TRUE(stands(1, 1, Z, 9, 10));
  EXPECT_EQ(me.facing, EAST);
  EXPECT_EQ(me.moves, 200 - 50 - 15);
  EXPECT_TRUE(vacant(Z, 11, 10));
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  // The unit stepped off, but the chest stands there: nobody walks in.
  EXPECT_EQ(map[Z][10][10].passable, 0);
  EXPECT_EQ(map[Z][10][10].occupant_player, 0);
}

TEST_F(PushTest, ObjectsInTheWayAreCrushedAndALargeChestFitsADoorway) {
  pusher();
  container_record& k =
      put_container(2, Z, 11, 10, CONTAINER_LARGE_CHEST, CONTAINER_CLOSED, "large chest", 200, 11);
  put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1);
  for (int o = 5; o <= 6; o++) {
    give_item(o, 0, 0, ITEM_FOOD, OBJECT_ON_GROUND);
    object[o].x = 12, object[o].y = 10, object[o].z = Z;
  }
  map[Z][12][10].object_count = 2;
  push_container(1, 1);
  EXPECT_EQ(k.x, 12);
  EXPECT_EQ(map[Z][12][10].terrain, TERRAIN_OPEN_DOOR);
  EXPECT_TRUE(headless_said("Crunch!!!!"));
  EXPECT_EQ(object[5].status, OBJECT_FREE);
  EXPECT_EQ(object[6].status, OBJECT_FREE);
  EXPECT_EQ(map[Z][12][10].object_count, 0);
}

// Refused: nothing moves and nothing is paid.
struct refusal {
  const char* what;
  bool drag;
  std::function<void()> setup;
  const char* said = "The small chest won't move.";
};

TEST_F(PushTest, NothingGoesIntoWallsOntoUnitsOrOtherContainers) {
  auto doorway = [] { put_terrain(Z, 12, 10, TERRAIN_OPEN_DOOR, 1); };
  // clang-format off
  const refusal cases[] = {
      {"wall", false, [] { put_terrain(Z, 12, 10, TERRAIN_BUILT_WALL); }},
      {"unit in a doorway", false, [&] { doorway(), put_unit(2, 3, Z, 12, 10, WEST); }},
      {"chest in a doorway", false, [&] {
         doorway(), put_container(3, Z, 12, 10, CONTAINER_SMALL_CHEST, CONTAINER_CLOSED, "c"); }},
      {"ladder", false, [] { map[Z][12][10].scenery = SCENERY_LADDER_UP; }},
      {"hole over someone", false, [] {
         map[Z][12][10].scenery = SCENERY_HOLE, put_unit(2, 5, Z - 1, 12, 10, NORTH); }},
      {"wardrobe through a doorway", false, [&] {
         doorway();
         put_container(2, Z, 11, 10, CONTAINER_WARDROBE, CONTAINER_CLOSED, "wardrobe", 200, 17); },
       "The wardrobe won't move."},
      {"rock behind a drag", true, [] { put_terrain(Z, 9, 10, TERRAIN_ROCK); }},
      {"dragged from quicksand", true, [] {
         map[Z][10][10].scenery = SCENERY_QUICKSAND;
         give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 51; }, nullptr},
  };
  // clang-format on
  for (const refusal& c : cases) {
    SCOPED_TRACE(c.what);
    fresh_world();
    unit_record& me = pusher();
    container_record& k = chest();
    c.setup();
    (c.drag ? drag_container : push_container)(1, 1);
    EXPECT_TRUE(!c.said || headless_said(c.said));
    expect_unmoved(k, 11, 10);
    EXPECT_TRUE(stands(1, 1, Z, 10, 10));
    EXPECT_EQ(me.moves, 200);
  }
  fresh_world();
  put_unit(1, 1, Z, LAND_SIZE - 2, 10, EAST, 200);
  container_record& at_edge = chest(LAND_SIZE - 1, 10);
  push_container(1, 1);
  expect_unmoved(at_edge, LAND_SIZE - 1, 10);
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
  push_container(2, 1);
  expect_unmoved(chest(), 11, 10);

  fresh_world();
  put_unit(1, 1, Z, 10, 10, SOUTHEAST, 200);
  container_record& b = barrel(CONTAINER_POWDER);
  b.y = 11;
  map[Z][11][11].scenery = SCENERY_CONTAINER;
  push_container(1, 1);
  drag_container(1, 1);
  expect_unmoved(b, 11, 11);
  EXPECT_TRUE(headless.messages.empty());
}

TEST_F(PushTest, BoulderFillsAPitThatUnitsThenWalkOver) {
  unit_record& me = pusher();
  container_record& b =
      put_container(2, Z, 11, 10, CONTAINER_BOULDER, CONTAINER_BOULDER_STATE, "boulder", 200, 20);
  map[Z][12][10].scenery = SCENERY_PIT;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("The boulder rolls into the pit!"));
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_FILLED_PIT);
  EXPECT_EQ(map[Z][12][10].passable, 1);
  EXPECT_EQ(b.state, CONTAINER_IN_PIT);
  EXPECT_EQ(b.x, 12);
  EXPECT_EQ(me.moves, 200 - 10);  // no weight to pay for
  EXPECT_EQ(me.x, 11);
  clear_occupant(Z, 12, 10);
  EXPECT_EQ(facing_container_type(1, 1), CONTAINER_BOULDER);
  push_container(1, 1);  // no marker there any more: nothing to push
  EXPECT_EQ(b.x, 12);
}

TEST_F(PushTest, ContainerFallsThroughAHoleOrRottenFloorOntoTheLevelBelow) {
  for (bool rotten : {false, true}) {
    fresh_world();
    pusher();
    container_record& k = chest();
    if (rotten)
      put_terrain(Z, 12, 10, TERRAIN_WOODEN_FLOOR, 1);
    else
      map[Z][12][10].scenery = SCENERY_HOLE;
    push_container(1, 1);
    EXPECT_TRUE(
        headless_said(rotten ? "The small chest crashes through the rotten floor and disappears!"
                             : "The small chest rolls into the hole and disappears!"));
    EXPECT_TRUE(k.x == 12 && k.y == 10 && k.z == Z - 1);
    EXPECT_EQ(map[Z][12][10].scenery, SCENERY_HOLE);
    EXPECT_EQ(map[Z][12][10].passable, 1);
    EXPECT_EQ(map[Z - 1][12][10].scenery, SCENERY_CONTAINER);
    EXPECT_EQ(map[Z - 1][12][10].passable, 0);
    EXPECT_EQ(which_container(Z - 1, 12, 10), 2);
  }
  fresh_world();  // rock beneath: the floor holds
  pusher();
  container_record& k = chest();
  put_terrain(Z, 12, 10, TERRAIN_WOODEN_FLOOR, 1);
  put_terrain(Z - 1, 12, 10, TERRAIN_ROCK);
  push_container(1, 1);
  expect_unmoved(k, 12, 10);
}

TEST_F(PushTest, DraggedOntoRottenBoardsItFallsThroughWhereTheUnitStood) {
  pusher();
  container_record& k = chest();
  put_terrain(Z, 10, 10, TERRAIN_WOODEN_FLOOR, 0);
  drag_container(1, 1);
  EXPECT_TRUE(k.x == 10 && k.y == 10 && k.z == Z - 1);
  EXPECT_EQ(map[Z][10][10].scenery, SCENERY_HOLE);
  EXPECT_TRUE(stands(1, 1, Z, 9, 10));
}

TEST_F(PushTest, BurningBarrelGoesOutInAPoolOrInWaterWhenDragged) {
  container_record& b = barrel(CONTAINER_ALIGHT);
  pusher();
  map[Z][12][10].scenery = SCENERY_POOL;
  push_container(1, 1);
  EXPECT_TRUE(headless_said("Fizzzle!"));
  EXPECT_EQ(b.state, CONTAINER_POWDER);
  expect_unmoved(b, 12, 10);

  fresh_world();
  container_record& d = barrel(CONTAINER_ALIGHT);
  pusher();
  environment[Z][11][10].water = 1;
  drag_container(1, 1);
  EXPECT_TRUE(headless_said("Fizzzle!"));
  EXPECT_EQ(d.state, CONTAINER_POWDER);
  expect_unmoved(d, 10, 10);
  EXPECT_TRUE(stands(1, 1, Z, 9, 10));
}

// Into fire or onto lava the barrel is due to go off, its record with it
// for the blast to find; a bridge over the lava keeps it safe.
TEST_F(PushTest, BarrelPushedIntoFireOrOntoLavaIsDueToGoOff) {
  for (int ground : {0, 1, 2}) {  // fire, lava, a bridge over lava
    SCOPED_TRACE(ground);
    fresh_world();
    pusher();
    barrel(CONTAINER_POWDER);
    if (ground == 0) map[Z][12][10].scenery = SCENERY_FIRE;
    if (ground > 0) environment[Z][12][10].lava = 1;
    if (ground == 2) map[Z][12][10].scenery = SCENERY_BRIDGE_EW;
    push_container(1, 1);
    EXPECT_EQ(BARREL_EXPLODE, ground == 2 ? 0 : 1);
    EXPECT_EQ(map[Z][12][10].scenery, ground == 2 ? SCENERY_CONTAINER : SCENERY_BARREL_DUE);
    EXPECT_EQ(which_container(Z, 12, 10), 2);
    EXPECT_EQ(map[Z][11][10].scenery, 0);
    EXPECT_TRUE(stands(1, 1, Z, 11, 10));
  }
}

}  // namespace
