// One step of a unit's plan.  What a unit needs comes before where it is
// going: a wounded unit eats what it stands on, scavengers eat the dead,
// clever creatures take what lies about, and creatures on a ladder follow the
// party up or down.  Only then does the unit step towards its waypoint,
// opening doors and sliding round whatever is in its way.
#include "creatures/ai/steering.h"

#include <cstdlib>

#include "core/actions/doors.h"
#include "core/actions/movement.h"
#include "core/facing.h"
#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/world.h"
#include "items/actions.h"
#include "items/destroy.h"
#include "items/inventory.h"
#include "items/use.h"

constexpr int WOUNDED_PER_LEVEL = 13;
constexpr int HERBS_PER_LEVEL = 40;
constexpr int COST_EAT = 30;
constexpr int COST_CORNERED = 25;
constexpr int WIT_TO_USE = 24;      // food and potions need more than this
constexpr int WIT_TO_PICK_UP = 19;  // taking things up needs more than this
constexpr int HUNGRY_HEALTH = 33;
constexpr int THIRSTY_HEALTH = 20;
constexpr int LADDER_CHANCE = 33;
constexpr int LADDER_PAUSE_MS = 500;

constexpr int RACE_GOBLIN = 2;
constexpr int RACE_RAT = 3;
constexpr int RACE_GHOUL = 4;
constexpr int RACE_SPIDER = 5;
constexpr int RACE_CAVEDWELLER = 11;

static bool wounded(const unit_record& me) { return me.health < WOUNDED_PER_LEVEL * me.level; }

// The first item lying on the unit's square whose kind passes the test.
template <typename Wanted>
static int first_item_here(const unit_record& me, Wanted wanted) {
  int last = MAX_OBJECTS < OBJECT_SLOTS - 1 ? MAX_OBJECTS : OBJECT_SLOTS - 1;
  for (int k = 0; k <= last; k++) {
    const object_record& o = object[k];
    if (o.status != OBJECT_ON_GROUND || o.x != me.x || o.y != me.y || o.z != me.z) continue;
    if (wanted(o.type)) return k;
  }
  return -1;
}

static bool owns(int k, int player, int u) {
  const object_record& o = object[k];
  return o.owner_player == player && o.owner_unit == u && o.status != OBJECT_ON_GROUND &&
         o.status != OBJECT_FREE;
}

// ---------------------------------------------------------------------------
// Needs
// ---------------------------------------------------------------------------

static bool tend_wounds(int player, int u) {
  unit_record& me = unit[player][u];
  map_cell& here = map[me.z][me.x][me.y];
  if (!wounded(me)) return false;
  if (here.object_count <= 0 && here.scenery != SCENERY_MUSHROOMS &&
      here.scenery != SCENERY_HERBS && here.scenery != SCENERY_POOL)
    return false;

  if (here.scenery == SCENERY_HERBS) {
    here.scenery = SCENERY_NONE;
    me.health += HERBS_PER_LEVEL * me.level;
    me.status = UNIT_NORMAL;
    me.moves -= COST_EAT;
    return true;
  }
  if (here.scenery == SCENERY_MUSHROOMS) {
    here.scenery = SCENERY_NONE;
    me.health += 5 + std::rand() % 3;
    me.status = UNIT_NORMAL;
    me.moves -= COST_EAT;
    return true;
  }
  if (here.scenery == SCENERY_POOL) {
    me.health += std::rand() % 6 + 1;
    me.moves -= COST_EAT;
    return true;
  }
  if (me.intelligence <= WIT_TO_USE) return false;
  int k = first_item_here(me, [](int type) { return type == ITEM_FOOD || type == ITEM_POTION; });
  if (k < 0) return false;
  get_item(k, player, u);
  if (owns(k, player, u)) use_object(k, player, u);
  return true;
}

static bool scavenger(int race) {
  return race == RACE_GHOUL || race == RACE_RAT || race == RACE_SPIDER ||
         race == RACE_CAVEDWELLER || race == RACE_GOBLIN;
}

static bool eat_corpse(int player, int u) {
  unit_record& me = unit[player][u];
  if (!scavenger(me.race) || map[me.z][me.x][me.y].object_count <= 0) return false;
  int k = first_item_here(me, [](int type) { return type == ITEM_CORPSE; });
  if (k < 0) return false;
  destroy_object(k);
  me.health += std::rand() % 10 + 5;
  me.moves = 0;
  return true;
}

static void make_use_of(int k, int player, int u) {
  const unit_record& me = unit[player][u];
  switch (object[k].type) {
    case ITEM_WEAPON:
      if (carry_weapon(player, u) == 0) equip_weapon(k, player, u);
      break;
    case ITEM_WEARABLE:
      wear_item(k, player, u);
      break;
    case ITEM_FOOD:
      if (me.health < HUNGRY_HEALTH) use_object(k, player, u);
      break;
    case ITEM_POTION:
      if (me.health < THIRSTY_HEALTH) use_object(k, player, u);
      break;
  }
}

static bool pick_up(int player, int u) {
  const unit_record& me = unit[player][u];
  if (me.intelligence <= WIT_TO_PICK_UP || map[me.z][me.x][me.y].object_count <= 0) return false;
  if ((std::rand() & 1) != 0) return false;
  int k = first_item_here(me, [](int type) { return type != ITEM_CORPSE; });
  if (k < 0) return false;
  get_item(k, player, u);
  // A creature that could not take it (its hands full) walks on instead.
  if (!owns(k, player, u)) return false;
  make_use_of(k, player, u);
  return true;
}

