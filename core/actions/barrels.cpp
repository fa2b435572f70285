#include "core/actions/barrels.h"

void trap(int z, int x, int y, int player, int u) {
  (void)z, (void)x, (void)y, (void)player, (void)u;  // stand-in until built
}

void map_barrelcheck(int z) {
  (void)z;  // stand-in until built
}

void search_traps(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}

void barrel_explode(int x, int y, int z) {
  (void)x, (void)y, (void)z;  // stand-in until built
}
