// Units on the map: single-square steps, walking forward and back, turning,
// and the small queries about the square in front of a unit that every other
// action asks before it acts.
#include "core/actions/movement.h"

#include <cstdlib>

#include "core/actions/doors.h"
#include "core/actions/events.h"
#include "core/actions/wounds.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/neighbours.h"
#include "creatures/sight.h"
#include "items/inventory.h"

constexpr int RACE_WATER_TERROR = 14;
constexpr int QUICKSAND_LOAD = 50;

static bool valid_direction(int d) { return d >= NORTH && d <= NORTHWEST; }

static bool is_water(int z, int x, int y) {
  return on_grid(z, x, y) && environment[z][x][y].water != 0;
}

// ---------------------------------------------------------------------------
// Single-square steps
// ---------------------------------------------------------------------------

static bool may_enter(const unit_record& me, int x, int y) {
  if (!on_grid(me.z, x, y)) return false;  // off the level is rock
  const map_cell& c = map[me.z][x][y];
  if (c.passable == 0 || c.occupant_player >= 1) return false;
  // Water terrors live and die in the water.
  if (me.race == RACE_WATER_TERROR && !is_water(me.z, x, y)) return false;
  return true;
}

void step_towards(int direction, int player, int u) {
  BOUNCED = 0;
  if (!unit_slot_valid(player, u) || !valid_direction(direction)) {
    BOUNCED = 1;
    return;
  }
  unit_record& me = unit[player][u];
  int x = me.x + DIRECTION_DX[direction], y = me.y + DIRECTION_DY[direction];
  if (may_enter(me, x, y)) {
    me.x = x;
    me.y = y;
  } else {
    BOUNCED = 1;
  }
}

void north(int player, int u) { step_towards(NORTH, player, u); }
void northeast(int player, int u) { step_towards(NORTHEAST, player, u); }
void east(int player, int u) { step_towards(EAST, player, u); }
void southeast(int player, int u) { step_towards(SOUTHEAST, player, u); }
void south(int player, int u) { step_towards(SOUTH, player, u); }
void southwest(int player, int u) { step_towards(SOUTHWEST, player, u); }
void west(int player, int u) { step_towards(WEST, player, u); }
void northwest(int player, int u) { step_towards(NORTHWEST, player, u); }

// ---------------------------------------------------------------------------
// Walking
// ---------------------------------------------------------------------------

// Whether the single-square step in direction would stand, asked before the
// unit leaves its square: a refused step must change nothing at all.
static bool step_would_stand(int direction, const unit_record& me) {
  return valid_direction(direction) &&
         may_enter(me, me.x + DIRECTION_DX[direction], me.y + DIRECTION_DY[direction]);
}

static bool unit_on_grid(int player, int u) {
  if (!unit_slot_valid(player, u)) return false;
  const unit_record& me = unit[player][u];
  return on_grid(me.z, me.x, me.y);
}

// A loaded party member sinks into quicksand and cannot pull free.
static bool stuck_in_quicksand(int player, int u) {
  const unit_record& me = unit[player][u];
  if (player != CURRENT_PLAYER) return false;
  if (map[me.z][me.x][me.y].scenery != SCENERY_QUICKSAND) return false;
  if (total_weight(player, u) <= QUICKSAND_LOAD) return false;
  message_box("You're too heavy to zorvane!");
  BOUNCED = 1;
  return true;
}

static bool on_view_level(int z) {
  return unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) && unit[CURRENT_PLAYER][CURRENT_UNIT].z == z;
}

static void vacate_square(int player, int u) {
  const unit_record& me = unit[player][u];
  remove_unit(player, u);
  // Open again as the ground gives it: a secret door stays a secret door.
  map[me.z][me.x][me.y].passable = square_passable(me.z, me.x, me.y);
}

static void occupy_square(int player, int u) {
  const unit_record& me = unit[player][u];
  place_unit(player, u, me.z, me.x, me.y);
  map[me.z][me.x][me.y].passable = 0;
}

// A step or turn that hurt the unit past death (a pit, a fire, lava, a fall)
// ends with it dead, as a blow would leave it; settled once the whole step is
// done, so nothing later in the step marks its square again.
static void settle_if_dead(int player, int u) {
  if (unit_slot_valid(player, u) && unit[player][u].health <= DEATH_HEALTH)
    settle_wounds(player, u);
}

