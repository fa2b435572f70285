// Builds worlds the way a new game does, quietly, for the generation tests.
#pragma once

#include <cstdlib>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"
#include "generation/dungeon.h"

inline void quiet_world_state(int difficulty) {
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  DIFFICULTY = difficulty;
}

// Every table cleared, the levels open stone floor.
inline void blank_world(int difficulty = 1) {
  quiet_world_state(difficulty);
  nuke_variables();
}

// Starting a game does not clear every field of a free slot, and a world's
// digest reads them all: the tables start as a fresh program holds them.
inline void build_test_world(unsigned seed, int difficulty) {
  for (auto& row : unit)
    for (unit_record& r : row) r = unit_record{};
  for (object_record& o : object) o = object_record{};
  for (container_record& c : container) c = container_record{};
  quiet_world_state(difficulty);
  std::srand(seed);
  build_new_world();
}

// One level of solid rock with nothing on it, marks cleared.
inline void rock_level(int z) {
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      map[z][x][y] = map_cell{};
      map[z][x][y].terrain = TERRAIN_ROCK;
      environment[z][x][y] = environment_cell{};
    }
  }
}

inline void fill_terrain(int z, int x0, int y0, int x1, int y1, int terrain) {
  for (int x = x0; x <= x1; x++)
    for (int y = y0; y <= y1; y++) map[z][x][y].terrain = terrain;
}

inline int count_scenery(int z, int code) {
  int n = 0;
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) n += map[z][x][y].scenery == code;
  return n;
}

// Seeds the generator so that the next rand() % n is wanted.
inline void seed_for_draw(int n, int wanted) {
  for (unsigned s = 1;; s++) {
    std::srand(s);
    if (std::rand() % n == wanted) {
      std::srand(s);
      return;
    }
  }
}
