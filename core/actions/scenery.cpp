// Interactions of the acting unit with the squares around it.  Doors are
// handled here; the rest of the scenery joins as it is built.
#include "core/actions/scenery.h"

#include "core/actions/doors.h"
#include "core/world.h"

// Lighting a torch from lava: stand-in until built.
static bool light_torch_from_lava(int x, int y, int z) {
  (void)x, (void)y, (void)z;  // stand-in until built
  return false;
}

// Chests, crypts, webs, herbs, ladders, statues, pools, switches and oil:
// stand-in until built.
static void interact_with_scenery(int x, int y, int z) {
  (void)x, (void)y, (void)z;  // stand-in until built
}

void interact_scenery(int x, int y, int z) {
  if (!on_grid(z, x, y)) return;
  if (light_torch_from_lava(x, y, z)) return;
  if (interact_door(x, y, z)) return;
  interact_with_scenery(x, y, z);
}

void touch_statue(int z, int x, int y) {
  (void)z, (void)x, (void)y;  // stand-in until built
}

void move_switch(int z, int x, int y) {
  (void)z, (void)x, (void)y;  // stand-in until built
}

void smash_crystal(int z, int x, int y, int player, int u) {
  (void)z, (void)x, (void)y, (void)player, (void)u;  // stand-in until built
}

void clear_rubble(int z, int x, int y, int player, int u) {
  (void)z, (void)x, (void)y, (void)player, (void)u;  // stand-in until built
}

void examine_scenery(int x, int y, int z) {
  (void)x, (void)y, (void)z;  // stand-in until built
}
