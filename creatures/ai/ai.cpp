// The computer players' turn.  Every creature acts on its standing order
// until its moves are spent: guards watch, attackers close in and strike,
// seekers hunt the party across the level and up or down ladders, the
// wounded flee and the rest wander.  Each pass over a creature costs it
// moves, so the turn always comes to an end.
#include "creatures/ai/ai.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/facing.h"
#include "core/frontend.h"
#include "core/world.h"
#include "creatures/ai/steering.h"
#include "creatures/combat.h"
#include "creatures/neighbours.h"
#include "creatures/path.h"
#include "creatures/sight.h"

constexpr int STEP_COST = 15;        // an attacker's step, on top of the walk itself
constexpr int RANDOM_STEP_COST = 5;  // a seeker's or wanderer's step
constexpr int BOUNCE_COST = 5;       // a pass whose step was blocked
constexpr int PASS_TOLL = 5;         // a pass that cost nothing else
constexpr int HEADING_TRIES = 500;
constexpr int FLEE_TIRED = 14;
constexpr int FLEE_BADLY_HURT = 10;
constexpr int SEEKER_LADDER_WIT = 25;
constexpr int WATCH_RANGE = 5;
constexpr int WATCH_PAUSE_MS = 50;
constexpr int WEB_CHANCE = 4;
constexpr int NO_TARGET = 999;
constexpr int NO_SQUARE = 999;
constexpr int RACE_SPIDER = 5;
constexpr int WOUNDED_PER_LEVEL = 13;
constexpr int PATH_DIRECTIONS = 8;

namespace {

enum class pass_end { go_on, player_done, game_over };

struct player_turn {
  int player;
  int start_x, start_y, start_z;  // where unit 1 stood when the turn began
};

}  // namespace

static bool live(const unit_record& r) { return r.status != UNIT_FREE; }

// The human player's unit every creature measures itself against.
static const unit_record& current_unit() {
  static const unit_record nobody{};
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return nobody;
  return unit[CURRENT_PLAYER][CURRENT_UNIT];
}

static bool on_current_level(const unit_record& me) { return me.z == current_unit().z; }

// Close enough to the party, on a square it has seen, to be watched.
static bool in_party_view(const unit_record& me) {
  const unit_record& cu = current_unit();
  if (!live(me) || me.z != cu.z || !on_grid(me.z, me.x, me.y)) return false;
  if (std::abs(me.x - cu.x) > WATCH_RANGE || std::abs(me.y - cu.y) > WATCH_RANGE) return false;
  return map[me.z][me.x][me.y].revealed != 0;
}

static bool facing_wall(int player, int u) {
  int t = facing(unit[player][u].facing, player, u);
  return t == TERRAIN_ROCK || t == TERRAIN_EARTH || t == TERRAIN_BUILT_WALL;
}

static bool facing_open_floor(int player, int u) {
  int t = facing(unit[player][u].facing, player, u);
  return t == TERRAIN_STONE_FLOOR || t == TERRAIN_WOODEN_FLOOR || t == TERRAIN_ROOM_FLOOR ||
         t == TERRAIN_PASSAGE_FLOOR || t == TERRAIN_OPEN_DOOR;
}

// ---------------------------------------------------------------------------
// Probes and small moves
// ---------------------------------------------------------------------------

// Where the human party stands while the computer players move: nobody
// walks it about during their turn, so a probe far from all of it can be
// answered without casting a ray.
namespace {
struct party_square {
  int x, y, z;
};
std::vector<party_square> party_squares;
bool party_known = false;
}  // namespace

static void note_party() {
  party_squares.clear();
  for (int i = 1; i <= UNIT_MAX && i < UNIT_SLOTS; i++) {
    const unit_record& r = unit[1][i];
    if (r.status != UNIT_FREE && r.status != UNIT_GONE && on_grid(r.z, r.x, r.y))
      party_squares.push_back({r.x, r.y, r.z});
  }
  party_known = true;
}

// False only when no member of the party stands within reach of the rays.
static bool party_within(const unit_record& me, int reach) {
  if (!party_known) return true;
  for (const party_square& p : party_squares)
    if (p.z == me.z && std::abs(p.x - me.x) <= reach && std::abs(p.y - me.y) <= reach) return true;
  return false;
}

