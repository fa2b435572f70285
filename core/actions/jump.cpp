#include "core/actions/jump.h"

void jump(int player, int u, int distance) {
  (void)player, (void)u, (void)distance;  // stand-in until built
}
