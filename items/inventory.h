// What units carry: presence queries, loads and containers.
#pragma once

int carry_key(int player, int u);
int carry_fairy(int player, int u);
int carry_rope(int player, int u);
int carry_weapon(int player, int u);
int carry_armour(int player, int u);
int carry_head(int player, int u);
int carry_legs(int player, int u);
int carry_arms(int player, int u);
int carry_feet(int player, int u);
int carry_backpack(int player, int u);
int carry_shield(int player, int u);
int carry_torch(int player, int u);
int carry_lit_torch(int player, int u);
int carry_light(int player, int u);
int total_weight(int player, int u);
int carried_objects(int player, int u);
int packed_item(int player, int u);
int which_container(int z, int x, int y);
int container_held(int c);
void list_items_in_containter(int c);
void destroy_tile_objects(int z, int x, int y);
