// The acting unit's interactions with the features of the map.
#pragma once

// The interaction that fits the square (x, y, z) for the acting unit.
void interact_scenery(int x, int y, int z);
void touch_statue(int z, int x, int y);
void move_switch(int z, int x, int y);
void smash_crystal(int z, int x, int y, int player, int u);
void clear_rubble(int z, int x, int y, int player, int u);
void examine_scenery(int x, int y, int z);
