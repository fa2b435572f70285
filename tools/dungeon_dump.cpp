// Builds the world the game would build after srand(seed) and prints it.
//
//   dungeon_dump --seed S --difficulty D          every level and a summary line each
//   dungeon_dump --seed S --difficulty D --reach  the same, and whether each level's
//                                                 way up can be walked to
//   dungeon_dump --seed S --seeds N [--difficulty D|0]
//                                                 N seeds from S, no maps: the share of
//                                                 reachable levels (difficulty 0: all three)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"
#include "generation/ascii.h"
#include "generation/reach.h"

static void build_world(unsigned seed, int difficulty) {
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  DIFFICULTY = difficulty;
  std::srand(seed);
  build_new_world();
}

static void count_level(int z, int& up, int& down, int& monsters, int& objects, int& containers) {
  up = down = monsters = objects = containers = 0;
  for (int x = 0; x < LAND_SIZE; x++) {
    for (int y = 0; y < LAND_SIZE; y++) {
      if (map[z][x][y].scenery == SCENERY_LADDER_UP) up++;
      if (map[z][x][y].scenery == SCENERY_LADDER_DOWN) down++;
    }
  }
  for (int p = 2; p < 4; p++)
    for (int u = 1; u <= UNIT_MAX; u++)
      if (unit[p][u].status != UNIT_FREE && unit[p][u].z == z) monsters++;
  for (int i = 1; i < OBJECT_SLOTS; i++)
    if (object[i].status == OBJECT_ON_GROUND && object[i].z == z) objects++;
  for (int c = 1; c < CONTAINER_SLOTS; c++)
    if (container[c].state != CONTAINER_FREE && container[c].z == z) containers++;
}

static void print_world(bool reach) {
  std::printf("%s", ascii_legend());
  for (int z = LEVELS - 1; z >= 0; z--) {
    std::printf("\nLvl %d ", z);
    ascii_level(z);
  }
  std::printf("\n");
  for (int z = 0; z < LEVELS; z++) {
    int up, down, monsters, objects, containers;
    count_level(z, up, down, monsters, objects, containers);
    std::printf(
        "level %d type %d ladders_up %d ladders_down %d monsters %d objects %d containers %d\n", z,
        environment[z][0][0].gas, up, down, monsters, objects, containers);
  }
  if (!reach) return;
  for (int z = 0; z < LEVELS; z++)
    std::printf("reach level %d arrivals %d from_every %s from_any %s\n", z, arrival_count(z),
                level_reachable(z) ? "yes" : "no", level_reachable_from_any(z) ? "yes" : "no");
  std::printf("reach world %s\n", world_completable() ? "yes" : "no");
}

static void sweep(unsigned first, int count, int difficulty) {
  long levels = 0, every = 0, any = 0, worlds = 0, completable = 0;
  double ms = 0;
  for (int i = 0; i < count; i++) {
    for (int d = 1; d <= 3; d++) {
      if (difficulty != 0 && d != difficulty) continue;
      auto t0 = std::chrono::steady_clock::now();
      build_world(first + i, d);
      ms +=
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
      worlds++;
      completable += world_completable();
      for (int z = 0; z < LEVELS; z++) {
        levels++;
        every += level_reachable(z);
        any += level_reachable_from_any(z);
      }
    }
  }
  std::printf("worlds %ld levels %ld\n", worlds, levels);
  std::printf("reachable_from_every_arrival %.4f\n", levels ? double(every) / levels : 0.0);
  std::printf("reachable_from_some_arrival %.4f\n", levels ? double(any) / levels : 0.0);
  std::printf("worlds_completable %.4f\n", worlds ? double(completable) / worlds : 0.0);
  std::printf("build_ms_mean %.3f\n", worlds ? ms / worlds : 0.0);
}

int main(int argc, char** argv) {
  unsigned seed = 1;
  int difficulty = 1, seeds = 0;
  bool reach = false;
  for (int i = 1; i < argc; i++) {
    if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
      seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else if (!std::strcmp(argv[i], "--difficulty") && i + 1 < argc)
      difficulty = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--seeds") && i + 1 < argc)
      seeds = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--reach"))
      reach = true;
    else {
      std::fprintf(stderr, "usage: dungeon_dump --seed S --difficulty D [--reach] [--seeds N]\n");
      return 2;
    }
  }
  if (difficulty < 0 || difficulty > 3 || (difficulty == 0 && seeds == 0)) {
    std::fprintf(stderr, "difficulty must be 1, 2 or 3 (0 for all three with --seeds)\n");
    return 2;
  }
  if (seeds > 0) {
    sweep(seed, seeds, difficulty);
    return 0;
  }
  build_world(seed, difficulty);
  print_world(reach);
  return 0;
}
