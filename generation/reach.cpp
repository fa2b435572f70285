// Walking distances over a built world, for the dump tool and the tests.
#include "generation/reach.h"

#include <cstring>
#include <vector>

#include "core/movecost.h"
#include "core/world.h"

namespace {

bool blocking_terrain(int t) {
  return t == TERRAIN_ROCK || t == TERRAIN_BUILT_WALL || t == TERRAIN_PILLAR ||
         t == TERRAIN_EARTH || t == TERRAIN_WINDOW;
}

struct square {
  int x, y;
};

// Marks every square reachable from the given starts on level z.
void flood(int z, const std::vector<square>& starts, bool (&seen)[LAND_SIZE][LAND_SIZE]) {
  std::memset(seen, 0, sizeof seen);
  std::vector<square> todo;
  for (const square& s : starts) {
    if (!on_grid(z, s.x, s.y) || seen[s.x][s.y]) continue;
    seen[s.x][s.y] = true;
    todo.push_back(s);
  }
  while (!todo.empty()) {
    square s = todo.back();
    todo.pop_back();
    for (int d = 0; d < 8; d++) {
      int nx = s.x + DIRECTION_DX[d], ny = s.y + DIRECTION_DY[d];
      if (!on_grid(z, nx, ny) || seen[nx][ny] || !walkable_for_reach(z, nx, ny)) continue;
      seen[nx][ny] = true;
      todo.push_back({nx, ny});
    }
  }
}

std::vector<square> arrivals(int z) {
  std::vector<square> out;
  if (z == 0) {
    out.push_back({unit[1][1].x, unit[1][1].y});
    return out;
  }
  for (int y = 0; y < LAND_SIZE; y++)
    for (int x = 0; x < LAND_SIZE; x++)
      if (map[z][x][y].scenery == SCENERY_LADDER_DOWN) out.push_back({x, y});
  return out;
}

bool reaches_way_up(int z, const std::vector<square>& starts) {
  static bool seen[LAND_SIZE][LAND_SIZE];
  flood(z, starts, seen);
  for (int y = 0; y < LAND_SIZE; y++)
    for (int x = 0; x < LAND_SIZE; x++)
      if (seen[x][y] && map[z][x][y].scenery == SCENERY_LADDER_UP) return true;
  return false;
}

}  // namespace

bool walkable_for_reach(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  const map_cell& m = map[z][x][y];
  if (m.scenery == SCENERY_SECRET_HIDDEN || m.scenery == SCENERY_SECRET_FOUND) return true;
  return !blocking_terrain(m.terrain) && !scenery_blocks(m.scenery);
}

int arrival_count(int z) { return static_cast<int>(arrivals(z).size()); }

int level_reachable(int z) {
  std::vector<square> all = arrivals(z);
  if (all.empty()) return 0;
  for (const square& s : all)
    if (!reaches_way_up(z, {s})) return 0;
  return 1;
}

int level_reachable_from_any(int z) {
  std::vector<square> all = arrivals(z);
  return !all.empty() && reaches_way_up(z, all) ? 1 : 0;
}

int world_completable() {
  static bool seen[LAND_SIZE][LAND_SIZE];
  std::vector<square> starts = {{unit[1][1].x, unit[1][1].y}};
  for (int z = 0; z < LEVELS; z++) {
    flood(z, starts, seen);
    std::vector<square> next;
    for (int y = 0; y < LAND_SIZE; y++) {
      for (int x = 0; x < LAND_SIZE; x++) {
        if (!seen[x][y] || map[z][x][y].scenery != SCENERY_LADDER_UP) continue;
        if (z == LEVELS - 1) return 1;
        if (map[z + 1][x][y].scenery == SCENERY_LADDER_DOWN) next.push_back({x, y});
      }
    }
    if (next.empty()) return 0;
    starts = next;
  }
  return 0;
}
