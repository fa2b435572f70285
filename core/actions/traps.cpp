// Hidden traps.  A trap hurts more the deeper it lies and the harder the
// game; what it turns into depends on a draw and on what lies beneath it.
#include "core/actions/traps.h"

#include <cstdlib>

#include "core/actions/movement.h"
#include "core/actions/wounds.h"
#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"
#include "items/inventory.h"

constexpr int TRAP_KINDS = 7;
constexpr int TRAP_BOULDER = 0;
constexpr int TRAP_PIT = 1;
constexpr int TRAP_QUICKSAND = 2;
constexpr int TRAP_HOLE = 3;
constexpr int TRAP_ROOF = 4;
// Kinds 5 and 6: the weight trigger.
constexpr int WEIGHT_TRIGGER_BASE = 200;
constexpr int WEIGHT_TRIGGER_PER_LEVEL = 10;

static int trap_damage(int z) { return (z / 2) * (std::rand() % 6) * DIFFICULTY + 1; }

static void set_scenery(int z, int x, int y, int scenery, int passable) {
  map[z][x][y].scenery = scenery;
  map[z][x][y].passable = passable;
}

static void spike_trap(unit_record& me, int d, int z, int x, int y) {
  message_box("Ouch! You activate a spike trap.");
  me.health -= d;
  me.moves = 0;
  map[z][x][y].scenery = SCENERY_SPRUNG_SPIKES;
}

// Knocked off the square: forward, and back again when the way ahead is shut.
static void knocked_aside(int player, int u) {
  forward(player, u);
  // Whatever the step ran into may have killed the unit: the dead stay put.
  if (BOUNCED == 1 && unit[player][u].status != UNIT_FREE) backward(player, u);
}

static bool rock_below(int z, int x, int y) {
  return z == 0 || map[z - 1][x][y].terrain == TERRAIN_ROCK;
}

// The floor gives way only over open ground below, with no hole next to it
// and no track laid on it.  Nobody may stand where the faller lands.
static bool floor_may_give_way(int z, int x, int y) {
  if (z <= 0 || environment[z][x][y].track != TRACK_NONE) return false;
  const map_cell& below = map[z - 1][x][y];
  if (below.passable == 0 || below.occupant_player != 0) return false;
  for (int d = NORTH; d <= NORTHWEST; d += 2) {
    int i = x + DIRECTION_DX[d], j = y + DIRECTION_DY[d];
    if (on_grid(z, i, j) && map[z][i][j].scenery == SCENERY_HOLE) return false;
  }
  return true;
}

static void fall_through(unit_record& me, int player, int u, int d, int z, int x, int y) {
  message_box("The floor gives way beneath your feet!");
  me.moves = 0;
  set_scenery(z, x, y, SCENERY_HOLE, 1);
  move_unit(player, u, z - 1, x, y);
  map[z - 1][x][y].passable = 0;
  me.health -= d;
}

static void weight_trigger(unit_record& me, int player, int u, int d, int z, int x, int y) {
  if (total_weight(player, u) > WEIGHT_TRIGGER_BASE - WEIGHT_TRIGGER_PER_LEVEL * z)
    spike_trap(me, d, z, x, y);
  message_box("You hear a click!");
}

void trap(int z, int x, int y, int player, int u) {
  if (!on_grid(z, x, y) || !unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  int d = trap_damage(z);
  int kind = std::rand() % TRAP_KINDS;
  switch (kind) {
    case TRAP_BOULDER:
      message_box("A boulder drops on you!");
      me.health -= d;
      knocked_aside(player, u);
      me.moves = 0;
      set_scenery(z, x, y, SCENERY_BOULDER, 0);
      break;
    case TRAP_PIT:
      if (rock_below(z, x, y)) {
        message_box("Ouch! You fall into a pit.");
        me.moves = 0;
        me.health -= d / 2;
        map[z][x][y].scenery = SCENERY_PIT;
      } else {
        spike_trap(me, d, z, x, y);
      }
      break;
    case TRAP_QUICKSAND:
      message_box("The ground gives way to quicksand!");
      me.moves = 0;
      map[z][x][y].scenery = SCENERY_QUICKSAND;
      break;
    case TRAP_HOLE:
      if (floor_may_give_way(z, x, y))
        fall_through(me, player, u, d, z, x, y);
      else
        spike_trap(me, d, z, x, y);
      break;
    case TRAP_ROOF:
      message_box("The roof collapses on you.");
      me.health -= d;
      knocked_aside(player, u);
      me.moves = 0;
      set_scenery(z, x, y, SCENERY_RUBBLE, 0);
      break;
    default:
      weight_trigger(me, player, u, d, z, x, y);
      break;
  }
  settle_wounds(player, u);
}

void search_traps(int player, int u) {
  recorded_command command("search_traps", {player, u});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  for (int dy = -1; dy <= 1; dy++) {
    for (int dx = -1; dx <= 1; dx++) {
      int x = me.x + dx, y = me.y + dy;
      if (!on_grid(me.z, x, y)) continue;
      int& s = map[me.z][x][y].scenery;
      if (s == SCENERY_HIDDEN_TRAP) s = SCENERY_KNOWN_TRAP;
      if (s == SCENERY_SECRET_HIDDEN) s = SCENERY_SECRET_FOUND;
    }
  }
  me.moves = 0;
  draw_explosion(0, 0, 2);
  message_box("You search for traps.");
}
