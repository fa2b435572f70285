#include "creatures/monsters.h"

void create_monster(int player, int u, int z, int x, int y, int kind) {
  (void)player, (void)u, (void)z, (void)x, (void)y, (void)kind;  // stand-in until built
}

void monster_object(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}
