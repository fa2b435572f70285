#include "core/actions/cart.h"

void traverse_track(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}
