// A copy of the whole world: the tables and the few settings a load replaces.
// A load tries a saved world in the live tables and puts the copy back when
// it breaks a rule; tests use it to tell whether anything changed.
#pragma once

#include <memory>

#include "core/world.h"

struct world_copy {
  map_cell map[LEVELS][LAND_SIZE][LAND_SIZE];
  environment_cell environment[LEVELS][LAND_SIZE][LAND_SIZE];
  unit_record unit[4][UNIT_SLOTS];
  object_record object[OBJECT_SLOTS];
  container_record container[CONTAINER_SLOTS];
  int current_player, current_unit, difficulty, quest, cant_save;
};

// The live world into w (a few megabytes: keep it on the heap).
void keep_world(world_copy& w);
std::unique_ptr<world_copy> copy_world();
// True when the live world is byte for byte the copy.
bool world_is(const world_copy& w);
// Puts the copy back as the live world.
void restore_world(const world_copy& w);
