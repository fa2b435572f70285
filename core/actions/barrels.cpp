// Gunpowder barrels.  A blast hurts whoever stands in the nine squares
// around it, breaks doors, lights oil and sets off the barrels standing on
// its diagonals, which go up at once, before the rest of the blast is done.
#include "core/actions/barrels.h"

#include <cstdlib>

#include "core/actions/doors.h"
#include "core/actions/wounds.h"
#include "core/frontend.h"
#include "core/movecost.h"
#include "core/world.h"
#include "items/destroy.h"

constexpr int BLAST_SIGHT = 4;  // the acting unit sees a blast this close

static int barrel_at(int z, int x, int y) {
  int c = which_container(z, x, y);
  if (c <= 0 || c >= CONTAINER_SLOTS || container[c].type != CONTAINER_BARREL) return 0;
  return c;
}

// What the blast leaves of a square's scenery.  Ladders are the only ways
// between levels and a container's marker must stay with its record, so
// both outlast the blast; oil catches fire; the rest is swept away.
static void blast_scenery(int z, int x, int y) {
  int& s = map[z][x][y].scenery;
  if (s == SCENERY_OIL) {
    s = SCENERY_FIRE;
    return;
  }
  if (s == SCENERY_LADDER_DOWN || s == SCENERY_LADDER_UP || s == SCENERY_TRAPDOOR) return;
  if (which_container(z, x, y) != 0) return;
  s = SCENERY_NONE;
}

static void blast_square(int z, int x, int y) {
  map_cell& c = map[z][x][y];
  if (c.occupant_player != 0) {
    int p = c.occupant_player, u = c.occupant_unit;
    if (unit_slot_valid(p, u)) {
      unit[p][u].health -= 10 + std::rand() % 40;
      settle_wounds(p, u);
    }
  }
  if (c.terrain == TERRAIN_CLOSED_DOOR) smash_door(z, x, y);
  blast_scenery(z, x, y);
}

static void show_blast(int x, int y, int z) {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  const unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  if (me.z != z || std::abs(x - me.x) > BLAST_SIGHT || std::abs(y - me.y) > BLAST_SIGHT) return;
  draw_explosion(x - me.x, y - me.y, 1);
}

void barrel_explode(int x, int y, int z) {
  if (!on_grid(z, x, y)) return;
  message_box("BOOOM!");
  map[z][x][y].scenery = SCENERY_NONE;
  map[z][x][y].passable = 1;
  // The barrel is gone before its neighbours go up, so no chain comes back
  // to it: each barrel explodes once and the chain ends.
  destroy_container(which_container(z, x, y));

  for (int dy = -1; dy <= 1; dy++) {
    for (int dx = -1; dx <= 1; dx++) {
      int i = x + dx, j = y + dy;
      if (!on_grid(z, i, j)) continue;
      if (dx != 0 && dy != 0 && barrel_at(z, i, j)) barrel_explode(i, j, z);
      blast_square(z, i, j);
    }
  }
  if (std::rand() % 10 < 2) {
    map[z][x][y].scenery = SCENERY_RUBBLE;
    map[z][x][y].passable = 0;
  }
  // Doors broken, rubble swept away, the dead fallen: what may be entered
  // follows the new ground.
  map_movecost(z);
  show_blast(x, y, z);
}

void map_barrelcheck(int z) {
  if (z < 0 || z >= LEVELS) return;
  for (int x = 0; x < MAX_LAND_SIZE_X && x < LAND_SIZE; x++)
    for (int y = 0; y < MAX_LAND_SIZE_Y && y < LAND_SIZE; y++)
      if (map[z][x][y].scenery == SCENERY_BARREL_DUE) barrel_explode(x, y, z);
}
