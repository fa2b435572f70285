// Doors, chests and crypts.  A door is a square of the map; a chest is a
// container record standing on a square marked as holding one.
#include "core/actions/doors.h"

#include <cstdlib>
#include <string>

#include "core/actions/movement.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/movecost.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/sight.h"
#include "items/inventory.h"

constexpr int DOOR_OPENING_WIT = 9;  // creatures this dull cannot work a latch

static bool neighbour(int direction, int player, int u, int& z, int& x, int& y) {
  if (!unit_slot_valid(player, u) || direction < NORTH || direction > NORTHWEST) return false;
  const unit_record& me = unit[player][u];
  z = me.z;
  x = me.x + DIRECTION_DX[direction];
  y = me.y + DIRECTION_DY[direction];
  return on_grid(z, x, y);
}

void open_door(int direction, int player, int u) {
  recorded_command command("open_door", {direction, player, u});
  int z, x, y;
  if (!neighbour(direction, player, u, z, x, y)) return;
  unit_record& me = unit[player][u];
  if (extra_facing(direction, player, u) == SCENERY_CELL_DOOR) return;
  if (me.intelligence <= DOOR_OPENING_WIT) return;
  map[z][x][y].terrain = TERRAIN_OPEN_DOOR;
  map[z][x][y].passable = square_passable(z, x, y);
  me.moves -= COST_OPEN_DOOR;
}

void close_door(int direction, int player, int u) {
  recorded_command command("close_door", {direction, player, u});
  int z, x, y;
  if (!neighbour(direction, player, u, z, x, y)) return;
  map[z][x][y].terrain = TERRAIN_CLOSED_DOOR;
  map[z][x][y].passable = 0;
  unit[player][u].moves -= COST_CLOSE_DOOR;
}

// ---------------------------------------------------------------------------
// Forcing a door
// ---------------------------------------------------------------------------

// How hard the blow lands: a fresh unit swings harder than a tired one.
static int blow_tier(const unit_record& me) {
  int tenth = me.movement / 10;
  if (me.moves > tenth * 9) return 3;
  if (me.moves > tenth * 5) return 2;
  return 1;
}

void bash_door(int z, int x, int y, int player, int u) {
  recorded_command command("bash_door", {z, x, y, player, u});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  int w = carry_weapon(player, u);
  if (w <= 0 || w >= OBJECT_SLOTS) {
    message_box("Your kicks and punches are ineffectual!");
    return;
  }
  const object_record& weapon = object[w];
  int d = weapon.var1;
  // A weapon worn down to nothing still lands its blow, without the luck.
  int r = d > 0 ? std::rand() % d : 0;
  int force = me.strength * (r + d);

  int tier = blow_tier(me);
  std::string text = "You strike the door with ";
  if (tier == 2) text += "a heavy blow from ";
  if (tier == 3) text = "You strike the door with a mighy blow from ";
  force *= tier;
  text += weapon.name;
  message_box(text.c_str());

  me.moves -= COST_BASH_DOOR;

  if (!on_grid(z, x, y)) return;
  map_cell& door = map[z][x][y];
  int needed = door.scenery == SCENERY_CELL_DOOR ? CELL_DOOR_BREAK_FORCE : DOOR_BREAK_FORCE;
  if (force < needed) {
    message_box("The door resists your attack.");
    return;
  }
  message_box("You smash the door!");
  smash_door(z, x, y);
}

void smash_door(int z, int x, int y) {
  if (!on_grid(z, x, y)) return;
  map_cell& door = map[z][x][y];
  door.terrain = TERRAIN_SMASHED_DOOR;
  door.passable = 1;
  // A broken cell door has no lock left to ask a key for.
  if (door.scenery == SCENERY_CELL_DOOR) door.scenery = SCENERY_NONE;
}

// ---------------------------------------------------------------------------
// Chests and crypts
// ---------------------------------------------------------------------------

void open_scenery(int x, int y, int z, int code) {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) || !on_grid(z, x, y)) return;
  unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int c = which_container(z, x, y);
  turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
  if (me.moves <= 0) return;

  if (code == SCENERY_CRYPT) {
    map[z][x][y].scenery = SCENERY_OPEN_CRYPT;
    map[z][x][y].passable = 0;
  } else if (code == SCENERY_CONTAINER) {
    // A chest marker with no container record behind it has nothing to open.
    if (c <= 0 || c >= CONTAINER_SLOTS) return;
    container_record& chest = container[c];
    // The lid opens towards the unit.
    chest.facing = me.facing - 4;
    if (chest.facing < 0) chest.facing += 8;
    map[z][x][y].passable = 0;
    if (chest.locked > LOCK_NONE) {
      chest.locked = LOCK_KNOWN;
      std::string text = std::string("The ") + chest.name + " is locked.";
      message_box(text.c_str());
      return;
    }
    chest.state = CONTAINER_OPEN;
  }
  me.moves -= COST_OPEN_SCENERY;
}

// ---------------------------------------------------------------------------
// Clicking on a door
// ---------------------------------------------------------------------------

static void after_door_change() {
  reveal_tiles();
  UPDATE_MAP = 1;
  drawmap();
  usleep(50);
}

// What stands in an open doorway keeps the door from closing: a unit, an item
// or a container dragged there.
static bool doorway_blocked(const map_cell& door) {
  return door.object_count > 0 || door.occupant_unit != 0 || door.scenery == SCENERY_CONTAINER;
}

