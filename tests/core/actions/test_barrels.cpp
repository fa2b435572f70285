#include <gtest/gtest.h>

#include "core/actions/barrels.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 5;

class BarrelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    put_unit(1, 1, Z, 30, 30, NORTH);  // the acting unit, well away
  }

  container_record& barrel(int c, int x, int y) {
    return put_container(c, Z, x, y, CONTAINER_BARREL, CONTAINER_POWDER, "gunpowder barrel", 200);
  }

  int booms() const {
    int n = 0;
    for (const std::string& m : headless.messages) n += m == "BOOOM!";
    return n;
  }
};

TEST_F(BarrelsTest, BarrelIsDestroyedAndItsSquareOpensOrCavesIn) {
  for (bool caves : {false, true}) {
    barrel(3, 10, 10);
    // One blast in five brings the roof down on the barrel's square.
    std::srand(seed_where(1, [&](const std::vector<int>& d) { return (d[0] % 10 < 2) == caves; }));
    barrel_explode(10, 10, Z);
    EXPECT_TRUE(headless_said("BOOOM!"));
    EXPECT_EQ(container[3].state, CONTAINER_FREE) << caves;
    EXPECT_EQ(which_container(Z, 10, 10), 0);
    EXPECT_EQ(map[Z][10][10].scenery, caves ? SCENERY_RUBBLE : 0) << caves;
    EXPECT_EQ(map[Z][10][10].passable, caves ? 0 : 1) << caves;
  }
}

// The blast hurts everyone within one square, of any side, and no further;
// a barrel beside it is not set off.
TEST_F(BarrelsTest, BlastHurtsItsNeighboursButNotTheBarrelBeside) {
  barrel(3, 10, 10);
  barrel(4, 11, 10);
  unit_record& a = put_unit(2, 5, Z, 10, 11, NORTH);
  unit_record& b = put_unit(3, 2, Z, 9, 9, NORTH);
  unit_record& far = put_unit(2, 2, Z, 12, 10, NORTH);
  a.health = b.health = far.health = 100;
  unit_record& v = put_unit(2, 7, Z, 10, 9, NORTH);
  v.health = 0;  // any blast takes at least 10
  barrel_explode(10, 10, Z);
  EXPECT_EQ(booms(), 1);
  EXPECT_EQ(container[4].state, CONTAINER_POWDER);
  // The survivor keeps its marker, so it stays where it is seen.
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_CONTAINER);
  EXPECT_EQ(map[Z][11][10].passable, 0);
  EXPECT_LE(a.health, 90);
  EXPECT_GE(a.health, 51);
  EXPECT_LT(b.health, 100);
  EXPECT_EQ(far.health, 100);
  // The killed fall as to a blow: the square freed, a corpse left on it.
  EXPECT_EQ(v.status, UNIT_FREE);
  EXPECT_TRUE(vacant(Z, 10, 9));
  EXPECT_GE(map[Z][10][9].object_count, 1);
}

TEST_F(BarrelsTest, DiagonalBarrelsGoUpInAChain) {
  barrel(3, 10, 10);
  barrel(4, 11, 11);
  barrel(5, 12, 12);
  barrel(6, 12, 11);  // beside the second and the third, diagonal to neither
  barrel_explode(10, 10, Z);
  EXPECT_EQ(booms(), 3);
  for (int c : {3, 4, 5}) EXPECT_EQ(container[c].state, CONTAINER_FREE) << c;
  EXPECT_EQ(container[6].state, CONTAINER_POWDER);
}

TEST_F(BarrelsTest, BlastBreaksDoorsLightsOilAndSweepsTheRestAway) {
  barrel(3, 10, 10);
  put_terrain(Z, 9, 10, TERRAIN_CLOSED_DOOR);
  map[Z][9][10].scenery = SCENERY_CELL_DOOR;
  map[Z][11][10].scenery = SCENERY_OIL;
  map[Z][10][11].scenery = SCENERY_WEB;
  map[Z][11][11].scenery = SCENERY_STATUE;
  map[Z][11][11].passable = 0;
  map[Z][9][11].scenery = SCENERY_LADDER_UP;
  map[Z][12][10].scenery = SCENERY_OIL;  // out of reach
  barrel_explode(10, 10, Z);
  EXPECT_EQ(map[Z][9][10].terrain, TERRAIN_SMASHED_DOOR);
  EXPECT_EQ(map[Z][9][10].scenery, 0);  // a broken cell door keeps no lock
  EXPECT_EQ(map[Z][9][10].passable, 1);
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_FIRE);
  EXPECT_EQ(map[Z][10][11].scenery, 0);
  EXPECT_EQ(map[Z][11][11].scenery, 0);
  EXPECT_EQ(map[Z][11][11].passable, 1);
  EXPECT_EQ(map[Z][9][11].scenery, SCENERY_LADDER_UP);  // the way up survives
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_OIL);
}

TEST_F(BarrelsTest, BlastAtTheLevelEdgeStaysOnTheGrid) {
  barrel(3, 0, 0);
  barrel(4, 1, 1);
  barrel_explode(0, 0, Z);
  EXPECT_EQ(booms(), 2);
}

TEST_F(BarrelsTest, ActingUnitSeesOnlyNearbyBlasts) {
  barrel(3, 26, 26);  // 4 squares from the unit at (30, 30)
  barrel_explode(26, 26, Z);
  EXPECT_EQ(headless.effects, 1);
  barrel(4, 25, 30);  // 5 squares away in x
  barrel_explode(25, 30, Z);
  EXPECT_EQ(headless.effects, 1);
}

TEST_F(BarrelsTest, CheckExplodesOnlyTheMarkedBarrelsOfTheLevel) {
  container_record& other = barrel(5, 10, 10);
  other.z = Z + 1;  // the same square a level up
  map[Z + 1][10][10].scenery = SCENERY_BARREL_DUE;
  barrel(3, 10, 10);
  barrel(4, 20, 20);
  map[Z][10][10].scenery = SCENERY_BARREL_DUE;
  map_barrelcheck(Z);
  EXPECT_EQ(booms(), 1);
  EXPECT_EQ(container[3].state, CONTAINER_FREE);
  EXPECT_EQ(container[4].state, CONTAINER_POWDER);
  EXPECT_EQ(container[5].state, CONTAINER_POWDER);
  EXPECT_EQ(map[Z + 1][10][10].scenery, SCENERY_BARREL_DUE);
}

}  // namespace
