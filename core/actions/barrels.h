// Gunpowder barrels: the blast and its chain along the diagonals.
#pragma once

// Explodes every barrel due to explode on level z.
void map_barrelcheck(int z);
// Explodes the barrel at (x, y, z), and the barrels its blast reaches.
void barrel_explode(int x, int y, int z);
