// The acting unit's interactions with the features of the map.
#pragma once

#include <string>

// The interaction that fits the square (x, y, z) for the acting unit.
void interact_scenery(int x, int y, int z);
void touch_statue(int z, int x, int y);
void move_switch(int z, int x, int y);
void smash_crystal(int z, int x, int y, int player, int u);
void clear_rubble(int z, int x, int y, int player, int u);
void examine_scenery(int x, int y, int z);
// The words examining a square gives for its terrain ("This appears to be a
// pillar.") or the container on it; "" when its terrain says nothing.
std::string examine_words(int x, int y, int z);
// The examine words of a terrain or a scenery code; null when there are none.
const char* terrain_description(int terrain);
const char* scenery_description(int scenery);
