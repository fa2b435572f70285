#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/actions/events.h"
#include "core/actions/movement.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 4;

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh_world(); }
};

// Floors that give way

TEST_F(EventsTest, HeavyUnitBreaksRottenFloorboards) {
  int broke = 0, jumped = 0;
  for (unsigned seed = 1; seed <= 20; seed++) {
    fresh_world(seed);
    put_unit(1, 1, Z, 10, 10, EAST);
    put_terrain(Z, 11, 10, TERRAIN_WOODEN_FLOOR, 1);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 2000;  // 100 > any roll
    forward(1, 1);
    EXPECT_EQ(map[Z][11][10].scenery, SCENERY_HOLE);
    broke++;
    if (headless_said("You manage to jump out of the way!")) {
      jumped++;
      EXPECT_EQ(unit[1][1].x, 10);
      EXPECT_EQ(unit[1][1].z, Z);
    } else {
      EXPECT_EQ(unit[1][1].z, Z - 1);
    }
  }
  EXPECT_GT(jumped, 0);
  EXPECT_LT(jumped, broke);
}

TEST_F(EventsTest, LightUnitNeverBreaksFloorboards) {
  put_unit(1, 1, Z, 10, 10, EAST);
  give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 1;
  for (int x = 11; x < 40; x++) put_terrain(Z, x, 10, TERRAIN_WOODEN_FLOOR, 1);
  for (int i = 0; i < 29; i++) forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 39);
  EXPECT_EQ(unit[1][1].z, Z);
}

TEST_F(EventsTest, PartyFallsDownAHoleCreaturesAreHeldBack) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  map[Z][11][10].scenery = SCENERY_HOLE;
  forward(1, 1);
  EXPECT_TRUE(headless_said("You fall down the hole!"));
  EXPECT_EQ(unit[1][1].z, Z - 1);
  EXPECT_EQ(unit[1][1].x, 11);
  EXPECT_LE(unit[1][1].health, 19);
  EXPECT_GE(unit[1][1].health, 10);
  EXPECT_EQ(map[Z][11][10].occupant_unit, 0);
  EXPECT_EQ(map[Z][11][10].passable, 1);
  EXPECT_EQ(map[Z - 1][11][10].occupant_unit, 1);
  EXPECT_GE(headless.effects, 1);

  put_unit(2, 1, Z, 20, 10, EAST, 100);
  map[Z][21][10].scenery = SCENERY_HOLE;
  forward(2, 1);  // in, and put back the way it came
  EXPECT_EQ(unit[2][1].x, 20);
  EXPECT_EQ(unit[2][1].z, Z);
  EXPECT_EQ(unit[2][1].health, 20);
  EXPECT_EQ(unit[2][1].moves, 100 - 10 - 15);
  EXPECT_EQ(map[Z][21][10].occupant_player, 0);
  EXPECT_EQ(map[Z][20][10].occupant_player, 2);
}

TEST_F(EventsTest, HoleOverAMineTrackIsRiddenOver) {
  put_unit(1, 1, Z, 10, 10, EAST);
  map[Z][11][10].scenery = SCENERY_HOLE;
  environment[Z][11][10].track = TRACK_EW;
  forward(1, 1);
  EXPECT_EQ(unit[1][1].z, Z);
}

// Pads, pits, quicksand

TEST_F(EventsTest, PressurePadPressedTwiceRestoresTheDoors) {
  put_unit(1, 1, Z, 10, 10, EAST);
  put_terrain(Z, 11, 10, TERRAIN_PRESSURE_PAD, 1);
  auto doors = [] {
    return std::vector<int>{map[Z][9][10].terrain, map[Z][13][10].terrain, map[Z][11][8].terrain,
                            map[Z][11][12].terrain};
  };
  forward(1, 1);
  EXPECT_TRUE(headless_said("You activate the pressure pad."));
  std::vector<int> first = doors();
  EXPECT_EQ(first, (std::vector<int>{16, 16, 17, 17}));
  backward(1, 1);
  forward(1, 1);
  EXPECT_EQ(doors(), (std::vector<int>{17, 17, 16, 16}));
  backward(1, 1);
  forward(1, 1);
  EXPECT_EQ(doors(), first);
}

TEST_F(EventsTest, PadNearTheEdgeTouchesOnlyDoorsOnTheLevel) {
  put_unit(1, 1, Z, 0, 1, NORTH);
  put_terrain(Z, 0, 0, TERRAIN_PRESSURE_PAD, 1);
  forward(1, 1);
  EXPECT_EQ(map[Z][2][0].terrain, TERRAIN_METAL_DOOR_CLOSED);
  EXPECT_EQ(map[Z][0][2].terrain, TERRAIN_METAL_DOOR_OPEN);
}

