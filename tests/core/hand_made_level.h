// Small hand-made levels for the movement, turn, event, door and sight tests:
// an empty stone floor everywhere, with walls, units and items put in by hand.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "core/headless.h"
#include "core/occupancy.h"
#include "core/world.h"

inline void fresh_world(unsigned seed = 1) {
  use_headless();
  reset_globals();
  DEBUG_MODE = 0;
  nuke_variables();
  for (int i = 0; i < OBJECT_SLOTS; i++) object[i] = object_record{};
  for (int c = 0; c < CONTAINER_SLOTS; c++) container[c] = container_record{};
  std::srand(seed);
}

inline void put_terrain(int z, int x, int y, int terrain, int passable = 0) {
  map[z][x][y].terrain = terrain;
  map[z][x][y].passable = passable;
}

// A live unit standing on its square, with the occupancy marked.
inline unit_record& put_unit(int player, int u, int z, int x, int y, int facing, int moves = 100) {
  unit_record& r = unit[player][u];
  r = unit_record{};
  r.x = x, r.y = y, r.z = z, r.facing = facing;
  r.status = UNIT_NORMAL;
  r.movement = r.moves = moves;
  r.health = 20;
  r.damage = 1;
  r.strength = 10;
  r.intelligence = 12;
  r.sight = 10;
  std::snprintf(r.name, sizeof r.name, "Unit%d", u);
  place_unit(player, u, z, x, y);
  map[z][x][y].passable = 0;
  return r;
}

// An item held by a unit.  Kept in a namespace of its own: the game has a
// give_item of the same arguments, and two functions of one name and the same
// arguments would be one symbol to the linker.
namespace hand_made {
inline object_record& give_item(int k, int player, int u, int type, int status) {
  object_record& o = object[k];
  o = object_record{};
  o.type = type;
  o.status = status;
  o.owner_player = player;
  o.owner_unit = u;
  o.x = unit[player][u].x, o.y = unit[player][u].y, o.z = unit[player][u].z;
  std::snprintf(o.name, sizeof o.name, "item%d", k);
  return o;
}
}  // namespace hand_made
using hand_made::give_item;
