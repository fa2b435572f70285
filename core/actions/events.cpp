// What squares do to the units on them: floors that give way, holes, pads,
// pits, quicksand, fire and lava, carts, prisoners (after each step), and
// wells, light, traps, webs and secret passages (whenever play moves on).
#include "core/actions/events.h"

#include <algorithm>
#include <cstdlib>

#include "core/actions/barrels.h"
#include "core/frontend.h"
#include "core/actions/movement.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "core/actions/cart.h"
#include "creatures/sight.h"
#include "creatures/prisoner.h"
#include "items/inventory.h"
#include "core/replay.h"

constexpr int RACE_BLOB = 6;         // eats whatever lies on the floor
constexpr int RACE_SALAMANDER = 12;  // at home in fire and lava
constexpr int FIREPROOF = 99;        // var1 of footwear that walks on fire
constexpr int QUICKSAND_SINK_LOAD = 75;
constexpr int QUICKSAND_COST = 20;

// Depth of the put-backs under way.  A unit put back onto a square that
// would send it back again stays there: two hazards side by side must not
// bounce it between them for ever.
static int returning = 0;

// The unit returns the way it came.
static void put_back(int forward_flag, int player, int u) {
  if (returning > 0) return;
  returning++;
  if (forward_flag == 0)
    forward(player, u);
  else
    backward(player, u);
  returning--;
}

// A creature backs off from fire and lava whichever way it came in.
static void step_back(int player, int u) {
  if (returning > 0) return;
  returning++;
  backward(player, u);
  returning--;
}

static void splat(const unit_record& me) {
  const unit_record& acting = unit[CURRENT_PLAYER][CURRENT_UNIT];
  draw_splat(me.x - acting.x, me.y - acting.y, 0);
}

static bool fireproof_feet(int player, int u) {
  int f = carry_feet(player, u);
  return f > 0 && f < OBJECT_SLOTS && object[f].var1 == FIREPROOF;
}

// ---------------------------------------------------------------------------
// move_event checks, in the order they apply.  Each answers true when the
// unit has left the square and the later checks no longer concern it.
// ---------------------------------------------------------------------------

static bool rotten_floor(int ff, int player, int u, int z, int x, int y) {
  map_cell& c = map[z][x][y];
  if (c.terrain != TERRAIN_WOODEN_FLOOR || c.scenery == SCENERY_HOLE) return false;
  if (environment[z][x][y].track != TRACK_NONE || z <= 0) return false;
  if (map[z - 1][x][y].passable == 0) return false;
  int r = std::rand() % 100;
  if (total_weight(player, u) / 20 <= r) return false;
  message_box("The rotten floorboards give way underfoot!!");
  c.scenery = SCENERY_HOLE;
  if (std::rand() % 100 < 50) {
    message_box("You manage to jump out of the way!");
    put_back(ff, player, u);
    return true;
  }
  return false;
}

enum class fall { none, put_back, fell };

// Where a unit falling onto level z above (x, y) comes down: that square when
// a unit may stand there, else the nearest one that is free.  Landing in rock
// or on another unit would bury the faller or corrupt the occupancy of both.
// False when the whole level has no room.
static bool landing_square(int z, int x, int y, int& lx, int& ly) {
  for (int r = 0; r < LAND_SIZE; r++) {
    for (int i = x - r; i <= x + r; i++) {
      for (int j = y - r; j <= y + r; j++) {
        if (std::max(std::abs(i - x), std::abs(j - y)) != r || !on_grid(z, i, j)) continue;
        const map_cell& m = map[z][i][j];
        if (m.passable == 1 && m.occupant_player == 0) {
          lx = i, ly = j;
          return true;
        }
      }
    }
  }
  return false;
}

// Takes a unit off its square and sets it down on (z, lx, ly).
static void drop_unit(unit_record& me, int player, int u, int z, int lx, int ly) {
  map[me.z][me.x][me.y].passable = 1;
  move_unit(player, u, z, lx, ly);
  map[z][lx][ly].passable = 0;
}

static fall hole(int ff, int player, int u, bool human, int z, int x, int y) {
  if (map[z][x][y].scenery != SCENERY_HOLE || environment[z][x][y].track != TRACK_NONE)
    return fall::none;
  if (!human) {
    put_back(ff, player, u);
    return fall::put_back;
  }
  if (z <= 0) return fall::none;  // the bottom level has nothing beneath it
  int lx, ly;
  if (!landing_square(z - 1, x, y, lx, ly)) return fall::none;
  unit_record& me = unit[player][u];
  message_box("You fall down the hole!");
  me.health -= 1 + std::rand() % 10;
  drop_unit(me, player, u, z - 1, lx, ly);
  UPDATE_MAP = 1;
  drawmap();
  splat(me);
  return fall::fell;
}

