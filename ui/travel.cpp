#include "ui/travel.h"

#include <array>
#include <vector>

#include "core/actions/movement.h"
#include "core/frontend.h"
#include "core/messages.h"
#include "core/movecost.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/world.h"
#include "creatures/sight.h"

namespace {

constexpr int UNVISITED = -1, START = -2;

// Each square the search reached holds the direction it was entered by; the
// squares in the order they were reached come first-nearest.
struct route_search {
  std::array<std::array<int, LAND_SIZE>, LAND_SIZE> came;
  std::vector<int> order;  // x * LAND_SIZE + y
};

// Straight steps first, so that of equal routes the one without needless
// diagonals is found.
constexpr int SEARCH_DIRECTIONS[8] = {0, 2, 4, 6, 1, 3, 5, 7};

void search_from(int z, int fx, int fy, route_search& s) {
  for (auto& column : s.came) column.fill(UNVISITED);
  s.order.clear();
  if (!on_grid(z, fx, fy)) return;
  s.order.reserve(LAND_SIZE * LAND_SIZE);
  s.came[fx][fy] = START;
  s.order.push_back(fx * LAND_SIZE + fy);
  // Every square goes into order once, so the walk through it is bounded by
  // the size of the level.
  for (std::size_t next = 0; next < s.order.size(); next++) {
    int x = s.order[next] / LAND_SIZE, y = s.order[next] % LAND_SIZE;
    for (int d : SEARCH_DIRECTIONS) {
      int nx = x + DIRECTION_DX[d], ny = y + DIRECTION_DY[d];
      if (!on_grid(z, nx, ny) || s.came[nx][ny] != UNVISITED) continue;
      if (!travel_square_open(z, nx, ny)) continue;
      s.came[nx][ny] = d;
      s.order.push_back(nx * LAND_SIZE + ny);
    }
  }
}

int first_step_to(const route_search& s, int tx, int ty) {
  if (!on_grid(0, tx, ty) || s.came[tx][ty] < 0) return -1;
  int x = tx, y = ty;
  for (int guard = 0; guard < LAND_SIZE * LAND_SIZE; guard++) {
    int d = s.came[x][y];
    int px = x - DIRECTION_DX[d], py = y - DIRECTION_DY[d];
    if (s.came[px][py] == START) return d;
    x = px, y = py;
  }
  return -1;
}

bool leads_up(int z, int x, int y) {
  int s = map[z][x][y].scenery;
  return s == SCENERY_STAIRS_BOTH_WAYS || s == SCENERY_LADDER_UP;
}
bool leads_down(int z, int x, int y) {
  int s = map[z][x][y].scenery;
  return z > 0 &&
         (s == SCENERY_STAIRS_BOTH_WAYS || s == SCENERY_LADDER_DOWN || s == SCENERY_TRAPDOOR);
}

unit_record& acting_unit() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

void act(void (*move)(int, int)) {
  move(CURRENT_PLAYER, CURRENT_UNIT);
  reveal_tiles();
  UPDATE_MAP = 1;
}

// The creatures of other players on squares in view now, by player and slot.
std::vector<char> creatures_in_sight(int player, int z) {
  std::vector<char> seen(4 * UNIT_SLOTS, 0);
  for (int x = 0; x < LAND_SIZE; x++)
    for (int y = 0; y < LAND_SIZE; y++) {
      const map_cell& c = map[z][x][y];
      if (c.revealed != 1 || c.occupant_unit < 1 || c.occupant_player < 1) continue;
      if (c.occupant_player == player || !unit_slot_valid(c.occupant_player, c.occupant_unit))
        continue;
      seen[c.occupant_player * UNIT_SLOTS + c.occupant_unit] = 1;
    }
  return seen;
}

struct walk {
  bool on = false;
  int player = 0, u = 0, z = 0, tx = 0, ty = 0, turn = 0;
  unsigned seed = 0;
  std::vector<char> in_sight;
  travel_end last = TRAVEL_WALKING;
};
walk W;

void finish(travel_end why) {
  W.on = false;
  W.last = why;
}

bool same_walker() {
  return W.player == CURRENT_PLAYER && W.u == CURRENT_UNIT && W.turn == REPLAY_TURN &&
         W.seed == GAME_SEED && acting_unit().z == W.z;
}

// True when someone not in sight before the step is now.
bool newcomer_in_sight() {
  std::vector<char> now = creatures_in_sight(W.player, W.z);
  bool newcomer = false;
  for (std::size_t i = 0; i < now.size(); i++)
    if (now[i] && !W.in_sight[i]) newcomer = true;
  W.in_sight = std::move(now);
  return newcomer;
}

}  // namespace

