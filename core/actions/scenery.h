// The acting unit's interactions with the features of the map.
#pragma once

// The interaction that fits the square (x, y, z) for the acting unit.
void interact_scenery(int x, int y, int z);
