#include "core/start_health.h"

#include "core/world.h"

namespace {

int noted[4][UNIT_SLOTS];

}  // namespace

void note_start_health(int player, int u) {
  if (unit_slot_valid(player, u)) noted[player][u] = unit[player][u].health;
}

void note_every_start_health() {
  for (int p = 0; p < 4; p++)
    for (int u = 0; u < UNIT_SLOTS; u++) noted[p][u] = unit[p][u].health;
}

int start_health(int player, int u) {
  if (!unit_slot_valid(player, u)) return 0;
  int n = noted[player][u];
  return n > 0 ? n : unit[player][u].health;
}
