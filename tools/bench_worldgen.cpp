// The time a new world takes: initializevariables, test_map_init and
// assign_containers together, headless, median over 200 seeds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/headless.h"
#include "core/game/newgame.h"
#include "core/world.h"
#include "generation/dungeon.h"

int main() {
  std::vector<double> times;
  for (unsigned seed = 1; seed <= 200; seed++) {
    reset_globals();
    use_headless();
    DEBUG_MODE = 0;
    DIFFICULTY = 1 + seed % 3;
    std::srand(seed);
    auto t0 = std::chrono::steady_clock::now();
    build_new_world();
    auto t1 = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  std::sort(times.begin(), times.end());
  double median = (times[99] + times[100]) / 2;
  std::printf("worldgen_ms_median: %.3f\n", median);
  return 0;
}
