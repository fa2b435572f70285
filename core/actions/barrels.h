// Traps, gunpowder barrels and jumping.
#pragma once

void trap(int z, int x, int y, int player, int u);
void map_barrelcheck(int z);