int sees_party(int player, int u) {
  if (!unit_slot_valid(player, u)) return 0;
  const unit_record& me = unit[player][u];
  int s = me.sight;
  if (!party_within(me, std::abs(s) + 2)) return 0;
  int ends[3][2];
  switch (me.facing) {
    case NORTH:
      ends[0][0] = 0, ends[0][1] = -s, ends[1][0] = -1, ends[1][1] = -s;
      ends[2][0] = 1, ends[2][1] = -s;
      break;
    case NORTHEAST:
      ends[0][0] = s, ends[0][1] = -s, ends[1][0] = s - 1, ends[1][1] = -s - 1;
      ends[2][0] = s + 1, ends[2][1] = -s + 1;
      break;
    case EAST:
      ends[0][0] = s, ends[0][1] = 0, ends[1][0] = s, ends[1][1] = -1;
      ends[2][0] = s, ends[2][1] = 1;
      break;
    case SOUTHEAST:
      ends[0][0] = s, ends[0][1] = s, ends[1][0] = s - 1, ends[1][1] = s + 1;
      ends[2][0] = s + 1, ends[2][1] = s - 1;
      break;
    case SOUTH:
      ends[0][0] = 0, ends[0][1] = s, ends[1][0] = -1, ends[1][1] = s;
      ends[2][0] = 1, ends[2][1] = s;
      break;
    case SOUTHWEST:
      ends[0][0] = -s, ends[0][1] = s, ends[1][0] = -s - 1, ends[1][1] = s - 1;
      ends[2][0] = -s + 1, ends[2][1] = s + 1;
      break;
    case WEST:
      ends[0][0] = -s, ends[0][1] = 0, ends[1][0] = -s, ends[1][1] = -1;
      ends[2][0] = -s, ends[2][1] = 1;
      break;
    case NORTHWEST:
      ends[0][0] = -s, ends[0][1] = -s, ends[1][0] = -s - 1, ends[1][1] = -s + 1;
      ends[2][0] = -s + 1, ends[2][1] = -s - 1;
      break;
    default:
      return 0;
  }
  for (const auto& e : ends)
    if (single_ray(me.x, me.y, me.z, me.x + e[0], me.y + e[1]) >= RAY_SEES_PARTY + 1) return 1;
  return 0;
}

// A new heading while the unit faces a wall; it keeps the last draw if every
// one of them faced a wall too.
static void random_heading(int player, int u) {
  for (int i = 0; i < HEADING_TRIES && facing_wall(player, u); i++)
    unit[player][u].facing = std::rand() % 8;
  if (facing_wall(player, u)) rest_ms(0);
}

static void random_neighbour_waypoint(unit_record& me) {
  me.waypoint_index = WAYPOINT_TARGET;
  int x = me.x - 1 + std::rand() % 3;
  int y = me.y - 1 + std::rand() % 3;
  me.waypoint_x[WAYPOINT_TARGET] = x;
  me.waypoint_y[WAYPOINT_TARGET] = y;
}

static void head_for(unit_record& me, int x, int y) {
  me.waypoint_index = WAYPOINT_POSITION;
  me.waypoint_x[WAYPOINT_POSITION] = x;
  me.waypoint_y[WAYPOINT_POSITION] = y;
}

// The unit strikes the enemy in direction e.  True when the blow ended the game.
static bool strike(int player, int u, int e) {
  unit_record& me = unit[player][u];
  int x = me.x + DIRECTION_DX[e], y = me.y + DIRECTION_DY[e];
  if (!on_grid(me.z, x, y)) return false;
  int vp = map[me.z][x][y].occupant_player, victim = map[me.z][x][y].occupant_unit;
  if (!unit_slot_valid(vp, victim)) return false;
  me.facing = e;
  std::string text = std::string(me.name) + " hits " + unit[vp][victim].name;
  message_box(text.c_str());
  if (DEBUG_MODE > 0) std::printf("\n%s\n", text.c_str());
  me.waypoint_x[WAYPOINT_TARGET] = vp;
  me.waypoint_y[WAYPOINT_TARGET] = victim;
  combat(vp, victim, player, u);
  if (gameover == GAME_OVER) return true;
  me.moves = 0;
  UPDATE_MAP = 1;
  drawmap();
  return false;
}

