// What may be entered: the passable field of a whole level, derived from the
// terrain, the scenery and the units standing on each square.
#include "core/movecost.h"

#include <algorithm>
#include <array>

#include "core/world.h"

namespace {

constexpr bool blocking_terrain(int terrain) {
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

constexpr bool blocking_scenery(int scenery) {
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

// The blocking codes as tables: a whole level is recounted many times while
// a world is built, and the switches above cost a mispredicted branch a
// square.
constexpr int CODES = 256;
struct blocking_codes {
  std::array<bool, CODES> terrain{}, scenery{};
};
constexpr blocking_codes BLOCKING = [] {
  blocking_codes b;
  for (int i = 0; i < CODES; i++) {
    b.terrain[static_cast<std::size_t>(i)] = blocking_terrain(i);
    b.scenery[static_cast<std::size_t>(i)] = blocking_scenery(i);
  }
  return b;
}();

bool blocks(const std::array<bool, CODES>& table, int code) {
  return code >= 0 && code < CODES && table[static_cast<std::size_t>(code)];
}

int passable_of(const map_cell& m) {
  bool open = !(blocks(BLOCKING.terrain, m.terrain) | blocks(BLOCKING.scenery, m.scenery) |
                (m.occupant_player >= 1));
  if (open) return 1;
  // A secret door in the wall may still be stepped through.
  if (m.scenery == SCENERY_SECRET_FOUND || m.scenery == SCENERY_SECRET_HIDDEN) return 2;
  return 0;
}

}  // namespace

bool terrain_blocks(int terrain) { return blocking_terrain(terrain); }
bool scenery_blocks(int scenery) { return blocking_scenery(scenery); }

int square_passable(int z, int x, int y) {
  if (!on_grid(z, x, y)) return 0;
  return passable_of(map[z][x][y]);
}

void map_movecost(int z) {
  if (z < 0 || z >= LEVELS) return;
  // The bounds are read once: the stores below could otherwise change them,
  // as far as the compiler knows, and each square would read them again.
  const int width = std::min(MAX_LAND_SIZE_X, LAND_SIZE);
  const int height = std::min(MAX_LAND_SIZE_Y, LAND_SIZE);
  for (int x = 0; x < width; x++) {
    for (int y = 0; y < height; y++) {
      map_cell& m = map[z][x][y];
      m.passable = passable_of(m);
      // Water puts a fire out.
      if (m.scenery == SCENERY_FIRE && environment[z][x][y].water) m.scenery = SCENERY_NONE;
    }
  }
}

void seal_outer_wall(int z) {
  for (int i = 0; i < LAND_SIZE; i++) {
    map[z][i][0].passable = map[z][i][LAND_SIZE - 1].passable = 0;
    map[z][0][i].passable = map[z][LAND_SIZE - 1][i].passable = 0;
  }
}
