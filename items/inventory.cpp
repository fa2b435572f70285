#include "items/inventory.h"

// stand-in until built: every query below answers "nothing".
int carry_key(int, int) { return 0; }             // stand-in until built
int carry_fairy(int, int) { return 0; }           // stand-in until built
int carry_rope(int, int) { return 0; }            // stand-in until built
int carry_weapon(int, int) { return 0; }          // stand-in until built
int carry_armour(int, int) { return 0; }          // stand-in until built
int carry_head(int, int) { return 0; }            // stand-in until built
int carry_legs(int, int) { return 0; }            // stand-in until built
int carry_arms(int, int) { return 0; }            // stand-in until built
int carry_feet(int, int) { return 0; }            // stand-in until built
int carry_backpack(int, int) { return 0; }        // stand-in until built
int carry_shield(int, int) { return 0; }          // stand-in until built
int carry_torch(int, int) { return 0; }           // stand-in until built
int carry_lit_torch(int, int) { return 0; }       // stand-in until built
int carry_light(int, int) { return 0; }           // stand-in until built
int total_weight(int, int) { return 0; }          // stand-in until built
int carried_objects(int, int) { return 0; }       // stand-in until built
int packed_item(int, int) { return 0; }           // stand-in until built
int which_container(int, int, int) { return 0; }  // stand-in until built
int container_held(int) { return 0; }             // stand-in until built
void list_items_in_containter(int) {}             // stand-in until built
void destroy_tile_objects(int, int, int) {}       // stand-in until built