static void set_metal_door(int z, int x, int y, int terrain) {
  if (on_grid(z, x, y)) map[z][x][y].terrain = terrain;
}

// The pad swings the four metal doors two squares away: one pair shuts as
// the other opens.
static void pressure_pad(bool human, int z, int x, int y) {
  if (map[z][x][y].terrain != TERRAIN_PRESSURE_PAD) return;
  if (human) message_box("You activate the pressure pad.");
  bool west_shut = on_grid(z, x - 2, y) && map[z][x - 2][y].terrain == TERRAIN_METAL_DOOR_CLOSED;
  int east_west = west_shut ? TERRAIN_METAL_DOOR_OPEN : TERRAIN_METAL_DOOR_CLOSED;
  int north_south = west_shut ? TERRAIN_METAL_DOOR_CLOSED : TERRAIN_METAL_DOOR_OPEN;
  set_metal_door(z, x - 2, y, east_west);
  set_metal_door(z, x + 2, y, east_west);
  set_metal_door(z, x, y - 2, north_south);
  set_metal_door(z, x, y + 2, north_south);
  map_movecost(z);
  UPDATE_MAP = 1;
  drawmap();
}

static bool pit(int ff, int player, int u, bool human, int z, int x, int y) {
  if (map[z][x][y].scenery != SCENERY_PIT) return false;
  if (!human) {
    put_back(ff, player, u);
    return true;
  }
  unit_record& me = unit[player][u];
  message_box("OUCH! You fall into a pit trap.");
  me.moves = me.moves / 2 - 10;
  me.health -= std::rand() % 10;
  splat(me);
  return false;
}

static bool quicksand(int ff, int player, int u, bool human, int z, int x, int y) {
  if (map[z][x][y].scenery != SCENERY_QUICKSAND) return false;
  if (total_weight(player, u) <= QUICKSAND_SINK_LOAD) return false;
  if (!human) {
    put_back(ff, player, u);
    return true;
  }
  unit_record& me = unit[player][u];
  message_box("You get stuck in quicksand");
  me.moves -= QUICKSAND_COST;
  splat(me);
  return false;
}

static bool fire(int player, int u, bool human, int z, int x, int y) {
  unit_record& me = unit[player][u];
  if (map[z][x][y].scenery != SCENERY_FIRE || me.race == RACE_SALAMANDER) return false;
  if (!human) {
    step_back(player, u);
    return true;
  }
  if (fireproof_feet(player, u)) return true;
  message_box("OUCH! You get burnt.");
  me.health -= std::rand() % 10;
  splat(me);
  return false;
}

static bool lava(int ff, int player, int u, bool human, int z, int x, int y) {
  unit_record& me = unit[player][u];
  int s = map[z][x][y].scenery;
  if (environment[z][x][y].lava == 0 || s == SCENERY_BRIDGE_EW || s == SCENERY_BRIDGE_NS)
    return false;
  if (me.race == RACE_SALAMANDER) return false;
  if (!human) {
    step_back(player, u);
    return true;
  }
  if (fireproof_feet(player, u)) return true;
  message_box("OUCH! You get badly burnt.");
  me.health -= 20 + std::rand() % 10;
  splat(me);
  put_back(ff, player, u);
  return true;
}

static void eat_scenery(const unit_record& me, int z, int x, int y) {
  if (me.race != RACE_BLOB) return;
  map_cell& c = map[z][x][y];
  if (c.terrain == TERRAIN_CLOSED_DOOR || c.terrain == TERRAIN_OPEN_DOOR) return;
  if (c.scenery == SCENERY_LADDER_DOWN || c.scenery == SCENERY_LADDER_UP ||
      c.scenery == SCENERY_SECRET_HIDDEN)
    return;
  c.scenery = SCENERY_NONE;
}

