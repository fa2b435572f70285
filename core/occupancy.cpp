// The single writer of the squares' occupant fields.
#include "core/occupancy.h"

#include <algorithm>
#include <vector>

#include "core/movecost.h"
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

static bool nobody_at(const map_cell& c) { return c.occupant_player == 0 && c.occupant_unit == 0; }

bool unit_may_stand(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  const map_cell& c = map[z][x][y];
  bool ground = !terrain_blocks(c.terrain) || c.scenery == SCENERY_SECRET_FOUND ||
                c.scenery == SCENERY_SECRET_HIDDEN;
  return ground && nobody_at(c);
}

static bool open_and_free(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  const map_cell& c = map[z][x][y];
  // A captive's cell is no place to put anyone else.
  return !terrain_blocks(c.terrain) && !scenery_blocks(c.scenery) &&
         c.scenery != SCENERY_PRISONER && nobody_at(c);
}

struct square_offset {
  int dx, dy;
};

// Every offset out to radius, nearest first; equal distances keep the order
// of a scan from the north-west, row by row.
static const std::vector<square_offset>& offsets_by_distance(int radius) {
  static std::vector<square_offset> table;
  static int built_for = -1;
  if (built_for != radius) {
    table.clear();
    for (int dy = -radius; dy <= radius; dy++)
      for (int dx = -radius; dx <= radius; dx++)
        if (dx != 0 || dy != 0) table.push_back({dx, dy});
    std::stable_sort(table.begin(), table.end(), [](square_offset a, square_offset b) {
      return a.dx * a.dx + a.dy * a.dy < b.dx * b.dx + b.dy * b.dy;
    });
    built_for = radius;
  }
  return table;
}

bool nearest_open_square(int z, int& x, int& y, int radius) {
  if (radius < 1 || radius > LAND_SIZE) return false;
  for (square_offset o : offsets_by_distance(radius)) {
    if (!open_and_free(z, x + o.dx, y + o.dy)) continue;
    x += o.dx;
    y += o.dy;
    return true;
  }
  return false;
}
