// A new game, built the same way wherever one is wanted.
#include "core/game/newgame.h"

#include <cstring>
#include <string>

#include "core/actions/events.h"
#include "core/frontend.h"
#include "core/seed.h"
#include "core/start_health.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "generation/character.h"
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

// A game played after another in the same run must not inherit anything of
// it: the reset of initializevariables leaves some fields of the records as
// they were, which a replay started afresh would not have.
static void clear_every_table() {
  std::string leader = unit[1][1].name;
  std::memset(static_cast<void*>(map), 0, sizeof map);
  std::memset(static_cast<void*>(environment), 0, sizeof environment);
  std::memset(static_cast<void*>(unit), 0, sizeof unit);
  std::memset(static_cast<void*>(object), 0, sizeof object);
  std::memset(static_cast<void*>(container), 0, sizeof container);
  copy_text(unit[1][1].name, leader.c_str());
}

void open_new_game() {
  clear_turn_state();
  seed_new_game();
  clear_every_table();
  build_new_world();
  clear_message_box();
  novel_event(CURRENT_PLAYER, CURRENT_UNIT);
  reveal_tiles();
  generate_character();
  note_every_start_health();
}
