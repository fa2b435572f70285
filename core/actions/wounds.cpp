// A unit killed by the map dies as it would in a fight: a body left standing
// on its square would block the way for ever without being seen.
#include "core/actions/wounds.h"

#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "items/actions.h"
#include "items/catalogue.h"

static void unit_dies(int player, int u) {
  unit_record& me = unit[player][u];
  // Its belongings fall while it still stands there.
  if (on_grid(me.z, me.x, me.y)) drop_all(player, u);
  me.status = UNIT_FREE;
  me.movement = me.moves = 0;
  if (!on_grid(me.z, me.x, me.y)) return;
  remove_unit(player, u);
  map[me.z][me.x][me.y].passable = square_passable(me.z, me.x, me.y);
  create_corpse(0, me.z, me.x, me.y);
}

void settle_wounds(int player, int u) {
  if (!unit_slot_valid(player, u) || u == 0) return;
  unit_record& me = unit[player][u];
  if (me.status == UNIT_FREE || me.status == UNIT_GONE) return;
  if (me.health < 1) me.status = UNIT_UNCONSCIOUS;
  if (me.health <= DEATH_HEALTH) unit_dies(player, u);
}