// Whether a web strand from (x1, y1) to (x2, y2) would cross solid rock or
// wall, whether the party has seen that wall or not.
static bool strand_blocked(int z, int x1, int y1, int x2, int y2) {
  constexpr int steps = 6;
  for (int s = 1; s <= steps; s++) {
    float fx = static_cast<float>(x1) + static_cast<float>(s * (x2 - x1)) / steps;
    float fy = static_cast<float>(y1) + static_cast<float>(s * (y2 - y1)) / steps;
    int x = static_cast<int>(fx + (fx < 0 ? -0.5f : 0.5f));
    int y = static_cast<int>(fy + (fy < 0 ? -0.5f : 0.5f));
    if (!on_grid(z, x, y)) return true;
    int t = map[z][x][y].terrain;
    if (t == TERRAIN_ROCK || t == TERRAIN_EARTH || t == TERRAIN_BUILT_WALL) return true;
  }
  return false;
}

static void spin_web(int player, int u) {
  const unit_record& me = unit[player][u];
  if (std::rand() % WEB_CHANCE != 0) return;
  int x = me.x + std::rand() % 6 - 3;
  int y = me.y + std::rand() % 6 - 3;
  if (!on_grid(me.z, x, y)) return;
  if (single_ray(me.x, me.y, me.z, x, y) != RAY_CLEAR) return;
  if (strand_blocked(me.z, me.x, me.y, x, y)) return;
  map_cell& c = map[me.z][x][y];
  if (c.scenery != SCENERY_NONE) return;
  c.scenery = SCENERY_WEB;
}

// ---------------------------------------------------------------------------
// The orders
// ---------------------------------------------------------------------------

// A live unit of another player, still in the dungeon.
static bool worth_pursuing(int player, int tp, int tu) {
  if (tp < 1 || tp >= MAX_PLAYERS || tp == player || tu < 1 || tu > UNIT_MAX) return false;
  if (!unit_slot_valid(tp, tu)) return false;
  const unit_record& t = unit[tp][tu];
  return t.status != UNIT_FREE && t.status != UNIT_GONE && on_grid(t.z, t.x, t.y);
}

// An attacker whose target was cleared or is gone turns on the unit the
// human player is acting with.
static void aim_at_target(int player, unit_record& me) {
  int tp = me.waypoint_x[WAYPOINT_TARGET], tu = me.waypoint_y[WAYPOINT_TARGET];
  if (!worth_pursuing(player, tp, tu)) {
    tp = CURRENT_PLAYER, tu = CURRENT_UNIT;
    me.waypoint_x[WAYPOINT_TARGET] = tp;
    me.waypoint_y[WAYPOINT_TARGET] = tu;
  }
  const unit_record& t = unit_slot_valid(tp, tu) ? unit[tp][tu] : current_unit();
  head_for(me, t.x, t.y);
}

static pass_end guard(int player, int u) {
  unit_record& me = unit[player][u];
  if (next_to_enemy(player, u) != FAIL) {
    me.order = ORDER_ATTACK;
    return pass_end::player_done;  // it wakes, but strikes only next turn
  }
  if (sees_party(player, u)) {
    me.order = ORDER_ATTACK;
    me.waypoint_index = WAYPOINT_POSITION;
    me.waypoint_x[WAYPOINT_TARGET] = CURRENT_PLAYER;
    me.waypoint_y[WAYPOINT_TARGET] = 1;
  } else {
    me.moves = 0;
  }
  return pass_end::go_on;
}

// Takes a steering step and charges an attacker's step unless it was blocked.
static void attacker_step(int player, int u) {
  AIunitmove(player, u);
  if (BOUNCED != 1) unit[player][u].moves -= STEP_COST;
}

static pass_end attack(int player, int u) {
  unit_record& me = unit[player][u];
  if (me.status != UNIT_NORMAL) std::printf("\n ERROR ZOMBIE UNIT! %d \n", u);
  me.order = ORDER_ATTACK;
  aim_at_target(player, me);
  while (me.moves >= 1 && live(me)) {
    int before = me.moves;
    int h = me.health < WOUNDED_PER_LEVEL * me.level ? next_to_health(player, u) : FAIL;
    if (h != FAIL) {
      me.facing = h;
      attacker_step(player, u);
    }
    int e = next_to_enemy(player, u);
    if (e != FAIL && me.moves >= 1) {
      if (strike(player, u, e)) return pass_end::game_over;
    } else if (me.moves >= 1) {
      if (sees_party(player, u)) {
        attacker_step(player, u);
      } else {
        random_heading(player, u);
        attacker_step(player, u);
        if (on_current_level(me)) {
          const unit_record& cu = current_unit();
          me.order = ORDER_SEEK;
          head_for(me, cu.x, cu.y);
        }
      }
    }
    if (me.moves >= before) me.moves -= PASS_TOLL;
  }
  return pass_end::go_on;
}