void forward(int player, int u) {
  recorded_command command("forward", {player, u});
  if (!unit_on_grid(player, u)) {
    BOUNCED = 1;
    return;
  }
  unit_record& me = unit[player][u];
  if (stuck_in_quicksand(player, u)) return;
  int level_before = me.z;

  if (extra_facing(me.facing, player, u) == SCENERY_CELL_DOOR ||
      facing(me.facing, player, u) == TERRAIN_CLOSED_DOOR)
    open_door(me.facing, player, u);

  // Creatures know better than to walk into a pit or a fire.
  if (player != CURRENT_PLAYER) {
    int ahead = extra_facing(me.facing, player, u);
    if (ahead == SCENERY_PIT || ahead == SCENERY_FIRE) {
      BOUNCED = 1;
      return;
    }
  }

  // Refused: the unit keeps its square and facing, pays nothing and meets
  // none of the square's events.
  if (!step_would_stand(me.facing, me)) {
    BOUNCED = 1;
    return;
  }

  vacate_square(player, u);
  step_towards(me.facing, player, u);
  occupy_square(player, u);

  bool stood = BOUNCED != 1;
  if (stood) {
    if (next_to_enemy(player, u) != FAIL) {
      me.moves /= 2;
      if (player == CURRENT_PLAYER) message_box("Enemy slows you down.");
    }
    me.moves -= COST_FORWARD;
    if (is_water(me.z, me.x, me.y)) me.moves -= COST_FORWARD;
  }

  UPDATE_MAP = 0;
  if (player == CURRENT_PLAYER && stood) UPDATE_MAP = 1;

  move_event(1, player, u);
  novel_event(player, u);
  // The party's view is of its own level: a creature's step elsewhere cannot
  // change it, and working it out again for each one would slow the turn.
  if (player == CURRENT_PLAYER || on_view_level(level_before) || on_view_level(me.z))
    reveal_tiles();
  settle_if_dead(player, u);
}

void backward(int player, int u) {
  recorded_command command("backward", {player, u});
  if (!unit_on_grid(player, u)) {
    BOUNCED = 1;
    return;
  }
  unit_record& me = unit[player][u];
  if (stuck_in_quicksand(player, u)) return;

  if (!valid_direction(me.facing) || !step_would_stand(opposite_direction(me.facing), me)) {
    BOUNCED = 1;
    return;
  }

  vacate_square(player, u);
  step_towards(opposite_direction(me.facing), player, u);
  occupy_square(player, u);
  UPDATE_MAP = 1;

  if (BOUNCED != 1) {
    me.moves -= COST_BACKWARD;
    if (is_water(me.z, me.x, me.y)) me.moves -= COST_BACKWARD;
  }

  move_event(0, player, u);
  reveal_tiles();
  settle_if_dead(player, u);
}

// ---------------------------------------------------------------------------
// Turning
// ---------------------------------------------------------------------------

static int wrap_direction(int d) { return ((d % 8) + 8) % 8; }

// Turning on the spot inside a fire still burns.
static void burn_if_in_fire(int player) {
  if (!unit_on_grid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  unit_record& acting = unit[CURRENT_PLAYER][CURRENT_UNIT];
  if (map[acting.z][acting.x][acting.y].scenery != SCENERY_FIRE) return;
  if (player == CURRENT_PLAYER) message_box("OUCH! You get burnt!");
  acting.health -= std::rand() % 10;
}

static void turn_by(int player, int u, int delta) {
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  me.facing = wrap_direction(me.facing + delta);
  UPDATE_MAP = 1;
  me.moves -= COST_TURN;
  burn_if_in_fire(player);
  reveal_tiles();
  // The fire burns the acting unit, whoever turned.
  settle_if_dead(CURRENT_PLAYER, CURRENT_UNIT);
}

void turnleft(int player, int u) {
  recorded_command command("turnleft", {player, u});
  turn_by(player, u, -1);
}

void turnright(int player, int u) {
  recorded_command command("turnright", {player, u});
  turn_by(player, u, +1);
}

// One eighth of a turn the shorter way towards target; a half turn goes
// anticlockwise from the smaller code and clockwise from the larger.
static int eighth_towards(int from, int target) {
  int delta;
  if (from <= target)
    delta = (target - from >= 4) ? -1 : +1;
  else
    delta = (from - target < 4) ? -1 : +1;
  return wrap_direction(from + delta);
}

static int direction_of_offset(int dx, int dy) {
  for (int d = NORTH; d <= NORTHWEST; d++)
    if (DIRECTION_DX[d] == dx && DIRECTION_DY[d] == dy) return d;
  return NORTH;
}

void turn_to_square(int player, int u, int x, int y) {
  recorded_command command("turn_to_square", {player, u, x, y});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  int dx = x - me.x, dy = y - me.y;
  if (dx == 0 && dy == 0) return;
  int target = direction_of_offset(dx, dy);
  me.facing = wrap_direction(me.facing);
  while (me.facing != target && me.moves >= 1) {
    me.facing = eighth_towards(me.facing, target);
    me.moves -= COST_TURN_TOWARDS;
    UPDATE_MAP = 1;
    drawmap();
    rest_ms(50);
  }
}

void turn_to(int player, int u, int direction) {
  recorded_command command("turn_to", {player, u, direction});
  if (!unit_slot_valid(player, u) || !valid_direction(direction)) return;
  unit_record& me = unit[player][u];
  me.facing = wrap_direction(me.facing);
  if (me.facing == direction) return;
  me.facing = eighth_towards(me.facing, direction);
  me.moves -= COST_TURN_TOWARDS;
}
