#include "creatures/ai/steering.h"

void AIunitmove(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}
