#include "generation/catalogue.h"

// Each creator answers the slot it filled, 0 when it made nothing.
int create_weapon(int, int, int, int) { return 0; }     // stand-in until built
int create_armour(int, int, int, int) { return 0; }     // stand-in until built
int create_potion(int, int, int, int) { return 0; }     // stand-in until built
int create_magicitem(int, int, int, int) { return 0; }  // stand-in until built
int create_gold(int, int, int, int) { return 0; }       // stand-in until built
int create_gem(int, int, int, int) { return 0; }        // stand-in until built
int create_key(int, int, int, int) { return 0; }        // stand-in until built
int create_fairy(int, int, int, int) { return 0; }      // stand-in until built
int create_torch(int, int, int, int) { return 0; }      // stand-in until built
int create_food(int, int, int, int) { return 0; }       // stand-in until built
int create_rope(int, int, int, int) { return 0; }       // stand-in until built
int create_corpse(int, int, int, int) { return 0; }     // stand-in until built
int create_mushrooms(int, int) { return 0; }            // stand-in until built
int create_herbs(int, int) { return 0; }                // stand-in until built
void create_random_object(int, int, int) {}             // stand-in until built
void create_container_contents(int, int) {}             // stand-in until built
