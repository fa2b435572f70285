// Pushing and dragging chests, barrels, boulders and wardrobes.  The unit
// moves with the container: one square on after a push, one square back
// after a drag.  Where the container ends up decides what becomes of it.
#include "core/actions/push.h"

#include <cstdio>
#include <string>

#include "core/actions/movement.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/replay.h"
#include "core/world.h"
#include "items/inventory.h"
#include "items/use.h"

constexpr int COST_CLOSE_CONTAINER = 15;
constexpr int SMALL_CONTAINER = 15;  // smaller than this fits through a door
constexpr int STUCK_LOAD = 50;       // heavier than this, quicksand holds on
constexpr int ALIGHT_STATE = 11;     // a barrel in this state or above burns

// The squares one move concerns: the unit's own (U), the container's (P),
// where the container goes (to) and where the unit goes (step).
struct move_plan {
  int z;
  int ux, uy;
  int px, py;
  int tx, ty;
  int sx, sy;
  bool push;
};

static bool plan_move(int player, int u, bool push, move_plan& m) {
  if (!unit_slot_valid(player, u) || player != CURRENT_PLAYER) return false;
  const unit_record& me = unit[player][u];
  if (me.facing < NORTH || me.facing > NORTHWEST || !on_grid(me.z, me.x, me.y)) return false;
  int dx = DIRECTION_DX[me.facing], dy = DIRECTION_DY[me.facing];
  m.z = me.z;
  m.ux = me.x, m.uy = me.y;
  m.px = me.x + dx, m.py = me.y + dy;
  m.push = push;
  if (push) {
    m.tx = me.x + 2 * dx, m.ty = me.y + 2 * dy;
    m.sx = m.px, m.sy = m.py;
  } else {
    m.tx = me.x, m.ty = me.y;
    m.sx = me.x - dx, m.sy = me.y - dy;
  }
  return on_grid(m.z, m.px, m.py);
}

static std::string name_of(int c) {
  if (c <= 0 || c >= CONTAINER_SLOTS) return "container";
  return container[c].name;
}

static bool is_water(int z, int x, int y) { return environment[z][x][y].water != 0; }
static bool is_lava(int z, int x, int y) { return environment[z][x][y].lava != 0; }
static bool is_ladder(int scenery) {
  return scenery == SCENERY_LADDER_DOWN || scenery == SCENERY_LADDER_UP ||
         scenery == SCENERY_TRAPDOOR;
}

// The square below a hole can take the container: nobody stands there and
// no other container does.
static bool room_below(int z, int x, int y) {
  if (z <= 0) return false;
  const map_cell& below = map[z - 1][x][y];
  return below.occupant_player == 0 && which_container(z - 1, x, y) == 0;
}

// Where the container goes (push) or where the unit steps back to (drag)
// must be open ground, or an open door that a small container fits through.
// No container lands on a unit, on another container or over a ladder, the
// one way between levels; none falls down a hole onto something.
static bool destination_open(const move_plan& m, int c) {
  int x = m.push ? m.tx : m.sx, y = m.push ? m.ty : m.sy;
  if (!on_grid(m.z, x, y)) return false;
  const map_cell& d = map[m.z][x][y];
  if (d.occupant_player != 0 || which_container(m.z, x, y) != 0) return false;
  bool small = c <= 0 || c >= CONTAINER_SLOTS || container[c].size < SMALL_CONTAINER;
  bool ok = d.terrain == TERRAIN_OPEN_DOOR ? small : d.passable != 0;
  if (!ok) return false;
  const map_cell& t = map[m.z][m.tx][m.ty];
  if (is_ladder(t.scenery)) return false;
  if (t.scenery == SCENERY_HOLE && !room_below(m.z, m.tx, m.ty)) return false;
  return true;
}

// A loaded unit in quicksand cannot step back, so it cannot drag.
static bool stuck(int player, int u) {
  const unit_record& me = unit[player][u];
  return map[me.z][me.x][me.y].scenery == SCENERY_QUICKSAND && total_weight(player, u) > STUCK_LOAD;
}

static void place_container(container_record& k, int z, int x, int y) { k.x = x, k.y = y, k.z = z; }

// The container drops to the level below, which gets the marker e.
static void drop_below(container_record& k, int z, int x, int y, int e) {
  place_container(k, z - 1, x, y);
  map[z - 1][x][y].scenery = e;
  map[z - 1][x][y].passable = 0;
}

static bool rotten_floor_gives(int z, int x, int y) {
  return map[z][x][y].terrain == TERRAIN_WOODEN_FLOOR && z > 0 && map[z - 1][x][y].passable == 1 &&
         environment[z][x][y].track == TRACK_NONE;
}

