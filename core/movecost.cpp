// What may be entered: the passable field of a whole level, derived from the
// terrain, the scenery and the units standing on each square.
#include "core/movecost.h"
#include "core/world.h"

bool terrain_blocks(int terrain) {
  switch (terrain) {
    case TERRAIN_ROCK:
    case TERRAIN_EARTH:
    case TERRAIN_BUILT_WALL:
    case TERRAIN_PILLAR:
    case TERRAIN_CLOSED_DOOR:
    case TERRAIN_METAL_DOOR_CLOSED:
    case TERRAIN_WINDOW:
      return true;
    default:
      return false;
  }
}

bool scenery_blocks(int scenery) {
  switch (scenery) {
    case SCENERY_CRYPT:
    case SCENERY_OPEN_CRYPT:
    case SCENERY_SEARCHED_CRYPT:
    case SCENERY_RUBBLE:
    case SCENERY_NEST:
    case SCENERY_CONTAINER:
    case SCENERY_BOULDER:
    case SCENERY_BARREL:
    case SCENERY_STATUE:
    case SCENERY_CRYSTAL:
      return true;
    default:
      return false;
  }
}

int square_passable(int z, int x, int y) {
  if (!on_grid(z, x, y)) return 0;
  const map_cell& m = map[z][x][y];
  bool open = !terrain_blocks(m.terrain) && !scenery_blocks(m.scenery) && m.occupant_player < 1;
  if (open) return 1;
  // A secret door in the wall may still be stepped through.
  if (m.scenery == SCENERY_SECRET_FOUND || m.scenery == SCENERY_SECRET_HIDDEN) return 2;
  return 0;
}

void map_movecost(int z) {
  if (z < 0 || z >= LEVELS) return;
  for (int x = 0; x < MAX_LAND_SIZE_X && x < LAND_SIZE; x++) {
    for (int y = 0; y < MAX_LAND_SIZE_Y && y < LAND_SIZE; y++) {
      map_cell& m = map[z][x][y];
      m.passable = square_passable(z, x, y);
      // Water puts a fire out.
      if (m.scenery == SCENERY_FIRE && environment[z][x][y].water) m.scenery = SCENERY_NONE;
    }
  }
}
