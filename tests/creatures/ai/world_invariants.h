// The world's bookkeeping that every action must keep: each unit on the map
// stands on exactly one square that names it, and each square's object count
// is the number of items lying there.
#pragma once

#include <sstream>
#include <string>

#include "core/world.h"

// An empty string when the world is sound, else the first faults found.
inline std::string world_faults() {
  static int named[4][UNIT_SLOTS];
  static int lying[LEVELS][LAND_SIZE][LAND_SIZE];
  for (auto& row : named)
    for (int& n : row) n = 0;
  for (auto& level : lying)
    for (auto& column : level)
      for (int& n : column) n = 0;
  std::ostringstream out;
  int faults = 0;
  auto fault = [&](const std::string& text) {
    if (faults++ < 5) out << text << "\n";
  };

  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++) {
        const map_cell& c = map[z][x][y];
        if (c.occupant_player == 0) continue;
        int p = c.occupant_player, u = c.occupant_unit;
        auto where = [&] {
          std::ostringstream t;
          t << "square " << z << "," << x << "," << y << " names " << p << "/" << u;
          return t.str();
        };
        if (!unit_slot_valid(p, u)) {
          fault(where() + ": no such unit");
          continue;
        }
        const unit_record& r = unit[p][u];
        named[p][u]++;
        if (r.status == UNIT_FREE || r.status == UNIT_GONE)
          fault(where() + ", which is not on the map");
        else if (r.x != x || r.y != y || r.z != z)
          fault(where() + ", which stands elsewhere");
      }
  for (int p = 1; p < 4; p++)
    for (int u = 1; u <= UNIT_MAX && u < UNIT_SLOTS; u++) {
      const unit_record& r = unit[p][u];
      if (r.status == UNIT_FREE || r.status == UNIT_GONE) continue;
      if (named[p][u] != 1) {
        std::ostringstream t;
        t << "unit " << p << "/" << u << " at " << r.z << "," << r.x << "," << r.y
          << " is named by " << named[p][u] << " squares";
        fault(t.str());
      }
    }

  for (int k = 1; k < OBJECT_SLOTS; k++) {
    const object_record& o = object[k];
    if (o.status != OBJECT_ON_GROUND) continue;
    if (!on_grid(o.z, o.x, o.y)) {
      fault("object " + std::to_string(k) + " lies off the map");
      continue;
    }
    lying[o.z][o.x][o.y]++;
  }
  for (int z = 0; z < LEVELS; z++)
    for (int x = 0; x < LAND_SIZE; x++)
      for (int y = 0; y < LAND_SIZE; y++)
        if (map[z][x][y].object_count != lying[z][x][y]) {
          std::ostringstream t;
          t << "square " << z << "," << x << "," << y << " counts " << map[z][x][y].object_count
            << " objects, " << lying[z][x][y] << " lie there";
          fault(t.str());
        }
  return out.str();
}