TEST_F(EventsTest, PitHalvesPointsAndHurtsThePartyButHoldsBackCreatures) {
  put_unit(1, 1, Z, 10, 10, EAST, 50);
  map[Z][11][10].scenery = SCENERY_PIT;
  forward(1, 1);  // 50 - 10 = 40 on arrival
  EXPECT_EQ(unit[1][1].moves, 40 / 2 - 10);
  EXPECT_TRUE(headless_said("OUCH! You fall into a pit trap."));
  EXPECT_GE(unit[1][1].health, 11);

  put_unit(2, 1, Z, 20, 10, WEST, 100);  // backs into the pit
  map[Z][21][10].scenery = SCENERY_PIT;
  backward(2, 1);
  EXPECT_EQ(unit[2][1].x, 20);
  EXPECT_EQ(unit[2][1].health, 20);
  EXPECT_EQ(unit[2][1].moves, 100 - 15 - 10);
}

TEST_F(EventsTest, HeavyLoadSinksIntoQuicksand) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  map[Z][11][10].scenery = SCENERY_QUICKSAND;
  give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 76;
  forward(1, 1);
  EXPECT_TRUE(headless_said("You get stuck in quicksand"));
  EXPECT_EQ(unit[1][1].moves, 70);

  put_unit(2, 1, Z, 20, 10, EAST, 100);
  map[Z][21][10].scenery = SCENERY_QUICKSAND;
  give_item(2, 2, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 76;
  forward(2, 1);
  EXPECT_EQ(unit[2][1].x, 20);
}

// Fire and lava

TEST_F(EventsTest, FireBurnsThePartyButNotSalamanders) {
  put_unit(1, 1, Z, 10, 10, EAST);
  map[Z][11][10].scenery = SCENERY_FIRE;
  forward(1, 1);
  EXPECT_TRUE(headless_said("OUCH! You get burnt."));
  EXPECT_EQ(unit[1][1].x, 11);

  fresh_world();
  unit_record& s = put_unit(1, 1, Z, 10, 10, EAST);
  s.race = 12;
  map[Z][11][10].scenery = SCENERY_FIRE;
  forward(1, 1);
  EXPECT_FALSE(headless_said("OUCH! You get burnt."));
  EXPECT_EQ(s.health, 20);
}

TEST_F(EventsTest, CreatureBackingIntoFireStepsBackAgain) {
  put_unit(1, 1, Z, 40, 40, NORTH);
  put_unit(2, 1, Z, 10, 10, NORTH, 100);
  map[Z][10][11].scenery = SCENERY_FIRE;
  backward(2, 1);
  EXPECT_EQ(unit[2][1].y, 12);  // through the fire and out the other side
  EXPECT_EQ(unit[2][1].health, 20);
}

TEST_F(EventsTest, LavaBurnsBadlyAndPutsThePartyBack) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  environment[Z][11][10].lava = 1;
  forward(1, 1);
  EXPECT_TRUE(headless_said("OUCH! You get badly burnt."));
  EXPECT_EQ(unit[1][1].x, 10);
  EXPECT_LE(unit[1][1].health, 0);
  EXPECT_GE(unit[1][1].health, -9);
  EXPECT_EQ(map[Z][11][10].occupant_unit, 0);
}

TEST_F(EventsTest, BridgeOverLavaIsSafe) {
  put_unit(1, 1, Z, 10, 10, EAST, 100);
  environment[Z][11][10].lava = 1;
  map[Z][11][10].scenery = SCENERY_BRIDGE_EW;
  forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 11);
  EXPECT_EQ(unit[1][1].health, 20);
}

TEST_F(EventsTest, CreatureOnLavaStepsBackUnharmed) {
  put_unit(1, 1, Z, 40, 40, NORTH);
  put_unit(2, 1, Z, 10, 10, EAST, 100);
  environment[Z][11][10].lava = 1;
  forward(2, 1);
  EXPECT_EQ(unit[2][1].x, 10);
  EXPECT_EQ(unit[2][1].health, 20);
}

