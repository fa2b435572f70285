#include "items/actions.h"

void get_item(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void get_all(int player, int u, int z, int x, int y) {
  (void)player, (void)u, (void)z, (void)x, (void)y;  // stand-in until built
}

void drop_item(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void drop_all(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}

void give_item(int k, int from_player, int from_u, int to_player, int to_u) {
  (void)k, (void)from_player, (void)from_u, (void)to_player, (void)to_u;  // stand-in until built
}

void store_item(int k, int z, int x, int y) {
  (void)k, (void)z, (void)x, (void)y;  // stand-in until built
}

void pack_item(int k) {
  (void)k;  // stand-in until built
}

void unpack_item(int k) {
  (void)k;  // stand-in until built
}

void wear_item(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void remove_item(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void equip_weapon(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void unequip_item(int k) {
  (void)k;  // stand-in until built
}