// Down (dz -1) or up (dz +1) the ladder the unit stands on.
static bool climb(int player, int u, int dz) {
  unit_record& me = unit[player][u];
  int z = me.z + dz;
  if (!on_grid(z, me.x, me.y) || map[z][me.x][me.y].occupant_player != 0) return false;
  int x = me.x, y = me.y, from = me.z;
  remove_unit(player, u);
  map[from][x][y].passable = 1;
  place_unit(player, u, z, x, y);
  map[z][x][y].passable = 0;
  me.moves = 0;
  rest_ms(LADDER_PAUSE_MS);
  return true;
}

static bool take_ladder(int player, int u) {
  unit_record& me = unit[player][u];
  int scenery = map[me.z][me.x][me.y].scenery;
  if (scenery != SCENERY_LADDER_DOWN && scenery != SCENERY_LADDER_UP) return false;
  bool keen =
      std::rand() % 100 < LADDER_CHANCE || me.order == ORDER_ATTACK || me.order == ORDER_SEEK;
  if (!keen || !unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return false;
  int party_z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
  if (scenery == SCENERY_LADDER_DOWN && party_z < me.z) return climb(player, u, -1);
  if (scenery == SCENERY_LADDER_UP && party_z > me.z) return climb(player, u, +1);
  return false;
}

// ---------------------------------------------------------------------------
// The step towards the waypoint
// ---------------------------------------------------------------------------

struct heading {
  int wanted;
  int first[2];
  int further[2];
  int cornered;
};

// The way to the waypoint, the two tries beside it, the two further tries of
// creatures, and the way a creature turns when all of them fail.
static heading heading_to(int x, int y, int wx, int wy) {
  if (x < wx && wy < y) return {NORTHEAST, {NORTH, EAST}, {NORTHWEST, SOUTHEAST}, SOUTHWEST};
  if (wx < x && wy < y) return {NORTHWEST, {NORTH, WEST}, {NORTHEAST, SOUTHWEST}, SOUTHEAST};
  if (wx < x && y < wy) return {SOUTHWEST, {SOUTH, WEST}, {SOUTHEAST, NORTHWEST}, NORTHEAST};
  if (x < wx && y < wy) return {SOUTHEAST, {SOUTH, EAST}, {SOUTHWEST, NORTHEAST}, NORTHWEST};
  if (x < wx) return {EAST, {NORTHEAST, SOUTHEAST}, {NORTH, SOUTH}, WEST};
  if (wx < x) return {WEST, {NORTHWEST, SOUTHWEST}, {NORTH, SOUTH}, EAST};
  if (y < wy) return {SOUTH, {SOUTHEAST, SOUTHWEST}, {EAST, WEST}, NORTH};
  return {NORTH, {NORTHWEST, NORTHEAST}, {WEST, EAST}, SOUTH};
}

static bool still_here(int player, int u) { return unit[player][u].status != UNIT_FREE; }

static void try_step(int player, int u, int direction) {
  if (BOUNCED != 1 || !still_here(player, u)) return;
  unit[player][u].facing = direction;
  forward(player, u);
}

static void step_to_waypoint(int player, int u) {
  unit_record& me = unit[player][u];
  int i = me.waypoint_index;
  if (i < 0 || i >= WAYPOINTS) return;
  int wx = me.waypoint_x[i], wy = me.waypoint_y[i];
  if (me.x == wx && me.y == wy) return;
  heading h = heading_to(me.x, me.y, wx, wy);

  if (me.facing != h.wanted) {
    me.facing = h.wanted;  // turning on the spot costs nothing
    return;
  }
  forward(player, u);
  if (BOUNCED == 1 && facing(me.facing, player, u) == TERRAIN_CLOSED_DOOR) {
    open_door(me.facing, player, u);
    // A creature too dull to work the latch goes round instead.
    if (facing(me.facing, player, u) != TERRAIN_CLOSED_DOOR) BOUNCED = 0;
  }
  if (BOUNCED == 1 && player == CURRENT_PLAYER &&
      extra_facing(me.facing, player, u) == SCENERY_CELL_DOOR)
    message_box("This DOOR is LOCKED!");
  try_step(player, u, h.first[0]);
  try_step(player, u, h.first[1]);
  if (player == CURRENT_PLAYER) {
    if (BOUNCED == 1) me.facing = h.wanted;
    return;
  }
  try_step(player, u, h.further[0]);
  try_step(player, u, h.further[1]);
  me.facing = h.wanted;
  if (BOUNCED == 1) {
    me.facing = h.cornered;
    me.moves -= COST_CORNERED;
    if (me.order == ORDER_FLEE) me.order = ORDER_ATTACK;  // cornered, it fights
  }
}

void AIunitmove(int player, int u) {
  BOUNCED = 0;
  if (!unit_slot_valid(player, u)) return;
  const unit_record& me = unit[player][u];
  if (me.status == UNIT_FREE || !on_grid(me.z, me.x, me.y)) return;

  if (tend_wounds(player, u)) return;
  if (player != CURRENT_PLAYER) {
    if (eat_corpse(player, u)) return;
    if (pick_up(player, u)) return;
    if (take_ladder(player, u)) return;
  }
  step_to_waypoint(player, u);
}
