#include "creatures/ai/mouse_moves.h"

#include "core/actions/movement.h"
#include "core/frontend.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/ai/steering.h"
#include "creatures/neighbours.h"
#include "creatures/path.h"
#include "creatures/sight.h"

namespace {

constexpr int ROUTE_END = 999;
// A click on the map costs a little more than a key.
constexpr int COST_CLICK_STEP = 3;
// Steps of a walk during which an enemy alongside does not stop it.
constexpr int FREE_STEPS = 4;

bool unit_on_grid(int player, int u) {
  if (!unit_slot_valid(player, u)) return false;
  const unit_record& me = unit[player][u];
  return on_grid(me.z, me.x, me.y);
}

bool valid_direction(int d) { return d >= NORTH && d <= NORTHWEST; }

}  // namespace

int direction_to(int x0, int y0, int x1, int y1) {
  for (int d = NORTH; d <= NORTHWEST; d++)
    if (x0 + DIRECTION_DX[d] == x1 && y0 + DIRECTION_DY[d] == y1) return d;
  return FAIL;
}

int plan_route(int player, int u, int tx, int ty) {
  recorded_command command("plan_route", {player, u, tx, ty});
  if (!unit_on_grid(player, u)) return FAIL;
  const unit_record& me = unit[player][u];
  if (!on_grid(me.z, tx, ty)) return FAIL;
  return a_star_path_finding(me.x, me.y, tx, ty, me.z);
}

void mouse_step(int player, int u, int d) {
  recorded_command command("mouse_step", {player, u, d});
  if (!unit_on_grid(player, u) || !valid_direction(d)) return;
  unit_record& me = unit[player][u];
  me.order = ORDER_ROUTE;
  me.waypoint_index = 1;
  me.waypoint_x[1] = me.x + DIRECTION_DX[d];
  me.waypoint_y[1] = me.y + DIRECTION_DY[d];
  AIunitmove(player, u);
  UPDATE_MAP = 1;
  reveal_tiles();
  usleep(5);
  unit[player][u].moves -= COST_CLICK_STEP;
}

int begin_route_walk(int player, int u, int d) {
  recorded_command command("begin_route_walk", {player, u, d});
  if (!unit_on_grid(player, u) || !valid_direction(d)) return 0;
  unit_record& me = unit[player][u];
  int end_mark = 0, route_end = WAYPOINTS;
  for (int i = 1; i < WAYPOINTS; i++) {
    if (end_mark == 0 && me.waypoint_x[i] == ROUTE_END) end_mark = i;
    if (me.waypoint_x[i] == 0) {
      route_end = i;
      break;
    }
  }
  if (end_mark < 2) return 0;
  me.order = ORDER_ROUTE;
  // The route runs from the goal in entry 1 back to the first step.
  me.waypoint_index = end_mark - 1;
  return route_end;
}

void end_route_walk(int player, int u) {
  recorded_command command("end_route_walk", {player, u});
  if (unit_slot_valid(player, u)) unit[player][u].waypoint_index = 0;
}

int route_walk_step(int player, int u, int d, int route_end) {
  recorded_command command("route_walk_step", {player, u, d, route_end});
  if (!unit_on_grid(player, u) || !valid_direction(d) || gameover != GAME_PLAYING) {
    end_route_walk(player, u);
    return FAIL;
  }
  unit_record& me = unit[player][u];
  int& i = me.waypoint_index;
  if (i < 1 || i >= WAYPOINTS) {
    end_route_walk(player, u);
    return FAIL;
  }
  if (me.facing == d) {
    const int level = me.z;
    forward(player, u);
    // A refused step, a fall or a death ends the walk: the route no longer
    // starts where the unit stands.
    if (me.status == UNIT_FREE || me.z != level || me.x != me.waypoint_x[i] ||
        me.y != me.waypoint_y[i]) {
      end_route_walk(player, u);
      return FAIL;
    }
    i--;
    if (i == 0) return FAIL;
    d = direction_to(me.x, me.y, me.waypoint_x[i], me.waypoint_y[i]);
    if (d == FAIL) {
      end_route_walk(player, u);
      return FAIL;
    }
  } else {
    turn_to(player, u, d);
  }
  UPDATE_MAP = 1;
  reveal_tiles();
  bool out_of_moves = me.moves < 1;
  // The first steps away from an enemy are not stopped by it.
  bool enemy = route_end - i - 1 >= FREE_STEPS && next_to_enemy(player, u) != FAIL;
  if (out_of_moves || enemy) {
    end_route_walk(player, u);
    return FAIL;
  }
  return d;
}
