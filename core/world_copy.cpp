#include "core/world_copy.h"

#include <cstring>

void keep_world(world_copy& w) {
  std::memcpy(w.map, map, sizeof map);
  std::memcpy(w.environment, environment, sizeof environment);
  std::memcpy(w.unit, unit, sizeof unit);
  std::memcpy(w.object, object, sizeof object);
  std::memcpy(w.container, container, sizeof container);
  w.current_player = CURRENT_PLAYER;
  w.current_unit = CURRENT_UNIT;
  w.difficulty = DIFFICULTY;
  w.quest = QUEST_NO;
  w.cant_save = CANT_SAVE;
}

std::unique_ptr<world_copy> copy_world() {
  auto w = std::make_unique<world_copy>();
  keep_world(*w);
  return w;
}

bool world_is(const world_copy& w) {
  return std::memcmp(w.map, map, sizeof map) == 0 &&
         std::memcmp(w.environment, environment, sizeof environment) == 0 &&
         std::memcmp(w.unit, unit, sizeof unit) == 0 &&
         std::memcmp(w.object, object, sizeof object) == 0 &&
         std::memcmp(w.container, container, sizeof container) == 0 &&
         w.current_player == CURRENT_PLAYER && w.current_unit == CURRENT_UNIT &&
         w.difficulty == DIFFICULTY && w.quest == QUEST_NO && w.cant_save == CANT_SAVE;
}

void restore_world(const world_copy& w) {
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
