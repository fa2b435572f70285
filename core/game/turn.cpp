// The turn cycle: play passes from unit to unit of the party, and when none
// has points left the creatures move and the world grows one turn older.
#include "core/game/turn.h"

#include <cstdio>
#include <cstdlib>

#include "core/actions/barrels.h"
#include "core/frontend.h"
#include "core/actions/movement.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/ai/ai.h"
#include "creatures/monsters.h"
#include "creatures/sight.h"
#include "items/destroy.h"
#include "items/inventory.h"

static void spawn_from_nests(int z) {
  for (int x = 0; x < 50; x++) {
    for (int y = 0; y < 50; y++) {
      if (map[z][x][y].scenery != SCENERY_NEST || map[z][x][y].occupant_player != 0) continue;
      if (std::rand() % 6 == 0) create_monster(2, next_free_unit(2), z, x, y, 5);
    }
  }
}

static void age_party_unit(int i) {
  unit_record& u = unit[CURRENT_PLAYER][i];
  char text[128];
  if (u.status == UNIT_POISONED) {
    u.health = u.health - u.health / 10 - 1;
    if (u.health < 1) u.health = 1;
    std::snprintf(text, sizeof text, "%s is poisioned.", u.name);
    message_box(text);
    if (std::rand() % 10 == 0) {
      std::snprintf(text, sizeof text, "%s is cured of poision.", u.name);
      message_box(text);
      u.status = UNIT_NORMAL;
    }
  }
  int torch = carry_lit_torch(CURRENT_PLAYER, i);
  if (torch > 0) {
    object_record& t = object[torch];
    t.var1--;
    if (t.var1 >= 1 && t.var1 <= 4) {
      std::snprintf(text, sizeof text, "%s's torch splutters and fizzles", u.name);
      message_box(text);
    } else if (t.var1 < 1) {
      std::snprintf(text, sizeof text, "%s's torch goes out", u.name);
      message_box(text);
      t.status = OBJECT_CARRIED;
      assign_icon(0, CURRENT_PLAYER, torch, 0);
      copy_text(t.name, "Torch (burnt out)");
      destroy_object(torch);
    }
  }
}

static void decay_corpses() {
  for (int i = 1; i < MAX_OBJECTS; i++) {
    object_record& o = object[i];
    if (o.type != ITEM_CORPSE) continue;
    if (o.status == OBJECT_ON_GROUND) o.var1--;
    if (o.status != OBJECT_FREE && o.var1 < 1) destroy_object(i);
  }
}

void end_turn() {
  recorded_command command("end_turn", {});
  REPLAY_TURN++;
  message_box("PLAYER TURN ENDED");
  END_TURN = 1;
  creature_turn_banner();
  if (DEBUG_MODE > 0) std::printf("\n OPM");
  otherplayermove();
  if (DEBUG_MODE > 0) std::printf("\n OPM end");
  if (gameover == GAME_OVER) return;

  for (int z = 0; z < LEVELS; z++) {
    spawn_from_nests(z);
    map_barrelcheck(z);
    map_movecost(z);
  }
  if (DEBUG_MODE > 0) std::printf("\n OPM pass");

  CURRENT_PLAYER = 1;
  reveal_tiles();
  UPDATE_MAP = 1;
  rest_ms(50);

  for (int i = 1; i <= UNIT_MAX; i++) age_party_unit(i);
  decay_corpses();
  if (DEBUG_MODE > 0) std::printf("\n OPM end2");

  if (unit[CURRENT_PLAYER][CURRENT_UNIT].z == 10 && FOUND_EXIT >= 1) {
    FOUND_EXIT++;
    if (FOUND_EXIT >= 4) {
      FOUND_EXIT = 1;
      // The guard comes in at the middle of the level, which may be rock or
      // taken: then at the nearest open square, and not at all if none is near.
      int x = 25, y = 25;
      if (unit_may_stand(10, x, y) || nearest_open_square(10, x, y))
        create_monster(2, next_free_unit(2), 10, x, y, 2);
    }
  }
  if (CANT_SAVE > 0) CANT_SAVE--;

  message_box("TURN STARTED");
  END_TURN = 0;
  map_movecost(unit[CURRENT_PLAYER][CURRENT_UNIT].z);
  refresh_movement(CURRENT_PLAYER);
  if (DEBUG_MODE > 0) std::printf("\n OPM return call");
}
