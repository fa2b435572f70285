// A copy of the whole world, to tell whether a load changed anything and to
// put the world back afterwards.  Shared by the tests and the fuzzer.
#pragma once

#include <cstring>
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

inline std::unique_ptr<world_copy> copy_world() {
  auto w = std::make_unique<world_copy>();
  std::memcpy(w->map, map, sizeof map);
  std::memcpy(w->environment, environment, sizeof environment);
  std::memcpy(w->unit, unit, sizeof unit);
  std::memcpy(w->object, object, sizeof object);
  std::memcpy(w->container, container, sizeof container);
  w->current_player = CURRENT_PLAYER;
  w->current_unit = CURRENT_UNIT;
  w->difficulty = DIFFICULTY;
  w->quest = QUEST_NO;
  w->cant_save = CANT_SAVE;
  return w;
}

// True when the live world is byte for byte the copy.
inline bool world_is(const world_copy& w) {
  return std::memcmp(w.map, map, sizeof map) == 0 &&
         std::memcmp(w.environment, environment, sizeof environment) == 0 &&
         std::memcmp(w.unit, unit, sizeof unit) == 0 &&
         std::memcmp(w.object, object, sizeof object) == 0 &&
         std::memcmp(w.container, container, sizeof container) == 0 &&
         w.current_player == CURRENT_PLAYER && w.current_unit == CURRENT_UNIT &&
         w.difficulty == DIFFICULTY && w.quest == QUEST_NO && w.cant_save == CANT_SAVE;
}

// Puts the copy back as the live world.
inline void restore_world(const world_copy& w) {
  std::memcpy(map, w.map, sizeof map);
  std::memcpy(environment, w.environment, sizeof environment);
  std::memcpy(unit, w.unit, sizeof unit);
  std::memcpy(object, w.object, sizeof object);
  std::memcpy(container, w.container, sizeof container);
  CURRENT_PLAYER = w.current_player;
  CURRENT_UNIT = w.current_unit;
  DIFFICULTY = w.difficulty;
  QUEST_NO = w.quest;
  CANT_SAVE = w.cant_save;
}
