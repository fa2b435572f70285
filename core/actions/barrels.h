// Traps, gunpowder barrels and jumping.
#pragma once

void trap(int z, int x, int y, int player, int u);
void map_barrelcheck(int z);
// Reveals traps and secret passages around the unit; ends its turn.
void search_traps(int player, int u);
// Explodes the barrel at (x, y, z), and the barrels its blast reaches.
void barrel_explode(int x, int y, int z);
