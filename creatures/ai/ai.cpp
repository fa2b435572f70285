#include "creatures/ai/ai.h"

void otherplayermove() {
  // stand-in until built
}
