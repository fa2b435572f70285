// Movement, facing and move cost of units on the map.
#pragma once

// Recomputes passable for every square of level z.
void map_movecost(int z);
