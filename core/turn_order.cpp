// Who acts next: play passes from unit to unit of the party, and every unit's
// points come back at the start of a turn.
#include "core/turn_order.h"

#include <cstdio>

#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"

static bool may_act(const unit_record& u) {
  return (u.status == UNIT_NORMAL || u.status == UNIT_POISONED) && u.moves > 0;
}

void next_unit() {
  recorded_command command("next_unit", {});
  unit_record& acting = unit[CURRENT_PLAYER][CURRENT_UNIT];
  // The dead and the departed have left their square; it stays free.
  if (acting.status != UNIT_FREE && acting.status != UNIT_GONE)
    place_unit(CURRENT_PLAYER, CURRENT_UNIT, acting.z, acting.x, acting.y);
  UPDATE_MAP = 1;

  int chosen = CURRENT_UNIT;
  int wraps = 0;
  int u = CURRENT_UNIT;
  for (;;) {
    u++;
    if (u >= UNIT_MAX) {
      if (++wraps == 2) {
        if (DEBUG_MODE > 0) std::printf("\n \nNEXT UNIT MAXED OUT BREAK LOOP END TURN");
        break;
      }
      u = 1;
    }
    if (may_act(unit[CURRENT_PLAYER][u])) {
      chosen = u;
      break;
    }
  }
  if (DEBUG_MODE > 0) std::printf("\n UNIT : %d", chosen);
  bool changed = chosen != CURRENT_UNIT;
  CURRENT_UNIT = chosen;
  if (changed) message_box("NEXT UNIT");
}

void refresh_movement(int player) {
  recorded_command command("refresh_movement", {player});
  if (player < 0 || player >= 4) return;
  for (int i = 1; i <= UNIT_MAX; i++) {
    unit_record& u = unit[player][i];
    if (u.status != UNIT_FREE && u.status != UNIT_UNCONSCIOUS) {
      u.moves = u.movement;
      continue;
    }
    u.moves = 0;
    if (u.status == UNIT_UNCONSCIOUS) {
      u.health++;
      if (u.health > 0) {
        u.status = UNIT_NORMAL;
        u.moves = u.movement;
      }
    }
  }
}

void clear_turn_state() {
  END_TURN = 0;
  BARREL_EXPLODE = 0;
  BOUNCED = 0;
  CANT_SAVE = 0;
  FOUND_EXIT = 0;
  UPDATE_MAP = 1;
}
