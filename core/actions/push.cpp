#include "core/actions/push.h"

#include "core/world.h"

int facing_container(int player, int u) {
  (void)player, (void)u;  // stand-in until built
  return FAIL;
}

int facing_container_type(int player, int u) {
  (void)player, (void)u;  // stand-in until built
  return FAIL;
}

void push_container(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}

void drag_container(int player, int u) {
  (void)player, (void)u;  // stand-in until built
}
