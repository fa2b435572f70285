// The item catalogue: every creator of objects and its quality steps.
#pragma once

// Creators take the first free slot when index is 0 (create_weapon: 999
// means the first free slot and always a rock).
int create_weapon(int index, int z, int x, int y);
int create_armour(int index, int z, int x, int y);
int create_potion(int index, int z, int x, int y);
int create_magicitem(int index, int z, int x, int y);
int create_gold(int index, int z, int x, int y);
int create_gem(int index, int z, int x, int y);
int create_key(int index, int z, int x, int y);
int create_fairy(int index, int z, int x, int y);
int create_torch(int index, int z, int x, int y);
int create_food(int index, int z, int x, int y);
int create_rope(int index, int z, int x, int y);
int create_corpse(int index, int z, int x, int y);
int create_mushrooms(int player, int u);
int create_herbs(int player, int u);
void create_random_object(int z, int x, int y);
void create_container_contents(int count, int c);
