// The jump.  A fresh, lightly laden unit clears the gap; a tired or heavy
// one falls short onto the square in front, hazards and all.
#include "core/actions/jump.h"

#include <cstdio>
#include <cstdlib>

#include "core/actions/movement.h"
#include "core/frontend.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "items/inventory.h"

constexpr int JUMP_COST = 50;
constexpr int SHORT_JUMP_BONUS = 15;
constexpr int DWARF_PENALTY = 15;

static bool hazard_at(int z, int x, int y) {
  if (environment[z][x][y].lava != 0) return true;
  switch (map[z][x][y].scenery) {
    case SCENERY_FIRE:
    case SCENERY_KNOWN_TRAP:
    case SCENERY_SPRUNG_SPIKES:
    case SCENERY_PIT:
    case SCENERY_QUICKSAND:
      return true;
    default:
      return false;
  }
}

static void square_ahead(const unit_record& me, int steps, int& x, int& y) {
  x = me.x + DIRECTION_DX[me.facing] * steps;
  y = me.y + DIRECTION_DY[me.facing] * steps;
}

// A fresh unit jumps further: tier 3 above nine tenths of its points, 2
// above half.
static int jump_tier(const unit_record& me) {
  int tenth = me.movement / 10;
  if (me.moves > tenth * 9) return 3;
  if (me.moves > tenth * 5) return 2;
  return 1;
}

// Nobody lands on rock, on a wall, or on another unit.  The ground itself is
// asked as well as the passable mark, which a square the level never
// recounted may carry wrongly.
static bool may_land(int z, int x, int y) {
  return on_grid(z, x, y) && map[z][x][y].passable != 0 && map[z][x][y].occupant_player == 0 &&
         square_passable(z, x, y) != 0;
}

void jump(int player, int u, int distance) {
  recorded_command command("jump", {player, u, distance});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  if (me.facing < NORTH || me.facing > NORTHWEST || !on_grid(me.z, me.x, me.y)) return;
  // A jump clears one square or two, however it is asked for.
  if (distance < 1) distance = 1;
  if (distance > 2) distance = 2;

  int roll = (std::rand() % 200 + 1) / distance;
  int x, y;
  if (distance >= 2) {
    // Solid ground halfway: the jump need not go so far.
    square_ahead(me, distance, x, y);
    if (on_grid(me.z, x, y) && !hazard_at(me.z, x, y) && which_container(me.z, x, y) == 0) {
      distance--;
      roll += SHORT_JUMP_BONUS;
      if (DEBUG_MODE > 0) std::printf("REDUCED JUMP DIST BY 1");
    }
  }
  int lx, ly;
  square_ahead(me, distance + 1, lx, ly);
  if (me.race == RACE_DWARF) roll -= DWARF_PENALTY;

  if (!may_land(me.z, lx, ly)) {
    message_box("You can't jump to there!");
    return;
  }
  if (distance > 1 && hazard_at(me.z, lx, ly)) {
    if (DEBUG_MODE > 0) std::printf("\n JUMP RECURSIVE CALL");
    jump(player, u, distance - 1);
    return;
  }

  message_box("You jump ");
  int tier = jump_tier(me);
  me.moves -= JUMP_COST;
  int load = total_weight(player, u);
  if (DEBUG_MODE > 0) std::printf("\nRoll :%d  Against %d\n", roll, load / 2);
  if (roll * tier > load) {
    message_box("and make it safely to the otherside");
    map[me.z][me.x][me.y].passable = 1;
    move_unit(player, u, me.z, lx, ly);
    map_movecost(me.z);
    UPDATE_MAP = 1;
    drawmap();
  } else {
    message_box("but don't make it!");
    forward(player, u);
    me.moves = 0;
  }
}