bool travel_square_open(int z, int x, int y) {
  if (!on_grid(z, x, y)) return false;
  const map_cell& c = map[z][x][y];
  if (c.revealed == 0) return false;
  // A closed door is opened by the step itself; a found secret passage is
  // walked through its wall.
  bool way_through = c.terrain == TERRAIN_CLOSED_DOOR || c.scenery == SCENERY_SECRET_FOUND;
  if (terrain_blocks(c.terrain) && !way_through) return false;
  if (scenery_blocks(c.scenery)) return false;
  switch (c.scenery) {
    case SCENERY_PIT:
    case SCENERY_FIRE:
    case SCENERY_HOLE:
    case SCENERY_KNOWN_TRAP:
    case SCENERY_QUICKSAND:
      return false;
    default:
      break;
  }
  if (environment[z][x][y].lava != 0) return false;
  // Only someone seen now is walked around; who stands out of sight is not
  // the party's to know.
  return c.revealed != 1 || c.occupant_player < 1;
}

int route_first_step(int z, int fx, int fy, int tx, int ty) {
  static route_search s;
  search_from(z, fx, fy, s);
  return first_step_to(s, tx, ty);
}

bool nearest_ladder(int z, int fx, int fy, bool up, int& x, int& y) {
  static route_search s;
  search_from(z, fx, fy, s);
  for (int at : s.order) {
    int ax = at / LAND_SIZE, ay = at % LAND_SIZE;
    if (up ? leads_up(z, ax, ay) : leads_down(z, ax, ay)) {
      x = ax, y = ay;
      return true;
    }
  }
  return false;
}

int short_turn(int facing, int target) {
  int d = ((target - facing) % 8 + 8) % 8;
  if (d == 0) return 0;
  if (d == 4) return facing < target ? -1 : +1;
  return d < 4 ? +1 : -1;
}

void face_and_step(int direction) {
  unit_record& u = acting_unit();
  for (int i = 0; i < 4 && u.facing != direction && u.moves >= 1; i++)
    act(short_turn(u.facing, direction) < 0 ? turnleft : turnright);
  if (u.facing == direction && u.moves >= 1) act(forward);
}

bool travel_to_ladder(bool up) {
  const unit_record& u = acting_unit();
  int x = 0, y = 0;
  if (!nearest_ladder(u.z, u.x, u.y, up, x, y)) {
    message_box(up ? "You know of no way UP on this level."
                   : "You know of no way DOWN on this level.");
    return false;
  }
  if (x == u.x && y == u.y) {
    message_box(up ? "You stand at a way UP." : "You stand at a way DOWN.");
    return false;
  }
  return travel_to(x, y);
}

bool travel_to(int x, int y) {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return false;
  const unit_record& u = acting_unit();
  if (!on_grid(u.z, x, y) || (u.x == x && u.y == y)) return false;
  W.on = true;
  W.last = TRAVEL_WALKING;
  W.player = CURRENT_PLAYER;
  W.u = CURRENT_UNIT;
  W.z = u.z;
  W.tx = x, W.ty = y;
  W.turn = REPLAY_TURN;
  W.seed = GAME_SEED;
  // Creatures already in view when the walk starts do not stop it; only
  // ones that come into view on the way.
  W.in_sight = creatures_in_sight(W.player, W.z);
  return true;
}

bool travel_walking() { return W.on; }
travel_end travel_last_end() { return W.last; }

void travel_interrupt() {
  if (W.on) finish(TRAVEL_INTERRUPTED);
}

void travel_step() {
  if (!W.on) return;
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) || !same_walker())
    return finish(TRAVEL_INTERRUPTED);
  unit_record& u = acting_unit();
  if (u.moves < 1) return finish(TRAVEL_OUT_OF_POINTS);
  if (u.x == W.tx && u.y == W.ty) return finish(TRAVEL_ARRIVED);
  int dir = route_first_step(W.z, u.x, u.y, W.tx, W.ty);
  if (dir < 0) {
    message_box("No known way leads on from here.");
    return finish(TRAVEL_NO_ROUTE);
  }
  unsigned told = message_lines_told();
  int turn = short_turn(u.facing, dir);
  int ex = u.x + DIRECTION_DX[dir], ey = u.y + DIRECTION_DY[dir];
  if (turn != 0)
    act(turn < 0 ? turnleft : turnright);
  else
    act(forward);

  bool newcomer = newcomer_in_sight();
  if (message_lines_told() != told) return finish(TRAVEL_MESSAGE);
  if (newcomer) {
    message_box("Something comes into sight!");
    return finish(TRAVEL_ENEMY);
  }
  if (turn == 0 && (u.x != ex || u.y != ey)) return finish(TRAVEL_REFUSED);
  if (u.x == W.tx && u.y == W.ty) return finish(TRAVEL_ARRIVED);
  if (u.moves < 1) return finish(TRAVEL_OUT_OF_POINTS);
}