static void click_closed_door(unit_record& me, map_cell& door, int z, int x, int y) {
  if (me.moves <= 0) return;
  if (door.scenery == SCENERY_WEB || door.scenery == SCENERY_NEST) return;
  message_box("You OPEN the DOOR.");
  door.terrain = TERRAIN_OPEN_DOOR;
  // Whatever stood in the doorway still stands there.
  door.passable = square_passable(z, x, y);
  me.moves -= COST_CLICK_DOOR;
  after_door_change();
}

static void click_open_door(unit_record& me, map_cell& door) {
  if (doorway_blocked(door)) {
    message_box("The door won't close, something is blocking it!");
    return;
  }
  message_box("You CLOSE the DOOR");
  door.terrain = TERRAIN_CLOSED_DOOR;
  door.passable = 0;
  me.moves -= COST_CLICK_DOOR;
  after_door_change();
}

static void click_locked_door(unit_record& me, map_cell& door) {
  if (me.moves < 1) return;
  int key = carry_key(CURRENT_PLAYER, CURRENT_UNIT);
  if (key <= 0 || key >= OBJECT_SLOTS) {
    message_box("The door is locked!");
    usleep(20);
    return;
  }
  message_box("You UNLOCK the DOOR.");
  door.terrain = TERRAIN_OPEN_DOOR;
  door.scenery = SCENERY_NONE;
  door.passable = 1;
  object[key].status = OBJECT_FREE;
  object[key].owner_player = 0;
  object[key].owner_unit = 0;
  me.moves -= COST_CLICK_DOOR;
  after_door_change();
}

int interact_door(int x, int y, int z) {
  recorded_command command("interact_door", {x, y, z});
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT) || !on_grid(z, x, y)) return 0;
  unit_record& me = unit[CURRENT_PLAYER][CURRENT_UNIT];
  map_cell& door = map[z][x][y];

  // A locked cell door takes the key; the menu offers "UNLOCK DOOR" for it,
  // so a click on it must not pass it by as an ordinary closed door.  One
  // that lies smashed (a game saved with the old lock mark) is open ground.
  if (door.scenery == SCENERY_CELL_DOOR && door.terrain != TERRAIN_SMASHED_DOOR) {
    turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
    click_locked_door(me, door);
    return 1;
  }
  if (door.terrain == TERRAIN_CLOSED_DOOR) {
    turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
    click_closed_door(me, door, z, x, y);
    return 1;
  }
  if (door.terrain == TERRAIN_OPEN_DOOR) {
    turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
    if (me.moves < 1) return 1;
    // A web or a nest in the doorway is burnt, not shut in.
    if (door.scenery == SCENERY_WEB || door.scenery == SCENERY_NEST) return 0;
    click_open_door(me, door);
    return 1;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// The door ahead, from the keyboard
// ---------------------------------------------------------------------------

// The lock codes a closed door ahead may carry.
constexpr int SCENERY_LOCKED_DOOR = 11;

static void unlock_door_ahead(int player, int u, int dir) {
  const unit_record& me = unit[player][u];
  int k = carry_key(player, u);
  if (k <= 0 || k >= OBJECT_SLOTS || dir < NORTH || dir > NORTHWEST) {
    message_box("The door is locked!");
    return;
  }
  message_box("You UNLOCK the DOOR.");
  int x = me.x + DIRECTION_DX[dir], y = me.y + DIRECTION_DY[dir];
  if (on_grid(me.z, x, y)) map[me.z][x][y].scenery = SCENERY_NONE;
  // The key stays in the lock.
  object[k].status = 0;
  object[k].owner_player = 0;
  object[k].owner_unit = 0;
  reveal_tiles();
  UPDATE_MAP = 1;
  drawmap();
}

void work_door_ahead(int player, int u) {
  recorded_command command("work_door_ahead", {player, u});
  if (!unit_slot_valid(player, u)) return;
  int dir = unit[player][u].facing;
  int ahead = facing(dir, player, u);
  int lock = extra_facing(dir, player, u);
  if (ahead == TERRAIN_CLOSED_DOOR && (lock == SCENERY_CELL_DOOR || lock == SCENERY_LOCKED_DOOR)) {
    unlock_door_ahead(player, u, dir);
  } else if (ahead == TERRAIN_CLOSED_DOOR) {
    message_box("You OPEN the DOOR.");
    open_door(dir, player, u);
    reveal_tiles();
    UPDATE_MAP = 1;
    rest_ms(1);
  } else if (ahead == TERRAIN_OPEN_DOOR) {
    // Neither an item, a unit nor a container in the doorway may be shut in it.
    const unit_record& me = unit[player][u];
    int x = me.x + DIRECTION_DX[dir], y = me.y + DIRECTION_DY[dir];
    if (object_facing(dir) > 0 || lock == AHEAD_UNIT ||
        (on_grid(me.z, x, y) && doorway_blocked(map[me.z][x][y]))) {
      message_box("You can't close the door, something is blocking it");
      return;
    }
    message_box("You CLOSE the DOOR");
    close_door(dir, player, u);
    reveal_tiles();
    UPDATE_MAP = 1;
    rest_ms(1);
  } else {
    message_box("There is no DOOR there.");
  }
}
