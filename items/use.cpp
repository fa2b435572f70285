#include "items/use.h"

#include "core/world.h"

void use_object(int k, int player, int u) {
  (void)k, (void)player, (void)u;  // stand-in until built
}

void merge_bag(int k) {
  (void)k;  // stand-in until built
}

int florin_ret(int k) {
  (void)k;  // stand-in until built
  return FAIL;
}

void search_object(int code, int x, int y, int z) {
  (void)code, (void)x, (void)y, (void)z;  // stand-in until built
}

void bash_container(int z, int x, int y, int player, int u) {
  (void)z, (void)x, (void)y, (void)player, (void)u;  // stand-in until built
}

void close_container(int c) {
  (void)c;  // stand-in until built
}

void inventory() {
  // stand-in until built
}
