// What may be entered: the passable field derived from the grid.
#pragma once

// Recomputes passable for every square of level z.
void map_movecost(int z);
// True for the scenery that no unit may enter, whatever the ground.
bool scenery_blocks(int scenery);
