#include "core/actions/rope.h"

#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/sight.h"

void climb_rope_up(int player, int u) {
  recorded_command command("climb_rope_up", {player, u});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y) || !on_grid(me.z + 1, me.x, me.y)) return;
  const map_cell& above = map[me.z + 1][me.x][me.y];
  if (above.occupant_unit >= 1 || above.passable == 0) {
    message_box("Someone or thing is blocking the way back up!");
    return;
  }
  message_box("You use your rope to climb back up the hole...");
  remove_unit(player, u);
  map[me.z][me.x][me.y].passable = 1;
  // Recorded on the square above as well, or others would walk through it.
  place_unit(player, u, me.z + 1, me.x, me.y);
  map[me.z][me.x][me.y].passable = 0;
  reveal_tiles();
  UPDATE_MAP = 1;
}
