// The quality steps that make items found deeper in the dungeon better.
#pragma once

// The depth quality rolls read: the level of the acting unit (while the world
// is built, the reset hero on level 0).
int item_depth();

// Quality steps on object k.  Each draws one roll, raised by the depth of the
// acting unit, and adds its word to the description (item_metal,
// item_condition, item_age, food_state: var1 changes), to the name
// (gem_quality, stone_type: worth changes), or to the description with the
// worth changed (coin_type).
void item_metal(int k);
void item_condition(int k);
void item_age(int k);
void food_state(int k);
void gem_quality(int k);
void stone_type(int k);
void coin_type(int k);
