// The time one end of turn takes: a fresh dungeon at difficulty 3, headless
// (pauses skipped), the leader put down a few squares from a creature so the
// monsters hunt, the party standing still; median over 100 turns.  The time
// is the thread's processor time, so a busy machine does not inflate it;
// end_turn_wall_ms_median is the same on the wall clock.
//   bench_turn [--seed S] [--turns N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/game/newgame.h"
#include "core/game/turn.h"
#include "core/headless.h"
#include "core/occupancy.h"
#include "core/world.h"

namespace {

bool free_floor(int z, int x, int y) {
  if (!on_grid(z, x, y) || x < 1 || y < 1 || x > 49 || y > 49) return false;
  const map_cell& c = map[z][x][y];
  return c.passable == 1 && c.occupant_player == 0 && c.scenery == SCENERY_NONE;
}

// Puts the leader on a free floor square two or three squares from the first
// creature of its level that has one.
void leader_near_a_creature() {
  unit_record& leader = unit[1][1];
  for (int u = 1; u <= UNIT_MAX; u++) {
    const unit_record& m = unit[2][u];
    if (m.status == UNIT_FREE || m.z != leader.z) continue;
    for (int r = 2; r <= 3; r++)
      for (int dx = -r; dx <= r; dx++)
        for (int dy = -r; dy <= r; dy++) {
          int x = m.x + dx, y = m.y + dy;
          if (!free_floor(m.z, x, y)) continue;
          int from_x = leader.x, from_y = leader.y;
          move_unit(1, 1, m.z, x, y);
          map[m.z][from_x][from_y].passable = 1;
          map[m.z][x][y].passable = 0;
          return;
        }
  }
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = 3;
  int turns = 100;
  for (int i = 1; i + 1 < argc; i++) {
    if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--turns") == 0) turns = std::max(1, std::atoi(argv[i + 1]));
  }
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  DIFFICULTY = 3;
  std::srand(seed);
  build_new_world();
  leader_near_a_creature();

  std::vector<double> times, walls;
  for (int t = 0; t < turns; t++) {
    // The party stands still and never falls, so the hunt goes on all along.
    for (int u = 1; u <= UNIT_MAX; u++) unit[1][u].moves = 0;
    unit[1][1].health = 1000;
    gameover = GAME_PLAYING;
    headless.messages.clear();
    timespec c0, c1;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c0);
    auto t0 = std::chrono::steady_clock::now();
    end_turn();
    auto t1 = std::chrono::steady_clock::now();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &c1);
    times.push_back((c1.tv_sec - c0.tv_sec) * 1e3 + (c1.tv_nsec - c0.tv_nsec) / 1e6);
    walls.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  std::sort(times.begin(), times.end());
  std::sort(walls.begin(), walls.end());
  std::printf("end_turn_ms_median: %.3f\n", times[times.size() / 2]);
  std::printf("end_turn_wall_ms_median: %.3f\n", walls[walls.size() / 2]);
  return 0;
}