// The container comes to rest on (tx, ty); the unit pays for the ordinary
// move.
static void land_container(unit_record& me, container_record& k, const move_plan& m, int e) {
  const std::string name = k.name;
  int z = m.z, x = m.tx, y = m.ty;
  map_cell& t = map[z][x][y];
  if (rotten_floor_gives(z, x, y)) {
    t.scenery = SCENERY_HOLE;
    t.passable = 1;
    drop_below(k, z, x, y, e);
    message_box(("The " + name + " crashes through the rotten floor and disappears!").c_str());
    return;
  }
  if (t.scenery == SCENERY_PIT) {
    t.scenery = SCENERY_FILLED_PIT;
    t.passable = 1;
    place_container(k, z, x, y);
    k.state = CONTAINER_IN_PIT;
    message_box(("The " + name + " rolls into the pit!").c_str());
    return;
  }
  if (t.scenery == SCENERY_HOLE && z > 0) {
    t.passable = 1;
    drop_below(k, z, x, y, e);
    message_box(("The " + name + " rolls into the hole and disappears!").c_str());
    return;
  }
  t.passable = 0;
  t.scenery = e;
  me.moves -= k.weight / 2;
  place_container(k, z, x, y);
  if (t.object_count > 0) {
    message_box("Crunch!!!!");
    destroy_tile_objects(z, x, y);
    t.object_count = 0;
  }
}

// The burning barrel goes out in water; one pushed into fire or lava is set
// to go off.  Answers true when the move ends there.
static bool barrel_meets(int player, int u, container_record& k, const move_plan& m) {
  if (k.type != CONTAINER_BARREL) return false;
  // The push takes the barrel onto the square beyond; the drag leaves it
  // standing where it was, which is what meets the water.
  int x = m.push ? m.tx : m.px, y = m.push ? m.ty : m.py;
  map_cell& w = map[m.z][x][y];
  if (k.state >= ALIGHT_STATE && (w.scenery == SCENERY_POOL || is_water(m.z, x, y))) {
    message_box("Fizzzle!");
    k.state = CONTAINER_POWDER;
  }
  // Only a push meets fire: a barrel in lava is never faced as a container,
  // and its own square bears its marker, not a fire.
  if (!m.push) return false;
  bool bridge = w.scenery == SCENERY_BRIDGE_EW || w.scenery == SCENERY_BRIDGE_NS;
  if ((w.scenery != SCENERY_FIRE && !is_lava(m.z, x, y)) || bridge) return false;
  map[m.z][m.px][m.py].scenery = SCENERY_NONE;
  map[m.z][m.px][m.py].passable = 1;
  // The record goes with the marker, so the blast finds the barrel.
  w.scenery = SCENERY_BARREL_DUE;
  w.passable = 0;
  place_container(k, m.z, x, y);
  if (DEBUG_MODE > 0) std::printf("\n Barrel on fire!");
  forward(player, u);
  BARREL_EXPLODE = 1;
  return true;
}

static void move_container(int player, int u, bool push) {
  move_plan m;
  if (!plan_move(player, u, push, m)) return;
  unit_record& me = unit[player][u];
  if (extra_facing(me.facing, player, u) != SCENERY_CONTAINER) return;
  int c = which_container(m.z, m.px, m.py);
  if (!destination_open(m, c) || (!push && stuck(player, u))) {
    BOUNCED = 1;
    message_box(("The " + name_of(c) + " won't move.").c_str());
    return;
  }
  if (c <= 0 || c >= CONTAINER_SLOTS || container[c].weight == 0) {
    message_box(("The " + name_of(c) + " is immoveable.").c_str());
    return;
  }
  container_record& k = container[c];
  k.facing = opposite_direction(me.facing);
  if (k.state == CONTAINER_OPEN) {
    close_container(c);
    me.moves -= COST_CLOSE_CONTAINER;
  }
  int e = SCENERY_CONTAINER;  // the marker that travels with it
  if (barrel_meets(player, u, k, m)) return;
  land_container(me, k, m, e);

  const std::string name = k.name;
  map[m.z][m.px][m.py].scenery = SCENERY_NONE;
  map[m.z][m.px][m.py].passable = 1;
  if (push) {
    message_box(("You push the " + name).c_str());
    forward(player, u);
  } else {
    message_box(("You drag the " + name).c_str());
    backward(player, u);
    // Stepping off a square frees it, but the container now stands there.
    if (k.x == m.ux && k.y == m.uy && k.z == m.z && k.state != CONTAINER_IN_PIT)
      map[m.z][m.ux][m.uy].passable = 0;
  }
}

int facing_container(int player, int u) {
  if (!unit_slot_valid(player, u)) return 0;
  const unit_record& me = unit[player][u];
  if (me.facing < NORTH || me.facing > NORTHWEST) return 0;
  int x = me.x + DIRECTION_DX[me.facing], y = me.y + DIRECTION_DY[me.facing];
  if (!on_grid(me.z, x, y)) return 0;
  return which_container(me.z, x, y);
}

int facing_container_type(int player, int u) {
  int c = facing_container(player, u);
  if (c <= 0 || c >= CONTAINER_SLOTS) return 0;
  return container[c].type;
}

void push_container(int player, int u) {
  recorded_command command("push_container", {player, u});
  move_container(player, u, true);
}

void drag_container(int player, int u) {
  recorded_command command("drag_container", {player, u});
  move_container(player, u, false);
}
