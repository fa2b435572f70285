#include "core/events.h"

void move_event(int forward_flag, int player, int u) {
  (void)forward_flag, (void)player, (void)u;  // stand-in until built
}

int novel_event(int player, int u) {
  (void)player, (void)u;  // stand-in until built
  return 0;
}
