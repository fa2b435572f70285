// Gunpowder barrels: the blast and its chain along the diagonals.  The
// traps, long declared beside them, come along with this header.
#pragma once

#include "core/actions/traps.h"

// Explodes every barrel due to explode on level z.
void map_barrelcheck(int z);
// Explodes the barrel at (x, y, z), and the barrels its blast reaches.
void barrel_explode(int x, int y, int z);
