#include "creatures/sight.h"

void reveal_tiles() {
  // stand-in until built
}