// The ladder on the unit's own level that leads towards the party: the last
// one in scan order, false when there is none.
static bool ladder_towards_party(const unit_record& me, int& lx, int& ly) {
  int wanted = me.z < current_unit().z ? SCENERY_LADDER_UP : SCENERY_LADDER_DOWN;
  lx = ly = NO_SQUARE;
  int nx = MAX_LAND_SIZE_X < LAND_SIZE ? MAX_LAND_SIZE_X : LAND_SIZE;
  int ny = MAX_LAND_SIZE_Y < LAND_SIZE ? MAX_LAND_SIZE_Y : LAND_SIZE;
  for (int x = 0; x < nx; x++)
    for (int y = 0; y < ny; y++)
      if (map[me.z][x][y].scenery == wanted) lx = x, ly = y;
  return lx != NO_SQUARE;
}

static bool is_direction(int d) { return d >= 0 && d < PATH_DIRECTIONS; }

// A search towards a unit ends beside it, so it cannot succeed while every
// square around that unit is taken or shut: the crowd round a surrounded
// party would otherwise walk the whole level, one search per step.
static bool surrounded(int z, int gx, int gy) {
  if (!on_grid(z, gx, gy) || map[z][gx][gy].occupant_player == 0) return false;
  for (int d = NORTH; d <= NORTHWEST; d++) {
    int x = gx + DIRECTION_DX[d], y = gy + DIRECTION_DY[d];
    if (on_grid(z, x, y) && map[z][x][y].passable != 0) return false;
  }
  return true;
}

// The last search of the unit now acting that found no way.  While the unit
// keeps its square and nothing around it changes, nobody else acts and the
// same search would walk the same squares to the same dead end, so it is not
// walked again.  Forgotten whenever play moves on to another unit.
namespace {
struct failed_search {
  bool known = false;
  int x, y, z, gx, gy;
  map_cell around[3][3];
};
failed_search last_failure;
}  // namespace

static void note_surroundings(int z, int x, int y, map_cell (&around)[3][3]) {
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++)
      around[dx + 1][dy + 1] = on_grid(z, x + dx, y + dy) ? map[z][x + dx][y + dy] : map_cell{};
}

static bool same_failure(const unit_record& me, int gx, int gy) {
  const failed_search& f = last_failure;
  if (!f.known || f.x != me.x || f.y != me.y || f.z != me.z || f.gx != gx || f.gy != gy)
    return false;
  map_cell now[3][3];
  note_surroundings(me.z, me.x, me.y, now);
  return std::memcmp(now, f.around, sizeof now) == 0;
}

static void remember_failure(const unit_record& me, int gx, int gy) {
  failed_search& f = last_failure;
  f.known = true;
  f.x = me.x, f.y = me.y, f.z = me.z, f.gx = gx, f.gy = gy;
  note_surroundings(me.z, me.x, me.y, f.around);
}

// Takes the first step of a path found to (gx, gy), if one was found.
static bool follow_path(unit_record& me, int gx, int gy) {
  if (surrounded(me.z, gx, gy) || same_failure(me, gx, gy)) return false;
  int d = npc_a_star_path_finding(me.x, me.y, gx, gy, me.z);
  if (!is_direction(d)) {
    remember_failure(me, gx, gy);
    return false;
  }
  me.facing = d;
  head_for(me, AGX, AGY);
  return true;
}

