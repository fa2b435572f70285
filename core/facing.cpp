// The square in front of a unit: the small queries every action asks before
// it acts, and that the look, the drag walk and the creatures ask as well.
#include "core/facing.h"

#include "core/world.h"

static bool valid_direction(int d) { return d >= NORTH && d <= NORTHWEST; }

// ---------------------------------------------------------------------------
// The square ahead
// ---------------------------------------------------------------------------

// The square in front of a unit; false when the unit faces no direction or
// the square lies off the level.
static bool square_ahead(int player, int u, int steps, int& x, int& y, int& z) {
  if (!unit_slot_valid(player, u)) return false;
  const unit_record& me = unit[player][u];
  if (!valid_direction(me.facing)) return false;
  x = me.x + DIRECTION_DX[me.facing] * steps;
  y = me.y + DIRECTION_DY[me.facing] * steps;
  z = me.z;
  return on_grid(z, x, y);
}

int facing(int direction, int player, int u) {
  (void)direction;
  if (!unit_slot_valid(player, u) || !valid_direction(unit[player][u].facing)) return 0;
  int x, y, z;
  if (!square_ahead(player, u, 1, x, y, z)) return TERRAIN_ROCK;
  return map[z][x][y].terrain;
}

int object_facing(int direction) {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) || !valid_direction(direction)) return 0;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int x = me.x + DIRECTION_DX[direction], y = me.y + DIRECTION_DY[direction];
  if (!on_grid(me.z, x, y)) return 0;
  return map[me.z][x][y].object_count;
}

int extra_facing(int direction, int player, int u) {
  (void)direction;
  int x, y, z;
  if (!square_ahead(player, u, 1, x, y, z)) return 0;
  if (environment[z][x][y].lava != 0) return AHEAD_LAVA;
  if (map[z][x][y].occupant_player != 0) return AHEAD_UNIT;
  if (unit[player][u].facing == SOUTHEAST) {
    int c = which_container(z, x, y);
    if (c > 0 && c < CONTAINER_SLOTS && container[c].type == CONTAINER_BARREL)
      return CONTAINER_BARREL;
  }
  return map[z][x][y].scenery;
}

static bool blocks_line(int z, int x, int y) {
  const map_cell& c = map[z][x][y];
  int k = which_container(z, x, y);
  if (k > 0 && k < CONTAINER_SLOTS && container[k].state > 0 && container[k].size > 10) return true;
  switch (c.terrain) {
    case TERRAIN_ROCK:
    case TERRAIN_PILLAR:
    case TERRAIN_WINDOW:
    case TERRAIN_BUILT_WALL:
    case TERRAIN_EARTH:
    case TERRAIN_CLOSED_DOOR:
      return true;
  }
  if (c.scenery == SCENERY_BOULDER || c.scenery == SCENERY_RUBBLE || c.scenery == SCENERY_LADDER_UP)
    return true;
  return c.occupant_unit > 0;
}

int is_infront_passable(int range, int player, int u) {
  for (int k = 1; k <= range; k++) {
    int x, y, z;
    if (!square_ahead(player, u, k, x, y, z)) return FAIL;
    if (blocks_line(z, x, y)) return FAIL;
  }
  return 1;
}
