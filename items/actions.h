// What units do with items: take, drop, give, store, pack, unpack, wear,
// remove, wield and unwield.
#pragma once

void get_item(int k, int player, int u);
// Takes every item lying at (x, y, z).
void get_all(int player, int u, int z, int x, int y);
void drop_item(int k, int player, int u);
// A dying unit's items fall on its square.
void drop_all(int player, int u);
void give_item(int k, int from_player, int from_u, int to_player, int to_u);
// Into the container standing at (x, y, z).
void store_item(int k, int z, int x, int y);
// Between hand and the worn backpack, for the acting unit.
void pack_item(int k);
void unpack_item(int k);
void wear_item(int k, int player, int u);
void remove_item(int k, int player, int u);
void equip_weapon(int k, int player, int u);
// For the acting unit.
void unequip_item(int k);