static pass_end seek(int player, int u) {
  unit_record& me = unit[player][u];
  const unit_record& cu = current_unit();
  if (on_current_level(me)) {
    head_for(me, cu.x, cu.y);
    me.waypoint_x[WAYPOINT_TARGET] = NO_TARGET;
    if (!follow_path(me, cu.x, cu.y)) {
      random_heading(player, u);
      random_neighbour_waypoint(me);
      me.moves -= RANDOM_STEP_COST;
    }
  } else if (me.intelligence < SEEKER_LADDER_WIT) {
    random_heading(player, u);
    me.moves -= RANDOM_STEP_COST;
    random_neighbour_waypoint(me);
  } else {
    int lx, ly;
    bool found = ladder_towards_party(me, lx, ly);
    head_for(me, lx, ly);
    me.waypoint_x[WAYPOINT_TARGET] = NO_TARGET;
    if (!found || !follow_path(me, lx, ly)) {
      random_heading(player, u);
      random_neighbour_waypoint(me);
    }
  }
  AIunitmove(player, u);
  int e = next_to_enemy(player, u);
  if (e != FAIL && me.moves >= 1 && strike(player, u, e)) return pass_end::game_over;
  return pass_end::go_on;
}

// Whether a unit of the human player stands within half as far again as the
// fugitive can see.
static bool threat_near(const unit_record& me) {
  int reach = me.sight * 3 / 2;
  for (int i = 1; i <= UNIT_MAX && i < UNIT_SLOTS; i++) {
    const unit_record& t = unit[CURRENT_PLAYER][i];
    if (t.status == UNIT_FREE || t.status == UNIT_GONE || t.z != me.z) continue;
    if (std::abs(t.x - me.x) <= reach && std::abs(t.y - me.y) <= reach) return true;
  }
  return false;
}

static pass_end flee(int player, int u) {
  unit_record& me = unit[player][u];
  if (!on_current_level(me)) {
    me.order = ORDER_WANDER;
    return pass_end::player_done;
  }
  const unit_record& cu = current_unit();
  int x = me.x, y = me.y;
  if (cu.x < me.x) x++;
  if (cu.y < me.y) y++;
  if (cu.x > me.x) x--;
  if (cu.y > me.y) y--;
  head_for(me, x, y);
  me.waypoint_x[WAYPOINT_TARGET] = NO_TARGET;
  AIunitmove(player, u);
  // Out of breath it stops running, unless the party is still close behind.
  if (me.moves < FLEE_TIRED && me.order != ORDER_WANDER)
    me.order = (me.order == ORDER_FLEE && threat_near(me)) ? ORDER_FLEE : ORDER_WANDER;
  if (me.health < FLEE_BADLY_HURT) me.order = ORDER_FLEE;
  return pass_end::go_on;
}

static void follow_route(int player, int u) {
  unit_record& me = unit[player][u];
  if (me.waypoint_index < 0 || me.waypoint_index >= WAYPOINTS) me.waypoint_index = 1;
  AIunitmove(player, u);
  int i = me.waypoint_index;
  if (i < 0 || i >= WAYPOINTS) return;
  if (me.x != me.waypoint_x[i] || me.y != me.waypoint_y[i]) return;
  i++;
  if (i >= WAYPOINTS || me.waypoint_x[i] == NO_SQUARE) i = 1;
  me.waypoint_index = i;
}

static void wander(int player, int u) {
  unit_record& me = unit[player][u];
  if (!facing_open_floor(player, u)) me.facing = std::rand() % 8;
  random_heading(player, u);
  if (me.facing >= NORTH && me.facing <= NORTHWEST) {
    me.waypoint_index = WAYPOINT_TARGET;
    me.waypoint_x[WAYPOINT_TARGET] = me.x + DIRECTION_DX[me.facing];
    me.waypoint_y[WAYPOINT_TARGET] = me.y + DIRECTION_DY[me.facing];
  } else {
    random_neighbour_waypoint(me);
  }
  me.moves -= RANDOM_STEP_COST;
  AIunitmove(player, u);
  int e = next_to_enemy(player, u);
  if (e == FAIL) return;
  // It turns on whoever it bumped into.
  int ex = me.x + DIRECTION_DX[e], ey = me.y + DIRECTION_DY[e];
  me.waypoint_x[WAYPOINT_TARGET] = map[me.z][ex][ey].occupant_player;
  me.waypoint_y[WAYPOINT_TARGET] = map[me.z][ex][ey].occupant_unit;
  me.order = ORDER_ATTACK;
}