// Standing on lava and stepping onto more lava must not bounce the unit
// between the two squares for ever.
TEST_F(EventsTest, PutBackOntoAnotherHazardEndsThere) {
  put_unit(1, 1, Z, 10, 10, EAST, 100).health = 100;
  environment[Z][10][10].lava = 1;
  environment[Z][11][10].lava = 1;
  forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 10);
  EXPECT_EQ(map[Z][10][10].occupant_unit, 1);
  EXPECT_EQ(map[Z][11][10].occupant_unit, 0);
  EXPECT_LE(unit[1][1].health, 100 - 40);  // burnt once on each square
}

TEST_F(EventsTest, FireproofBootsWalkOnFire) {
  put_unit(1, 1, Z, 10, 10, EAST);
  object_record& boots = give_item(3, 1, 1, ITEM_WEARABLE, OBJECT_WORN);
  boots.range = SLOT_FEET;
  boots.var1 = 99;
  map[Z][11][10].scenery = SCENERY_FIRE;
  environment[Z][12][10].lava = 1;
  forward(1, 1);
  forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 12);
  EXPECT_EQ(unit[1][1].health, 20);
}

// Blobs and prisoners

TEST_F(EventsTest, BlobsEatSceneryButNotLaddersOrDoors) {
  put_unit(1, 1, Z, 40, 40, NORTH);
  unit_record& blob = put_unit(2, 1, Z, 10, 10, EAST);
  blob.race = 6;
  map[Z][11][10].scenery = SCENERY_MUSHROOMS;
  map[Z][12][10].scenery = SCENERY_LADDER_DOWN;
  put_terrain(Z, 13, 10, TERRAIN_OPEN_DOOR, 1);
  map[Z][13][10].scenery = SCENERY_HERBS;
  forward(2, 1);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  forward(2, 1);
  EXPECT_EQ(map[Z][12][10].scenery, SCENERY_LADDER_DOWN);
  forward(2, 1);
  EXPECT_EQ(map[Z][13][10].scenery, SCENERY_HERBS);
}

TEST_F(EventsTest, StandingBelowAPrisonerFreesIt) {
  put_unit(1, 1, Z, 10, 11, NORTH);
  map[Z][10][9].scenery = SCENERY_PRISONER;
  forward(1, 1);
  ASSERT_EQ(headless.warnings.size(), 1u);
  EXPECT_EQ(headless.warnings[0].lines[0], "THIS IS A PRISONER HERE");
  EXPECT_EQ(headless.warnings[0].lines[2], "HE JOINS YOU PARTY");
  EXPECT_EQ(headless.warnings[0].lines[4], "WELL DONE!");
  EXPECT_EQ(map[Z][10][9].scenery, 0);
  EXPECT_EQ(map[Z][10][9].occupant_player, 1);
  EXPECT_EQ(map[Z][10][9].occupant_unit, 2);
  EXPECT_NE(unit[1][2].status, UNIT_FREE);  // joins in the next free slot
  EXPECT_EQ(unit[1][2].x, 10);
  EXPECT_EQ(unit[1][2].y, 9);
  backward(1, 1);
  forward(1, 1);
  EXPECT_EQ(headless.warnings.size(), 1u);  // freed once
}

// novel_event

TEST_F(EventsTest, WellDropsTheUnitToTheBottomLevel) {
  put_unit(1, 1, 7, 12, 13, NORTH);
  map[7][12][13].scenery = SCENERY_WELL;
  novel_event(1, 1);
  EXPECT_TRUE(headless_said("You fall down the well to the bottom!"));
  EXPECT_EQ(unit[1][1].z, 0);
  EXPECT_EQ(unit[1][1].x, 12);
  EXPECT_EQ(unit[1][1].y, 13);
  EXPECT_EQ(map[7][12][13].occupant_player, 0);
  EXPECT_EQ(map[0][12][13].occupant_unit, 1);
  EXPECT_EQ(map[0][12][13].revealed, 1);
  EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 1);
}

