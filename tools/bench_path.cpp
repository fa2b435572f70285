// How many creature path searches run in a second: every creature of a freshly
// built dungeon searches towards a floor square of its own level, drawn at
// random, as hunters and seekers do each pass of their turn.  Headless.  The
// time is the process's own processor time, so a busy machine does not make
// the searches look slower than they are.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "core/game/newgame.h"
#include "core/headless.h"
#include "core/world.h"
#include "creatures/path.h"

namespace {

struct query {
  int x, y, tx, ty, z;
};

double cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

bool open_floor(int z, int x, int y) { return map[z][x][y].passable == 1; }

std::vector<query> creature_queries() {
  std::vector<query> q;
  for (int p = 2; p < 4; p++) {
    for (int u = 1; u < UNIT_MAX; u++) {
      const unit_record& r = unit[p][u];
      if (r.status == UNIT_FREE || !on_grid(r.z, r.x, r.y)) continue;
      for (int tries = 0; tries < 1000; tries++) {
        int tx = 1 + std::rand() % (LAND_SIZE - 2), ty = 1 + std::rand() % (LAND_SIZE - 2);
        if (!open_floor(r.z, tx, ty)) continue;
        q.push_back({r.x, r.y, tx, ty, r.z});
        break;
      }
    }
  }
  return q;
}

}  // namespace

int main() {
  reset_globals();
  use_headless();
  DEBUG_MODE = 0;
  DIFFICULTY = 3;
  std::srand(7);
  build_new_world();
  std::vector<query> queries = creature_queries();
  if (queries.empty()) {
    std::printf("npc_path_searches_per_s: 0\n");
    return 1;
  }

  long searches = 0, found = 0;
  double t0 = cpu_seconds();
  double seconds = 0;
  while (seconds < 1.0) {
    for (const query& q : queries) {
      if (npc_a_star_path_finding(q.x, q.y, q.tx, q.ty, q.z) <= NORTHWEST) found++;
      searches++;
    }
    seconds = cpu_seconds() - t0;
  }
  std::fprintf(stderr, "%zu creatures, %.0f%% of searches found a first step\n", queries.size(),
               100.0 * found / searches);
  std::printf("npc_path_searches_per_s: %.0f\n", searches / seconds);
  return 0;
}
