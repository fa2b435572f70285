// Probes of the eight squares around a unit.
#include "creatures/neighbours.h"

#include "core/world.h"

int next_to_enemy(int player, int u) {
  if (!unit_slot_valid(player, u)) return FAIL;
  const unit_record& me = unit[player][u];
  for (int d = NORTH; d <= NORTHWEST; d++) {
    int x = me.x + DIRECTION_DX[d], y = me.y + DIRECTION_DY[d];
    if (!on_grid(me.z, x, y)) continue;
    const map_cell& c = map[me.z][x][y];
    if (c.occupant_player != 0 && c.occupant_player != player && c.occupant_unit != 0) return d;
  }
  return FAIL;
}

int next_to_health(int player, int u) {
  if (!unit_slot_valid(player, u)) return FAIL;
  const unit_record& me = unit[player][u];
  for (int d = NORTH; d <= NORTHWEST; d++) {
    int x = me.x + DIRECTION_DX[d], y = me.y + DIRECTION_DY[d];
    if (!on_grid(me.z, x, y)) continue;
    const map_cell& c = map[me.z][x][y];
    if (c.scenery == SCENERY_HERBS || c.scenery == SCENERY_MUSHROOMS || c.object_count != 0)
      return d;
  }
  return FAIL;
}
