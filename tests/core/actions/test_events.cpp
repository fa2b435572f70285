#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/actions/events.h"
#include "core/actions/movement.h"
#include "tests/core/actions/action_checks.h"

namespace {

constexpr int Z = 4;

using EventsTest = FreshWorldTest;

TEST_F(EventsTest, HeavyUnitBreaksRottenFloorboards) {
  int jumped = 0;
  for (unsigned seed = 1; seed <= 20; seed++) {
    fresh_world(seed);
    put_unit(1, 1, Z, 10, 10, EAST);
    put_terrain(Z, 11, 10, TERRAIN_WOODEN_FLOOR, 1);
    give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 2000;  // 100 > any roll
    forward(1, 1);
    EXPECT_EQ(map[Z][11][10].scenery, SCENERY_HOLE);
    bool out = headless_said("You manage to jump out of the way!");
    jumped += out;
    EXPECT_EQ(unit[1][1].z, out ? Z : Z - 1) << seed;
    EXPECT_EQ(unit[1][1].x, out ? 10 : 11) << seed;
  }
  EXPECT_GT(jumped, 0);
  EXPECT_LT(jumped, 20);
}

TEST_F(EventsTest, LightUnitNeverBreaksFloorboards) {
  put_unit(1, 1, Z, 10, 10, EAST);
  give_item(1, 1, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = 1;
  for (int x = 11; x < 40; x++) put_terrain(Z, x, 10, TERRAIN_WOODEN_FLOOR, 1);
  for (int i = 0; i < 29; i++) forward(1, 1);
  EXPECT_TRUE(stands(1, 1, Z, 39, 10));
}

// One step onto a square of trouble, by the party or by a creature: the
// unit starts at (10, 10) and steps east onto (11, 10), forward facing east
// or backward facing west.
struct step_case {
  const char* what;
  int player = 1, race = 0, scenery = 0, lava = 0, track = 0, weight = 0;
  bool back = false;
  int moves = 100;
  int x = -1, z = Z;  // where it ends (x -1: not pinned)
  int moves_after = -1;
  int health_lo = 20, health_hi = 20;
  int scenery_after = -1;
  const char* said = nullptr;
};

TEST_F(EventsTest, StepOntoTroubleHurtsThePartyAndHoldsBackCreatures) {
  // clang-format off
  const step_case cases[] = {
      {.what = "hole", .scenery = SCENERY_HOLE, .x = 11, .z = Z - 1, .health_lo = 10,
       .health_hi = 19, .said = "You fall down the hole!"},
      {.what = "hole, creature", .player = 2, .scenery = SCENERY_HOLE, .x = 10,
       .moves_after = 100 - 10 - 15},
      {.what = "hole over a track", .scenery = SCENERY_HOLE, .track = TRACK_EW, .x = 11},
      {.what = "pit", .scenery = SCENERY_PIT, .moves = 50, .x = 11, .moves_after = 40 / 2 - 10,
       .health_lo = 11, .said = "OUCH! You fall into a pit trap."},
      {.what = "pit, creature backing", .player = 2, .scenery = SCENERY_PIT, .back = true,
       .x = 10, .moves_after = 100 - 15 - 10},
      {.what = "quicksand", .scenery = SCENERY_QUICKSAND, .weight = 76, .moves_after = 70,
       .said = "You get stuck in quicksand"},
      {.what = "quicksand, creature", .player = 2, .scenery = SCENERY_QUICKSAND, .weight = 76,
       .x = 10},
      {.what = "fire", .scenery = SCENERY_FIRE, .x = 11, .health_lo = -100, .health_hi = 19,
       .said = "OUCH! You get burnt."},
      {.what = "fire, salamander", .race = 12, .scenery = SCENERY_FIRE, .x = 11},
      // Through the fire and out the other side.
      {.what = "fire, creature backing", .player = 2, .scenery = SCENERY_FIRE, .back = true,
       .x = 12},
      {.what = "lava", .lava = 1, .x = 10, .health_lo = -9, .health_hi = 0,
       .said = "OUCH! You get badly burnt."},
      {.what = "lava, creature", .player = 2, .lava = 1, .x = 10},
      {.what = "bridge over lava", .scenery = SCENERY_BRIDGE_EW, .lava = 1, .x = 11},
      {.what = "web", .scenery = SCENERY_WEB, .moves = 50, .x = 11, .moves_after = 10,
       .scenery_after = 0, .said = "You get entangled in the spiders web which slows you down"},
      {.what = "web, creature", .player = 2, .scenery = SCENERY_WEB, .moves = 50, .x = 11,
       .moves_after = 40, .scenery_after = 0},
  };
  // clang-format on
  for (const step_case& c : cases) {
    SCOPED_TRACE(c.what);
    fresh_world();
    if (c.player != 1) put_unit(1, 1, Z, 40, 40, NORTH);
    unit_record& u = put_unit(c.player, 1, Z, 10, 10, c.back ? WEST : EAST, c.moves);
    u.race = c.race;
    if (c.weight) give_item(1, c.player, 1, ITEM_WEAPON, OBJECT_CARRIED).weight = c.weight;
    map[Z][11][10].scenery = c.scenery;
    environment[Z][11][10].lava = c.lava;
    environment[Z][11][10].track = c.track;
    (c.back ? backward : forward)(c.player, 1);
    EXPECT_TRUE(c.x < 0 || u.x == c.x) << u.x;
    EXPECT_EQ(u.z, c.z);
    EXPECT_TRUE(c.moves_after < 0 || u.moves == c.moves_after) << u.moves;
    EXPECT_GE(u.health, c.health_lo);
    EXPECT_LE(u.health, c.health_hi);
    EXPECT_TRUE(c.scenery_after < 0 || map[Z][11][10].scenery == c.scenery_after);
    EXPECT_TRUE(!c.said || headless_said(c.said));
    // Wherever it ends, it holds that square and no other.
    EXPECT_TRUE(stands(c.player, 1, u.z, u.x, u.y));
    EXPECT_TRUE((u.z == Z && u.x == 11) || map[Z][11][10].occupant_player == 0);
    EXPECT_TRUE((u.z == Z && u.x == 10) || map[Z][10][10].occupant_player == 0);
  }
}

TEST_F(EventsTest, PressurePadPressedTwiceRestoresTheDoors) {
  put_unit(1, 1, Z, 10, 10, EAST);
  put_terrain(Z, 11, 10, TERRAIN_PRESSURE_PAD, 1);
  for (std::vector<int> want :
       {std::vector<int>{16, 16, 17, 17}, {17, 17, 16, 16}, {16, 16, 17, 17}}) {
    forward(1, 1);
    EXPECT_EQ(want, (std::vector<int>{map[Z][9][10].terrain, map[Z][13][10].terrain,
                                      map[Z][11][8].terrain, map[Z][11][12].terrain}));
    backward(1, 1);
  }
  EXPECT_TRUE(headless_said("You activate the pressure pad."));
}

TEST_F(EventsTest, PadNearTheEdgeTouchesOnlyDoorsOnTheLevel) {
  put_unit(1, 1, Z, 0, 1, NORTH);
  put_terrain(Z, 0, 0, TERRAIN_PRESSURE_PAD, 1);
  forward(1, 1);
  EXPECT_EQ(map[Z][2][0].terrain, TERRAIN_METAL_DOOR_CLOSED);
  EXPECT_EQ(map[Z][0][2].terrain, TERRAIN_METAL_DOOR_OPEN);
}

// Lava to lava must not bounce the unit between the two for ever.
TEST_F(EventsTest, PutBackOntoAnotherHazardEndsThere) {
  put_unit(1, 1, Z, 10, 10, EAST, 100).health = 100;
  environment[Z][10][10].lava = 1;
  environment[Z][11][10].lava = 1;
  forward(1, 1);
  EXPECT_TRUE(stands(1, 1, Z, 10, 10));
  EXPECT_EQ(map[Z][11][10].occupant_unit, 0);
  EXPECT_LE(unit[1][1].health, 100 - 40);  // burnt once on each square
}

TEST_F(EventsTest, BurntPastDeathTheUnitDies) {
  put_unit(1, 1, Z, 40, 40, NORTH);
  put_unit(1, 2, Z, 10, 10, EAST, 100).health = 5;
  CURRENT_PLAYER = 1, CURRENT_UNIT = 2;
  give_item(3, 1, 2, ITEM_WEAPON, OBJECT_CARRIED);
  environment[Z][11][10].lava = 1;
  forward(1, 2);
  EXPECT_EQ(unit[1][2].status, UNIT_FREE);
  EXPECT_EQ(map[Z][10][10].occupant_unit, 0);
  EXPECT_EQ(object[3].status, OBJECT_ON_GROUND);
}

TEST_F(EventsTest, FireproofBootsWalkOnFire) {
  put_unit(1, 1, Z, 10, 10, EAST);
  give_item(3, 1, 1, ITEM_WEARABLE, OBJECT_WORN).var1 = 99;
  object[3].range = SLOT_FEET;
  map[Z][11][10].scenery = SCENERY_FIRE;
  environment[Z][12][10].lava = 1;
  forward(1, 1), forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 12);
  EXPECT_EQ(unit[1][1].health, 20);
}

TEST_F(EventsTest, BlobsEatSceneryButNotLaddersOrDoors) {
  put_unit(1, 1, Z, 40, 40, NORTH);
  put_unit(2, 1, Z, 10, 10, EAST).race = 6;
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
  EXPECT_EQ(headless.warnings[0].lines[2], "HE JOINS YOU PARTY");
  EXPECT_EQ(map[Z][10][9].scenery, 0);
  // It joins in the next free slot, on its own square.
  EXPECT_EQ(map[Z][10][9].occupant_player, 1);
  EXPECT_EQ(map[Z][10][9].occupant_unit, 2);
  EXPECT_NE(unit[1][2].status, UNIT_FREE);
  EXPECT_EQ(unit[1][2].x, 10);
  EXPECT_EQ(unit[1][2].y, 9);
  backward(1, 1), forward(1, 1);
  EXPECT_EQ(headless.warnings.size(), 1u);  // freed once
}

// A faller never lands on a unit or on rock, but beside.
TEST_F(EventsTest, WellDropsTheUnitToTheBottomLevelNeverOntoAUnitOrRock) {
  for (bool someone : {false, true}) {
    fresh_world();
    if (someone) put_unit(2, 5, 0, 12, 13, NORTH);
    put_unit(1, 1, 7, 12, 13, NORTH);
    map[7][12][13].scenery = SCENERY_WELL;
    novel_event(1, 1);
    EXPECT_TRUE(headless_said("You fall down the well to the bottom!"));
    const unit_record& u = unit[1][1];
    EXPECT_TRUE(stands(1, 1, 0, u.x, u.y));
    EXPECT_EQ(std::max(std::abs(u.x - 12), std::abs(u.y - 13)), someone ? 1 : 0);
    EXPECT_TRUE(!someone || stands(2, 5, 0, 12, 13));
    EXPECT_EQ(map[7][12][13].occupant_player, 0);
    EXPECT_EQ(map[0][u.x][u.y].revealed, 1);
    EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 1);
  }

