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

// Calls part(live, kept, bytes) for each table and global of the world.
template <typename Part>
void each_world_part(world_copy& w, Part part) {
  part(map, w.map, sizeof map);
  part(environment, w.environment, sizeof environment);
  part(unit, w.unit, sizeof unit);
  part(object, w.object, sizeof object);
  part(container, w.container, sizeof container);
  part(&CURRENT_PLAYER, &w.current_player, sizeof(int));
  part(&CURRENT_UNIT, &w.current_unit, sizeof(int));
  part(&DIFFICULTY, &w.difficulty, sizeof(int));
  part(&QUEST_NO, &w.quest, sizeof(int));
  part(&CANT_SAVE, &w.cant_save, sizeof(int));
}

inline std::unique_ptr<world_copy> copy_world() {
  auto w = std::make_unique<world_copy>();
  each_world_part(*w, [](void* live, void* kept, std::size_t n) { std::memcpy(kept, live, n); });
  return w;
}

// True when the live world is byte for byte the copy.
inline bool world_is(const world_copy& w) {
  bool same = true;
  each_world_part(const_cast<world_copy&>(w), [&](void* live, void* kept, std::size_t n) {
    same = same && std::memcmp(live, kept, n) == 0;
  });
  return same;
}

// Puts the copy back as the live world.
inline void restore_world(const world_copy& w) {
  each_world_part(const_cast<world_copy&>(w),
                  [](void* live, void* kept, std::size_t n) { std::memcpy(live, kept, n); });
}
