#include "creatures/ai.h"

void otherplayermove() {
  // stand-in until built
}