// The prisoner waits in the cell north of the door the acting unit stands in.
static void free_prisoner(bool human) {
  if (!human || !unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return;
  unit_record& acting = unit[CURRENT_PLAYER][CURRENT_UNIT];
  int z = acting.z, x = acting.x, y = acting.y - 1;
  if (!on_grid(z, x, y) || map[z][x][y].scenery != SCENERY_PRISONER) return;
  warning_message("THIS IS A PRISONER HERE", "YOU FREE THE PRISONER", "HE JOINS YOU PARTY", "",
                  "WELL DONE!", "", 0);
  int n = next_free_unit(CURRENT_PLAYER);
  create_freeprisoner(CURRENT_PLAYER, n, z, x, y);
  map[z][x][y].scenery = SCENERY_NONE;
  acting.status = UNIT_NORMAL;
}

// The checks of the square the unit stands on; true when the unit was sent
// off it and nothing more concerns it.
static bool square_events(int ff, int player, int u, bool human, int z, int x, int y) {
  pressure_pad(human, z, x, y);
  if (pit(ff, player, u, human, z, x, y)) return true;
  if (quicksand(ff, player, u, human, z, x, y)) return true;
  if (fire(player, u, human, z, x, y)) return true;
  if (lava(ff, player, u, human, z, x, y)) return true;
  if (map[z][x][y].scenery == SCENERY_MINE_CART && human && BOUNCED == 0) traverse_track(player, u);
  eat_scenery(unit[player][u], z, x, y);
  return false;
}

void move_event(int forward_flag, int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  const unit_record& me = unit[player][u];
  int z = me.z, x = me.x, y = me.y;
  if (!on_grid(z, x, y)) return;
  bool human = player == CURRENT_PLAYER;

  if (rotten_floor(forward_flag, player, u, z, x, y)) return;
  fall f = hole(forward_flag, player, u, human, z, x, y);
  if (f == fall::put_back) return;
  // One who fell through is no longer on this square to meet the rest.
  if (f == fall::none && square_events(forward_flag, player, u, human, z, x, y)) return;
  free_prisoner(human);
}

// ---------------------------------------------------------------------------
// novel_event
// ---------------------------------------------------------------------------

static void fall_down_well(unit_record& me, int player, int u) {
  if (map[me.z][me.x][me.y].scenery != SCENERY_WELL) return;
  int lx = me.x, ly = me.y;
  // A well on the bottom level leads nowhere deeper: the unit stays put.
  if (me.z > 0 && !landing_square(0, me.x, me.y, lx, ly)) return;
  message_box("You fall down the well to the bottom!");
  rest_ms(100);
  UPDATE_MAP = 1;
  IS_GLOBAL_LIGHTING_ON = 1;
  if (me.z > 0) drop_unit(me, player, u, 0, lx, ly);
  map[0][me.x][me.y].revealed = 1;
}

// Below ground a unit sees as far as the light it carries; the bottom level
// is lit throughout.
static void set_light(unit_record& me, int player, int u) {
  if (me.z > 0) {
    IS_GLOBAL_LIGHTING_ON = 0;
    int fairy = carry_fairy(player, u);
    if (fairy > 0 && fairy < OBJECT_SLOTS) me.sight = object[fairy].range;
    int torch = carry_lit_torch(player, u);
    if (torch > 0 && torch < OBJECT_SLOTS) me.sight = object[torch].range;
  } else {
    IS_GLOBAL_LIGHTING_ON = 1;
    me.sight = unit_sight(1, 1);
  }
}

static void spring_trap(unit_record& me, int player, int u) {
  map_cell& c = map[me.z][me.x][me.y];
  if (c.scenery != SCENERY_HIDDEN_TRAP && c.scenery != SCENERY_KNOWN_TRAP) return;
  if (std::rand() % 100 < 90) {
    trap(me.z, me.x, me.y, player, u);
    UPDATE_MAP = 1;
    drawmap();
    draw_splat(0, 0, 0);
  } else {
    message_box("You hear a click!");
    c.scenery = SCENERY_NONE;
  }
}

static void tear_web(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y) || map[me.z][me.x][me.y].scenery != SCENERY_WEB) return;
  if (player == CURRENT_PLAYER) {
    message_box("You get entangled in the spiders web which slows you down");
    me.moves = me.moves / 2 - 10;
  }
  map[me.z][me.x][me.y].scenery = SCENERY_NONE;
}

int novel_event(int player, int u) {
  recorded_command command("novel_event", {player, u});
  int p = CURRENT_PLAYER, a = CURRENT_UNIT;
  if (unit_slot_valid(p, a) && on_grid(unit[p][a].z, unit[p][a].x, unit[p][a].y)) {
    unit_record& acting = unit[p][a];
    fall_down_well(acting, p, a);
    set_light(acting, p, a);
    spring_trap(acting, p, a);
  }
  tear_web(player, u);
  if (unit_slot_valid(p, a) && on_grid(unit[p][a].z, unit[p][a].x, unit[p][a].y)) {
    map_cell& c = map[unit[p][a].z][unit[p][a].x][unit[p][a].y];
    if (c.scenery == SCENERY_SECRET_HIDDEN) c.scenery = SCENERY_SECRET_FOUND;
  }
  return 0;
}