  for (int x = 9; x <= 13; x++)
    for (int y = 8; y <= 12; y++) put_terrain(Z - 1, x, y, TERRAIN_ROCK);
  const unit_record& u = put_unit(1, 2, Z, 10, 10, EAST, 100);
  map[Z][11][10].scenery = SCENERY_HOLE;
  forward(1, 2);
  EXPECT_TRUE(stands(1, 2, Z - 1, u.x, u.y));
  EXPECT_NE(map[Z - 1][u.x][u.y].terrain, TERRAIN_ROCK);
  EXPECT_EQ(std::max(std::abs(u.x - 11), std::abs(u.y - 10)), 3);
}

TEST_F(EventsTest, SightIsTheBottomLevelsLightElseTheBrightestCarried) {
  put_unit(1, 1, 0, 10, 10, NORTH).race = 3;  // a rat leads, for the sake of it
  put_unit(1, 2, 0, 12, 10, NORTH).sight = 4;
  CURRENT_UNIT = 2;
  novel_event(1, 2);
  EXPECT_EQ(unit[1][2].sight, 12 - DIFFICULTY);
  EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 1);

  put_unit(1, 3, 5, 10, 10, NORTH).sight = 4;
  CURRENT_UNIT = 3;
  for (int light : {4, 6, 8}) {  // none (sight kept), a fairy, and a torch that outshines it
    if (light == 6) give_item(1, 1, 3, ITEM_FAIRY, OBJECT_CARRIED).range = 6;
    if (light == 8) give_item(2, 1, 3, ITEM_TORCH, OBJECT_LIT).range = 8;
    novel_event(1, 3);
    EXPECT_EQ(unit[1][3].sight, light);
    EXPECT_EQ(IS_GLOBAL_LIGHTING_ON, 0);
  }
}

