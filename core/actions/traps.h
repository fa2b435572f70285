// Hidden traps: springing them and searching for them.
#pragma once

// Springs the trap at (z, x, y) on the unit standing there.
void trap(int z, int x, int y, int player, int u);
// Reveals traps and secret passages around the unit; ends its turn.
void search_traps(int player, int u);
