// The item catalogue: every creator of objects and the quality steps that
// make items found deeper in the dungeon better.
#pragma once

#include <string>

// Creators answer the slot they filled, 0 when they made nothing (no free
// slot, a slot index out of range, or a position off the grid).  Index 0 takes
// the first free slot, any other index fills that slot.  The item is put on the
// ground at (x, y, z) and the square's object count goes up by one.
// create_weapon: index 999 means the first free slot, and always a rock.
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
// Picked from the map straight into the unit's hands; on its square instead
// when its hands are already full.
int create_mushrooms(int player, int u);
int create_herbs(int player, int u);

// One random item at (x, y, z), or inside the container standing there.
void create_random_object(int z, int x, int y);
// count random items inside container c.
void create_container_contents(int count, int c);

// The light radius of a fairy: a glow, shorter than a torch's.
constexpr int FAIRY_LIGHT_RADIUS = 5;
constexpr int TORCH_LIGHT_RADIUS = 8;

// A capitalised random word one letter longer than text, for potion labels;
// the letters of text play no part, only its length.
std::string scramble_word(const char* text);