TEST_F(EventsTest, FallersNeverLandOnAUnitOrInRock) {
  // Someone stands at the foot of the well: the faller lands beside them.
  put_unit(2, 5, 0, 12, 13, NORTH);
  put_unit(1, 1, 7, 12, 13, NORTH);
  map[7][12][13].scenery = SCENERY_WELL;
  novel_event(1, 1);
  EXPECT_EQ(unit[1][1].z, 0);
  EXPECT_EQ(std::max(std::abs(unit[1][1].x - 12), std::abs(unit[1][1].y - 13)), 1);
  EXPECT_EQ(map[0][12][13].occupant_player, 2);
  EXPECT_EQ(map[0][12][13].occupant_unit, 5);
  EXPECT_EQ(map[0][unit[1][1].x][unit[1][1].y].occupant_player, 1);
  EXPECT_EQ(map[0][unit[1][1].x][unit[1][1].y].occupant_unit, 1);

  // Solid rock under the hole: the faller comes down on the nearest floor.
  for (int x = 9; x <= 13; x++)
    for (int y = 8; y <= 12; y++) {
      map[Z - 1][x][y].terrain = TERRAIN_ROCK;
      map[Z - 1][x][y].passable = 0;
    }
  put_unit(1, 2, Z, 10, 10, EAST, 100);
  map[Z][11][10].scenery = SCENERY_HOLE;
  forward(1, 2);
  ASSERT_EQ(unit[1][2].z, Z - 1);
  EXPECT_NE(map[Z - 1][unit[1][2].x][unit[1][2].y].terrain, TERRAIN_ROCK);
  EXPECT_EQ(std::max(std::abs(unit[1][2].x - 11), std::abs(unit[1][2].y - 10)), 3);
  EXPECT_EQ(map[Z - 1][unit[1][2].x][unit[1][2].y].occupant_unit, 2);
}

TEST_F(EventsTest, BottomLevelIsLitAndSightComesFromTheLeader) {
  put_unit(1, 1, 0, 10, 10, NORTH).race = 3;  // a rat leads, for the sake of it
  put_unit(1, 2, 0, 12, 10, NORTH).sight = 4;
  CURRENT_UNIT = 2;
  novel_event(1, 2);
  EXPECT_EQ(unit[1][2].sight, 12 - DIFFICULTY);
  EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 1);

  put_unit(1, 3, 5, 10, 10, NORTH).sight = 4;
  CURRENT_UNIT = 3;
  novel_event(1, 3);
  EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 0);
  EXPECT_EQ(unit[1][3].sight, 4);  // no light carried: sight unchanged
}

TEST_F(EventsTest, CarriedLightSetsSightBelowGround) {
  put_unit(1, 1, 5, 10, 10, NORTH).sight = 4;
  give_item(1, 1, 1, ITEM_FAIRY, OBJECT_CARRIED).range = 6;
  novel_event(1, 1);
  EXPECT_EQ(unit[1][1].sight, 6);
  give_item(2, 1, 1, ITEM_TORCH, OBJECT_LIT).range = 8;
  novel_event(1, 1);
  EXPECT_EQ(unit[1][1].sight, 8);  // the torch wins
}

TEST_F(EventsTest, TrapSpringsNineTimesInTenElseClicksAway) {
  int clicks = 0;
  for (unsigned seed = 1; seed <= 60; seed++) {
    fresh_world(seed);
    std::srand(seed);
    bool springs = std::rand() % 100 < 90;
    std::srand(seed);
    put_unit(1, 1, Z, 10, 10, NORTH);
    map[Z][10][10].scenery = SCENERY_HIDDEN_TRAP;
    novel_event(1, 1);
    // A sprung trap leaves its mark (or only clicks, still armed); one that
    // fails to spring clicks and is gone.
    if (!springs) {
      EXPECT_TRUE(headless_said("You hear a click!")) << seed;
    }
    EXPECT_EQ(map[Z][10][10].scenery != 0, springs) << seed;
    EXPECT_EQ(headless.effects, springs ? 1 : 0) << seed;
    if (!springs) clicks++;
  }
  EXPECT_GT(clicks, 0);
}

TEST_F(EventsTest, WebSlowsThePartyAndIsTornByAnyone) {
  put_unit(1, 1, Z, 10, 10, EAST, 50);
  map[Z][11][10].scenery = SCENERY_WEB;
  forward(1, 1);  // 40 on arrival
  EXPECT_EQ(unit[1][1].moves, 10);
  EXPECT_EQ(map[Z][11][10].scenery, 0);
  EXPECT_TRUE(headless_said("You get entangled in the spiders web which slows you down"));

  put_unit(2, 1, Z, 20, 10, EAST, 50);
  map[Z][21][10].scenery = SCENERY_WEB;
  forward(2, 1);
  EXPECT_EQ(unit[2][1].moves, 40);
  EXPECT_EQ(map[Z][21][10].scenery, 0);
}

TEST_F(EventsTest, SecretPassageIsFoundByStandingInIt) {
  put_unit(1, 1, Z, 10, 10, EAST);
  put_terrain(Z, 11, 10, TERRAIN_ROCK, 2);
  map[Z][11][10].scenery = SCENERY_SECRET_HIDDEN;
  forward(1, 1);
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_SECRET_FOUND);
}

}  // namespace
