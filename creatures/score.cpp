#include "creatures/score.h"

void final_score() {
  // stand-in until built
}
