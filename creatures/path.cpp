#include "creatures/path.h"

#include "core/world.h"

int a_star_path_finding(int x, int y, int tx, int ty, int z) {
  (void)x, (void)y, (void)tx, (void)ty, (void)z;  // stand-in until built
  return FAIL;
}

int npc_a_star_path_finding(int x, int y, int tx, int ty, int z) {
  (void)x, (void)y, (void)tx, (void)ty, (void)z;  // stand-in until built
  return FAIL;
}

int heuristic_distance(int x1, int y1, int x2, int y2) {
  (void)x1, (void)y1, (void)x2, (void)y2;  // stand-in until built
  return FAIL;
}
