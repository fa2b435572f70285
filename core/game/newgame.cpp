// A new game, built the same way wherever one is wanted.
#include "core/game/newgame.h"

#include "core/world.h"
#include "generation/dungeon.h"
#include "generation/populate.h"
#include "generation/start.h"

void initializevariables() {
  nuke_variables();
  generate_world();
}

void build_new_world() {
  initializevariables();
  test_map_init();
  assign_containers();
}
