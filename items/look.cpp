#include "items/look.h"

void look() {
  // stand-in until built
}