// A unit worn out on the square its player's first unit started from gets
// going again.  Idle units and guards hold their ground by order.
static void start_square_rule(const player_turn& turn, int player, int u) {
  unit_record& me = unit[player][u];
  if (!live(me) || 2 * me.moves >= me.movement) return;
  if (me.order == ORDER_IDLE || me.order == ORDER_GUARD) return;
  if (me.x != turn.start_x || me.y != turn.start_y || me.z != turn.start_z) return;
  me.order = next_to_enemy(player, u) != FAIL ? ORDER_ATTACK : ORDER_WANDER;
}

static void show_if_watched(int player, int u) {
  if (!in_party_view(unit[player][u])) return;
  UPDATE_MAP = 1;
  drawmap();
  rest_ms(WATCH_PAUSE_MS);
}

// Everything one pass does for a unit that has moves left, in its order.
static pass_end play_orders(const player_turn& turn, int u) {
  int player = turn.player;
  unit_record& me = unit[player][u];
  BOUNCED = 0;
  if (me.order == ORDER_GUARD && me.moves >= 1) {
    if (guard(player, u) == pass_end::player_done) return pass_end::player_done;
  }
  if (me.order == ORDER_ATTACK) {
    if (attack(player, u) == pass_end::game_over) return pass_end::game_over;
  }
  if (me.order == ORDER_IDLE) {
    me.moves = 0;  // an idle unit does nothing at all this turn
    return pass_end::go_on;
  }
  if (me.order == ORDER_SEEK && me.moves >= 1) {
    if (seek(player, u) == pass_end::game_over) return pass_end::game_over;
  }
  if (me.order == ORDER_FLEE) {
    if (flee(player, u) == pass_end::player_done) return pass_end::player_done;
  }
  start_square_rule(turn, player, u);
  if (me.order == ORDER_ROUTE) follow_route(player, u);
  if (me.order == ORDER_WANDER) wander(player, u);
  show_if_watched(player, u);
  if (BOUNCED == 1) me.moves -= BOUNCE_COST;
  return pass_end::go_on;
}

static void mark_if_watched(const unit_record& me) {
  if (in_party_view(me)) UPDATE_MAP = 1;
}

static bool leader_dead() {
  return unit_slot_valid(CURRENT_PLAYER, 1) && unit[CURRENT_PLAYER][1].status == UNIT_FREE;
}

// One player's creatures, one after the other.  False when the game ended.
static bool play_player(int player) {
  unit_record& first = unit[player][1];
  first.moves = first.movement;
  player_turn turn{player, first.x, first.y, first.z};
  last_failure.known = false;
  int last = UNIT_MAX < UNIT_SLOTS - 1 ? UNIT_MAX : UNIT_SLOTS - 1;
  int u = 1;
  for (;;) {
    if (leader_dead()) {
      unit[player][u].moves = 0;
      return true;
    }
    if (unit[player][u].moves < 1) {
      if (live(unit[player][u]) && unit[player][u].race == RACE_SPIDER &&
          on_grid(unit[player][u].z, unit[player][u].x, unit[player][u].y))
        spin_web(player, u);
      last_failure.known = false;
      if (++u > last) return true;
      if (live(unit[player][u])) unit[player][u].moves = unit[player][u].movement;
    }
    unit_record& me = unit[player][u];
    mark_if_watched(me);
    if (!live(me)) {
      me.moves = me.x = me.y = me.z = 0;
      continue;
    }
    if (!on_grid(me.z, me.x, me.y)) {
      me.moves = 0;  // a unit lost off the map can do nothing
      continue;
    }
    int moves = me.moves, heading = me.facing;
    pass_end end = play_orders(turn, u);
    if (end == pass_end::game_over) return false;
    if (end == pass_end::player_done) return true;
    // A pass that neither spent moves nor turned the unit still costs: no
    // order can keep a creature busy for ever.
    if (live(me) && me.moves >= moves && me.facing == heading) me.moves -= PASS_TOLL;
  }
}

void otherplayermove() {
  message_box("Monster NPC movement.");
  note_party();
  for (int p = 1; p < MAX_PLAYERS && p < 4; p++) {
    if (p == CURRENT_PLAYER) continue;
    if (DEBUG_MODE > 0) std::printf("\nComputer player %d moves", p);
    if (!play_player(p)) break;
  }
  party_known = false;
}
