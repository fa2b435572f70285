// The greedy walk both searches share.  Creatures search every pass of their
// turn, so the node grid is not cleared square by square at the start: each
// node carries the number of the search that last wrote it, and a node from an
// older search reads as fresh.  Nothing one search learns is seen by the next.
#include "creatures/path.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/frontend.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "core/replay.h"

namespace {

constexpr int CLOSED = 10000;       // blocked, or walked and left
constexpr int START_SCORE = 10005;  // the start square of the party's search
constexpr int STRAIGHT_STEP = 10;
constexpr int DIAGONAL_STEP = 14;
constexpr int DEAD_ENDS_BEFORE_GIVING_UP = 3;
// Every square is walked onto at most once and left at most once; anything
// beyond that is a walk gone round in circles.
constexpr int PASS_LIMIT = 4 * LAND_SIZE * LAND_SIZE;
// How many passes go by between two yields to the system.
constexpr int PASSES_PER_YIELD = 64;

struct search_node {
  int32_t f, g;
  uint16_t search;  // the search that last wrote this node
  uint8_t px, py, on_route;
};

// One ring of nodes round the level stands for the squares beyond its edge:
// always closed, so the walk never looks past the level.
search_node nodes[LAND_SIZE + 2][LAND_SIZE + 2];
uint16_t search_number;

// The eight neighbours in the order the walk looks at them: x outer, y inner.
constexpr int STEP_DX[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr int STEP_DY[8] = {-1, 0, 1, -1, 1, -1, 0, 1};

struct search {
  bool npc;
  int z, sx, sy, gx, gy;
  int mover_player, mover_unit, mover_race;
};

void begin_search() {
  if (++search_number == 0) {
    // The counter wrapped: forget every stamp so no old node passes as new.
    for (auto& column : nodes)
      for (search_node& n : column) n.search = 0;
    search_number = 1;
  }
}

bool square_on_level(int x, int y) { return x >= 0 && x < LAND_SIZE && y >= 0 && y < LAND_SIZE; }

// A node is made fresh the first time a search touches it: blocked squares
// (and those beyond the edge) start closed, the others unscored.
[[gnu::noinline]] void make_fresh(const search& s, search_node& n, int x, int y) {
  n = search_node{};
  n.search = search_number;
  n.f = !square_on_level(x, y) || map[s.z][x][y].passable == 0 ? CLOSED : 0;
}

// The node of square (x, y); x and y run from -1 to LAND_SIZE.
inline search_node& node_at(const search& s, int x, int y) {
  search_node& n = nodes[x + 1][y + 1];
  if (n.search != search_number) make_fresh(s, n, x, y);
  return n;
}

bool walkable(const search& s, int x, int y) {
  if (!square_on_level(x, y)) return false;
  const map_cell& m = map[s.z][x][y];
  switch (m.terrain) {
    case TERRAIN_ROCK:
    case TERRAIN_EARTH:
    case TERRAIN_PILLAR:
    case TERRAIN_BUILT_WALL:
      return false;
    default:
      break;
  }
  bool bridge = m.scenery == SCENERY_BRIDGE_EW || m.scenery == SCENERY_BRIDGE_NS;
  if (environment[s.z][x][y].lava != 0 && s.mover_race != RACE_SALAMANDER && !bridge) return false;
  switch (m.scenery) {
    case SCENERY_PIT:
    case SCENERY_CELL_DOOR:
    case SCENERY_OPEN_CRYPT:
    case SCENERY_RUBBLE:
      return false;
    default:
      return true;
  }
}

bool mover_is_acting_player(const search& s) {
  return s.mover_player >= 1 && s.mover_player == CURRENT_PLAYER;
}

int scenery_penalty(const search& s, int scenery) {
  switch (scenery) {
    case SCENERY_FIRE:
      return 20;
    case 55:  // only creatures shy away from it
      return s.npc ? 20 : 0;
    case SCENERY_CRYSTAL:
      return 25;
    case SCENERY_CONTAINER:
    case 18:
    case SCENERY_LARGE_CHEST:
    case 88:
      return 30;
    case SCENERY_QUICKSAND:
    case SCENERY_HOLE:
      return 15;
    default:
      return 0;
  }
}

int penalty(const search& s, int x, int y) {
  const map_cell& m = map[s.z][x][y];
  int p = scenery_penalty(s, m.scenery);
  if (!s.npc && m.revealed == 0 && mover_is_acting_player(s)) p += 25;
  if (s.npc && m.object_count != 0) p -= 20;
  if (s.npc && m.occupant_player != 0) p += 10;
  if (x == s.gx && y == s.gy) {
    p -= 100;
  } else if (!s.npc && std::abs(x - s.gx) <= 1 && std::abs(y - s.gy) <= 1) {
    p -= 50;
  }
  return p;
}

// A creature's walk may step onto any scored square above 0 and, unlike the
// rules' first form, onto its goal whatever the goal scored: a goal close by
// scores below 0, and a creature heading for a nearby ladder must reach it.
bool may_step_on(const search& s, int x, int y, int f) {
  if (!s.npc || (x == s.gx && y == s.gy)) return f != 0;
  return f > 0;
}

// One pass over the neighbours of c: every walkable one not yet scored gets
// its score, and the best of them all is the next square.  Scoring never
// changes another neighbour's score, so both are done in the one sweep.
// False at a dead end.
bool score_and_choose(const search& s, int cx, int cy, int& nx, int& ny) {
  const int parent_g = node_at(s, cx, cy).g;
  int best = CLOSED;
  bool found = false;
  for (int i = 0; i < 8; i++) {
    int dx = STEP_DX[i], dy = STEP_DY[i];
    int x = cx + dx, y = cy + dy;
    search_node& n = node_at(s, x, y);
    if (n.f == 0 && walkable(s, x, y)) {
      int f = penalty(s, x, y);
      if (n.px == 0) n.px = static_cast<uint8_t>(cx);
      if (n.py == 0) n.py = static_cast<uint8_t>(cy);
      int g = n.px == cx && n.py == cy ? parent_g : node_at(s, n.px, n.py).g;
      n.g = g + (dx == 0 || dy == 0 ? STRAIGHT_STEP : DIAGONAL_STEP);
      n.f = f + n.g + heuristic_distance(x, y, s.gx, s.gy);
    }
    if (n.f >= best || n.f == CLOSED || n.on_route != 0 || !may_step_on(s, x, y, n.f)) continue;
    best = n.f;
    nx = x, ny = y;
    found = true;
  }
  return found;
}

bool arrived(const search& s, int cx, int cy) {
  if (cx == s.gx && cy == s.gy) return true;
  return s.npc && std::abs(cx - s.gx) <= 1 && std::abs(cy - s.gy) <= 1 &&
         map[s.z][s.gx][s.gy].occupant_player != 0;
}

int direction_of_step(int dx, int dy) {
  for (int d = NORTH; d <= NORTHWEST; d++)
    if (DIRECTION_DX[d] == dx && DIRECTION_DY[d] == dy) return d;
  return NO_PATH;
}

struct route_list {
  int x[ROUTE_SQUARES];
  int y[ROUTE_SQUARES];
  int length;
};

// Follows the parents from the last square back to the start.  FAIL when the
// walk meets (0, 0) or the route would not fit in the list.
int trace_route(const search& s, int cx, int cy, route_list& route) {
  route.length = 0;
  while (cx != s.sx || cy != s.sy) {
    if (cx == 0 && cy == 0) return FAIL;
    if (route.length + 1 >= ROUTE_SQUARES) return FAIL;
    route.length++;
    route.x[route.length] = cx;
    route.y[route.length] = cy;
    const search_node& n = node_at(s, cx, cy);
    cx = n.px, cy = n.py;
  }
  return route.length == 0 ? NO_PATH : 0;
}

void write_waypoints(const search& s, const route_list& route) {
  if (!mover_is_acting_player(s) || s.mover_unit < 1) return;
  unit_record& u = unit[s.mover_player][s.mover_unit];
  for (int i = 1; i < WAYPOINTS; i++) u.waypoint_x[i] = u.waypoint_y[i] = 0;
  int i = 1;
  while (i <= ROUTE_WAYPOINTS && i <= route.length && route.x[i] != 0 && route.y[i] != 0) {
    u.waypoint_x[i] = route.x[i];
    u.waypoint_y[i] = route.y[i];
    i++;
  }
  u.waypoint_x[i] = u.waypoint_y[i] = ROUTE_END_MARK;
  u.waypoint_index = 1;
}

// Walks from the start until the goal is reached or the search gives up; the
// last square walked is left in cx, cy.  0 on arrival, else the result.
int walk(const search& s, int& cx, int& cy) {
  int dead_ends = 0;
  for (int pass = 0; pass < PASS_LIMIT; pass++) {
    search_node& c = node_at(s, cx, cy);
    if (DEBUG_MODE == 2)
      std::printf("At x: %d   At y:  %d   PX: %d   PY: %d  F: %d  G: %d  H:  %d\n", cx, cy, c.px,
                  c.py, c.f, c.g, heuristic_distance(cx, cy, s.gx, s.gy));
    int nx = 0, ny = 0;
    bool stepped = score_and_choose(s, cx, cy, nx, ny);
    c.f = CLOSED;
    if (stepped) {
      cx = nx, cy = ny;
      node_at(s, cx, cy).on_route = 1;
      dead_ends = 0;
    } else {
      dead_ends++;
      int px = c.px, py = c.py;
      cx = px, cy = py;
      node_at(s, cx, cy).on_route = 0;
      bool at_start = cx == s.sx && cy == s.sy;
      if (at_start && (s.npc || dead_ends > DEAD_ENDS_BEFORE_GIVING_UP)) {
        if (DEBUG_MODE == 2) std::printf("No exit!\n");
        return NO_PATH;
      }
    }
    if (arrived(s, cx, cy)) return 0;
    if (cx == 0 && cy == 0) return FAIL;
    if (cx == s.sx && cy == s.sy) node_at(s, cx, cy).f = s.npc ? CLOSED : START_SCORE;
    if ((pass + 1) % PASSES_PER_YIELD == 0) rest_ms(0);
  }
  return FAIL;
}

int find_path(bool npc, int x, int y, int tx, int ty, int z) {
  if (z < 0 || z >= LEVELS || !square_on_level(x, y) || !square_on_level(tx, ty)) return FAIL;
  search s{};
  s.npc = npc;
  s.z = z, s.sx = x, s.sy = y, s.gx = tx, s.gy = ty;
  s.mover_player = map[z][x][y].occupant_player;
  s.mover_unit = map[z][x][y].occupant_unit;
  if (unit_slot_valid(s.mover_player, s.mover_unit) && s.mover_player != 0)
    s.mover_race = unit[s.mover_player][s.mover_unit].race;
  else
    s.mover_player = s.mover_unit = 0, s.mover_race = -1;

  begin_search();
  search_node& start = node_at(s, x, y);
  start.f = START_SCORE;
  start.g = 0;
  start.px = x, start.py = y;
  if (x == tx && y == ty) return NO_PATH;

  int cx = x, cy = y;
  int walked = walk(s, cx, cy);
  if (walked != 0) {
    if (DEBUG_MODE == 2) std::printf("\n No PATH FOUND!!!!");
    return walked;
  }
  route_list route;
  int traced = trace_route(s, cx, cy, route);
  if (traced != 0) return traced;
  if (DEBUG_MODE == 2) std::printf("Path Successful - return path\n");

  AGX = route.x[route.length];
  AGY = route.y[route.length];
  int dir = direction_of_step(AGX - x, AGY - y);
  if (DEBUG_MODE == 2) std::printf("\n Return Dir : %d", dir);
  if (dir != NO_PATH && !npc) write_waypoints(s, route);
  return dir;
}

}  // namespace

int heuristic_distance(int x1, int y1, int x2, int y2) {
  return (std::abs(x1 - x2) + std::abs(y1 - y2)) * 10;
}

int a_star_path_finding(int x, int y, int tx, int ty, int z) {
  recorded_command command("a_star_path_finding", {x, y, tx, ty, z});
  return find_path(false, x, y, tx, ty, z);
}

int npc_a_star_path_finding(int x, int y, int tx, int ty, int z) {
  return find_path(true, x, y, tx, ty, z);
}
