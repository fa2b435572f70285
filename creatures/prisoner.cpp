// Who sits in the cell: on the last quest the one the party came for,
// otherwise an adventurer or one of the small folk.
#include "creatures/prisoner.h"

#include <cstdlib>

#include "core/world.h"
#include "creatures/monsters.h"

constexpr int KIND_BELOVED = 99;
constexpr int QUEST_BELOVED = 4;
constexpr int QUEST_BELOVED_FOUND = 14;

void create_freeprisoner(int player, int u, int z, int x, int y) {
  int kind;
  if (QUEST_NO == QUEST_BELOVED && z == 10) {
    kind = KIND_BELOVED;
    QUEST_NO = QUEST_BELOVED_FOUND;
  } else {
    static const int kinds[7] = {10, 7, 11, 9, 0, 0, 0};
    kind = kinds[std::rand() % 7];
  }
  create_monster(player, u, z, x, y, kind);
}
