// Scenery, items and monsters scattered over the levels, the containers made
// from placed chests, and the creature a freed prisoner turns out to be.
#pragma once

#include "creatures/prisoner.h"

// Turns every placed chest, wardrobe, barrel and boulder into a container.
void assign_containers();

void generate_mushrooms(int z);
void generate_herbs(int z);
void generate_barrels(int z);
void generate_food(int z);
void generate_crystals(int z);
void generate_pools(int z);
void generate_torches(int z);
void generate_oilpatchs(int z);
void generate_weapons(int z);
void generate_armour(int z);
void generate_traps();
void generate_monsters();

// Draws a square for a scatterer: a pair (x, y) of 0..49 until its terrain is
// the wanted one.  Gives up after a bounded number of draws (answers false).
bool pick_square(int z, int terrain, int& x, int& y);
// Draws tried by one square search before it gives up.
constexpr int SQUARE_SEARCH_LIMIT = 20000;
