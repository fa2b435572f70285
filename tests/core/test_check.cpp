// The world checker on a small sound world, then on that world broken by hand
// in one way at a time: each break must be found and named.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/check.h"
#include "core/movecost.h"
#include "tests/core/hand_made_level.h"

namespace {

constexpr int Z = 4;

// Two units, a chest holding a gem, a sword in the leader's hand, a coin on
// the floor, and a ladder up from level Z to Z + 1.
void sound_world() {
  fresh_world();
  // Clearing the world leaves the slots past UNIT_MAX alone.
  for (auto& player : unit)
    for (int u = UNIT_MAX + 1; u < UNIT_SLOTS; u++) player[u] = unit_record{};
  for (int x = 0; x < LAND_SIZE; x++) put_terrain(Z, x, 0, TERRAIN_ROCK);
  put_terrain(Z, 20, 20, TERRAIN_CLOSED_DOOR);
  put_unit(1, 1, Z, 10, 10, NORTH);
  put_unit(2, 7, Z, 12, 10, SOUTH);
  give_item(1, 1, 1, ITEM_WEAPON, OBJECT_WIELDED);

  object_record& coin = object[2];
  coin.status = OBJECT_ON_GROUND;
  coin.type = ITEM_GOLD;
  coin.x = 15, coin.y = 15, coin.z = Z;
  map[Z][15][15].object_count = 1;

  container_record& chest = container[3];
  chest.x = 5, chest.y = 5, chest.z = Z;
  chest.state = CONTAINER_CLOSED;
  chest.type = CONTAINER_SMALL_CHEST;
  copy_text(chest.name, "small chest");
  map[Z][5][5].scenery = SCENERY_CONTAINER;
  object_record& gem = object[4];
  gem.status = OBJECT_CARRIED;
  gem.type = ITEM_GEM;
  gem.owner_player = OWNER_CONTAINER;
  gem.owner_unit = 3;

  map[Z][30][30].scenery = SCENERY_LADDER_UP;
  map[Z + 1][30][30].scenery = SCENERY_LADDER_DOWN;
  for (int z = 0; z < LEVELS; z++) map_movecost(z);
}

class Check : public ::testing::Test {
 protected:
  void TearDown() override { sound_world(); }
};

// Each case spoils the sound world one way; the first break found must be of
// its kind and name the words.
TEST_F(Check, EachBreakIsFoundAndNamed) {
  struct spoil {
    void (*make)();
    world_break kind;
    const char* words;
  };
  const spoil cases[] = {
      {[] { unit[2][7].x = 51; }, BREAK_UNIT_OFF_GRID, "off the grid"},
      {[] { unit[3][UNIT_MAX + 1].status = UNIT_NORMAL; }, BREAK_UNIT_SLOT, "no unit may use"},
      {[] { unit[0][4].status = UNIT_POISONED; }, BREAK_UNIT_SLOT, "0/4"},
      {[] { clear_occupant(Z, 12, 10); }, BREAK_UNIT_NOT_NAMED, "names 0/0"},
      {[] { put_unit(2, 8, Z, 12, 10, NORTH); }, BREAK_UNITS_SHARE, "share (12, 10)"},
      {[] { place_unit(2, 9, Z, 40, 40); }, BREAK_SQUARE_NAMES, "stands nowhere"},
      // Placed twice without leaving the first square.
      {[] { place_unit(2, 7, Z, 41, 41), place_unit(2, 7, Z, 12, 10); }, BREAK_SQUARE_NAMES,
       "(41, 41)"},
      {[] { put_terrain(Z, 12, 10, TERRAIN_ROCK); }, BREAK_UNIT_IN_WALL, "in rock"},
      {[] { put_terrain(Z, 12, 10, TERRAIN_CLOSED_DOOR); }, BREAK_UNIT_IN_WALL, "closed door"},
      {[] { put_terrain(Z, 12, 10, TERRAIN_PILLAR); }, BREAK_UNIT_IN_WALL, "pillar"},
      {[] { unit[1][1].facing = 8; }, BREAK_UNIT_FACING, "faces 8"},
      {[] { unit[1][1].moves = unit[1][1].movement + 1; }, BREAK_UNIT_MOVES, "101 moves"},
      {[] { unit[1][1].damage = 0; }, BREAK_UNIT_DAMAGE, "damage of 0"},
      {[] { unit[2][7].health = -11; }, BREAK_UNIT_HEALTH, "health -11"},
      {[] { unit[2][7].health = -11, unit[2][7].status = UNIT_UNCONSCIOUS; }, BREAK_UNIT_HEALTH,
       "status 33"},
      {[] { object[2].y = -1, map[Z][15][15].object_count = 0; }, BREAK_OBJECT_PLACE,
       "off the grid"},
      {[] { object[2].x = 20, object[2].y = 20, map[Z][15][15].object_count = 0,
            map[Z][20][20].object_count = 1; },
       BREAK_OBJECT_PLACE, "closed door"},
      {[] { map[Z][15][15].object_count = 2; }, BREAK_OBJECT_COUNT,
       "counts 2 objects but 1 lie there"},
      {[] { map[Z][16][15].object_count = 1; }, BREAK_OBJECT_COUNT, "(16, 15)"},
      {[] { unit[1][1].status = UNIT_FREE, remove_unit(1, 1); }, BREAK_OBJECT_OWNER, "a free slot"},
      {[] { object[1].owner_unit = UNIT_MAX + 1; }, BREAK_OBJECT_OWNER, "out of range"},
      {[] { object[4].owner_unit = 4; }, BREAK_OBJECT_OWNER, "which is free"},
      {[] { object[0].status = OBJECT_CARRIED; }, BREAK_OBJECT_OWNER, "slot 0"},
      {[] { map[Z][5][5].scenery = SCENERY_NONE; }, BREAK_CONTAINER_MARKER, "has no marker"},
      {[] { map[Z][6][6].scenery = SCENERY_CONTAINER, map_movecost(Z); }, BREAK_CONTAINER_MARKER,
       "(6, 6) on level 4 has no record"},
      {[] { container[8] = container[3]; }, BREAK_CONTAINER_MARKER, "2 containers"},
      {[] { container[3].facing = -1; }, BREAK_CONTAINER_FACING, "faces -1"},
      {[] { map[Z][5][5].terrain = TERRAIN_CLOSED_DOOR; }, BREAK_DOOR_ON_CHEST,
       "closed over container 3"},
      {[] { map[Z + 1][30][30].scenery = SCENERY_NONE; }, BREAK_LADDER_PAIR,
       "no way down above it"},
      {[] { map[Z + 1][30][30].scenery = SCENERY_TRAPDOOR, map[Z][30][30].scenery = SCENERY_NONE; },
       BREAK_LADDER_PAIR, "no ladder up below it"},
      {[] { map[0][3][3].scenery = SCENERY_LADDER_DOWN; }, BREAK_LADDER_PAIR, "(3, 3) on level 0"},
      {[] { put_terrain(Z, 50, 17, TERRAIN_BUILT_WALL, 1); }, BREAK_WALL_PASSABLE,
       "(50, 17) on level 4"},
      {[] { map[Z][20][20].passable = 1; }, BREAK_WALL_PASSABLE, "closed door at (20, 20)"},
      {[] { map[Z][25][25].passable = 0; }, BREAK_PASSABLE,
       "passable 0 where the move cost gives 1"},
      {[] { map[Z][10][10].passable = 1; }, BREAK_PASSABLE, "(10, 10)"},  // the leader's square
  };
  for (const spoil& c : cases) {
    sound_world();
    c.make();
    world_fault f = find_world_fault(CHECK_AFTER_END_OF_TURN);
    EXPECT_EQ(world_break_name(f.kind), std::string(world_break_name(c.kind))) << c.words;
    EXPECT_NE(f.text.find(c.words), std::string::npos) << f.text;
    EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), f.text);
  }
  // Passable is compared only after the end of a turn.
  sound_world();
  map[Z][25][25].passable = 0;
  EXPECT_EQ(check_world(), "");
}

