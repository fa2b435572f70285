#include "generation/dungeon.h"

void generate_world() {
  // stand-in until built
}

void test_map_init() {
  // stand-in until built
}

void assign_containers() {
  // stand-in until built
}

void generate_character() {
  // stand-in until built
}
