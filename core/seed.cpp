// Per-game seeds.
#include "core/seed.h"

#include <cstdlib>
#include <ctime>

unsigned GAME_SEED = 0;

static bool seed_waiting = false;
static unsigned asked_seed = 0;

void ask_for_seed(unsigned seed) {
  asked_seed = seed;
  seed_waiting = true;
}

// Two games started within one second must not share a seed, so the clock is
// mixed with a counter.
static unsigned clock_seed() {
  static unsigned games = 0;
  unsigned t = static_cast<unsigned>(std::time(nullptr));
  return t * 2654435761u + 40503u * ++games;
}

static bool seed_known = false;

void seed_new_game() {
  GAME_SEED = seed_waiting ? asked_seed : clock_seed();
  seed_waiting = false;
  seed_known = true;
  std::srand(GAME_SEED);
}

void forget_game_seed() { seed_known = false; }

std::string seed_label() { return seed_known ? "SEED " + std::to_string(GAME_SEED) : ""; }