// What looks like a break but is allowed (after the end of a turn too, where
// the move costs are compared).
TEST_F(Check, SoundWorldsHaveNothingToSay) {
  struct allowed {
    const char* label;
    void (*make)();
    bool after_turn;
  };
  const allowed cases[] = {
      {"as built", [] {}, true},
      {"a unit that climbed out stands nowhere and keeps its things",
       [] { unit[1][1].status = UNIT_GONE, remove_unit(1, 1), map_movecost(Z); }, true},
      {"a secret passage is a wall a unit may stand in",
       [] { put_terrain(Z, 12, 10, TERRAIN_BUILT_WALL), map[Z][12][10].scenery = SCENERY_SECRET_FOUND,
            map_movecost(Z); },
       true},
      {"a secret door in rock may be stepped through",
       [] { put_terrain(Z, 40, 40, TERRAIN_ROCK, 2), map[Z][40][40].scenery = SCENERY_SECRET_HIDDEN; },
       false},
      {"a chest that rolled into a pit lies there unmarked",
       [] { container[3].state = CONTAINER_IN_PIT, map[Z][5][5].scenery = SCENERY_FILLED_PIT,
            map_movecost(Z); },
       true},
      {"climbing onto a square with no ladder leaves a trapdoor",
       [] { map[Z + 1][30][30].scenery = SCENERY_TRAPDOOR; }, true},
      {"the ladder up of the top level is the way out",
       [] { map[LEVELS - 1][3][3].scenery = SCENERY_LADDER_UP; }, true},
  };
  for (const allowed& c : cases) {
    sound_world();
    c.make();
    EXPECT_EQ(check_world(), "") << c.label;
    if (c.after_turn) {
      EXPECT_EQ(check_world(CHECK_AFTER_END_OF_TURN), "") << c.label;
    }
  }
}

TEST_F(Check, TheCheckerWritesNothing) {
  sound_world();
  map[Z][25][25].passable = 0;
  map[Z][26][26].scenery = SCENERY_FIRE;
  environment[Z][26][26].water = 1;
  static map_cell before[LAND_SIZE][LAND_SIZE];
  std::memcpy(before, map[Z], sizeof before);
  find_world_fault(CHECK_AFTER_END_OF_TURN);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      EXPECT_EQ(map[Z][x][y].passable, before[x][y].passable);
      EXPECT_EQ(map[Z][x][y].scenery, before[x][y].scenery);
    }
}

}  // namespace
