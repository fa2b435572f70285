// The single writer of the squares' occupant fields.
#include "core/occupancy.h"

#include "core/world.h"

void place_unit(int player, int u, int z, int x, int y) {
  if (!unit_slot_valid(player, u) || !on_grid(z, x, y)) return;
  unit_record& r = unit[player][u];
  r.z = z, r.x = x, r.y = y;
  map[z][x][y].occupant_player = player;
  map[z][x][y].occupant_unit = u;
}

void remove_unit(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  const unit_record& r = unit[player][u];
  if (!on_grid(r.z, r.x, r.y)) return;
  map_cell& c = map[r.z][r.x][r.y];
  if (c.occupant_player == player && c.occupant_unit == u) c.occupant_player = c.occupant_unit = 0;
}

void move_unit(int player, int u, int z, int x, int y) {
  if (!on_grid(z, x, y)) return;
  remove_unit(player, u);
  place_unit(player, u, z, x, y);
}

void clear_occupant(int z, int x, int y) {
  if (!on_grid(z, x, y)) return;
  map[z][x][y].occupant_player = map[z][x][y].occupant_unit = 0;
}

void map_occupied(int z) {
  for (int p = 0; p < MAX_PLAYERS; p++) {
    for (int u = 0; u <= UNIT_MAX; u++) {
      const unit_record& r = unit[p][u];
      // A unit that has left the dungeon stands on no square.
      if (r.status == UNIT_FREE || r.status == UNIT_GONE) continue;
      if (r.z != z || !on_grid(r.z, r.x, r.y)) continue;
      map[z][r.x][r.y].occupant_player = p;
      map[z][r.x][r.y].occupant_unit = u;
    }
  }
}
