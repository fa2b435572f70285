#include "core/movement.h"

#include "core/world.h"

void map_movecost(int z) {
  (void)z;  // stand-in until built
}