TEST_F(EventsTest, TrapSpringsNineTimesInTenElseClicksAway) {
  int clicks = 0;
  for (unsigned seed = 1; seed <= 60; seed++) {
    fresh_world(seed);
    bool springs = draws_for(seed, 1)[0] % 100 < 90;
    put_unit(1, 1, Z, 10, 10, NORTH);
    map[Z][10][10].scenery = SCENERY_HIDDEN_TRAP;
    novel_event(1, 1);
    // Sprung, it leaves its mark (or clicks, still armed); else it clicks and is gone.
    EXPECT_TRUE(springs || headless_said("You hear a click!")) << seed;
    EXPECT_EQ(map[Z][10][10].scenery != 0, springs) << seed;
    EXPECT_EQ(headless.effects, springs ? 1 : 0) << seed;
    clicks += !springs;
  }
  EXPECT_GT(clicks, 0);
}

TEST_F(EventsTest, SecretPassageIsFoundByStandingInIt) {
  put_unit(1, 1, Z, 10, 10, EAST);
  put_terrain(Z, 11, 10, TERRAIN_ROCK, 2);
  map[Z][11][10].scenery = SCENERY_SECRET_HIDDEN;
  forward(1, 1);
  EXPECT_EQ(unit[1][1].x, 11);
  EXPECT_EQ(map[Z][11][10].scenery, SCENERY_SECRET_FOUND);
}

}  // namespace
