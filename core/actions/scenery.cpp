// The acting unit's interactions with the features of the map: chests and
// crypts, webs and nests, mushrooms and herbs, ladders, statues, pools,
// switches, oil, fire, lava and water; and the crystal, rubble and looking
// actions the action menu offers beside them.
#include "core/actions/scenery.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/actions/climb.h"
#include "core/actions/doors.h"
#include "core/actions/movement.h"
#include "core/frontend.h"
#include "core/movecost.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"
#include "creatures/monsters.h"
#include "creatures/sight.h"
#include "items/catalogue.h"
#include "items/inventory.h"
#include "items/use.h"

constexpr int COST_BURN = 15;
constexpr int COST_PICK = 15;
constexpr int COST_DRINK = 30;
constexpr int COST_SWITCH = 20;
constexpr int COST_STATUE = 15;
constexpr int COST_STATUE_GEM = 15;
constexpr int COST_STATUE_WEAPON = 5;
constexpr int COST_CRYSTAL = 30;
constexpr int COST_CLIMB = 35;
constexpr int HAND_LIMIT = 9;       // items a unit can hold at once
constexpr int THIRST_HEALTH = 20;   // water only helps a unit below this
constexpr int STATUE_GUARDIAN = 8;  // the kind a statue wakes as
constexpr int STATUE_PLAYER = 2;
constexpr int RUBBLE_CLEARED = 33;  // a dig below this clears the square
constexpr int RUBBLE_GEM = 23;
constexpr int SHOVEL_BONUS = 20;
constexpr int PICKAXE_LUCK = 2;

// What an interaction came to; the drink of water that may follow depends
// on it.
enum class outcome { none, done, refused, climbed };

static unit_record& acting() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

static bool acting_unit_valid() {
  if (!unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) return false;
  const unit_record& me = acting();
  return on_grid(me.z, me.x, me.y);
}

static bool standing_on(const unit_record& me, int x, int y, int z) {
  return me.x == x && me.y == y && me.z == z;
}

static bool is_water(int z, int x, int y) { return environment[z][x][y].water != 0; }

// What the unit sees has changed.
static void look_again() {
  reveal_tiles();
  UPDATE_MAP = 1;
  drawmap();
  usleep(50);
}

// The scenery changed in a way that changes what may be entered.
static void passage_changed(int z) {
  map_movecost(z);
  UPDATE_MAP = 1;
}

// The interactions that need the unit on the square itself.
static bool too_far(const unit_record& me, int x, int y, int z) {
  if (standing_on(me, x, y, z)) return false;
  message_box("You are too far away to do that!");
  return true;
}

// The interactions done from beside the square: face it first, then act if
// the turn left any points.
static bool face_and_ready(int x, int y, int min_moves) {
  turn_to_square(CURRENT_PLAYER, CURRENT_UNIT, x, y);
  return acting().moves >= min_moves;
}

static bool wields(int player, int u, const char* word) {
  int w = carry_weapon(player, u);
  return w > 0 && w < OBJECT_SLOTS && std::strstr(object[w].name, word) != nullptr;
}

static std::string container_name(int c) {
  if (c <= 0 || c >= CONTAINER_SLOTS) return "container";
  return container[c].name;
}

// ---------------------------------------------------------------------------
// Fire and lava light the torch in hand
// ---------------------------------------------------------------------------

static void light_torch() {
  int torch = carry_torch(CURRENT_PLAYER, CURRENT_UNIT);
  if (torch > 0 && torch < OBJECT_SLOTS) use_object(torch, CURRENT_PLAYER, CURRENT_UNIT);
}

static bool light_torch_from_lava(int x, int y, int z) {
  if (environment[z][x][y].lava == 0) return false;
  int torch = carry_torch(CURRENT_PLAYER, CURRENT_UNIT);
  if (torch <= 0 || torch >= OBJECT_SLOTS) return false;
  use_object(torch, CURRENT_PLAYER, CURRENT_UNIT);
  return true;
}

// ---------------------------------------------------------------------------
// Chests, crypts and barrels
// ---------------------------------------------------------------------------

static outcome work_container(int x, int y, int z) {
  int c = which_container(z, x, y);
  if (c <= 0 || c >= CONTAINER_SLOTS) return outcome::none;
  container_record& k = container[c];
  std::string name = k.name;
  switch (k.state) {
    case CONTAINER_CLOSED:
      message_box(("You open the " + name).c_str());
      open_scenery(x, y, z, SCENERY_CONTAINER);
      return outcome::done;
    case CONTAINER_OPEN:
      message_box(("You search the " + name).c_str());
      search_object(SCENERY_CONTAINER, x, y, z);
      return outcome::done;
    case CONTAINER_POWDER:
      if (!face_and_ready(x, y, 1)) return outcome::refused;
      message_box("You set the barrel alight!");
      k.state = CONTAINER_ALIGHT;
      passage_changed(z);
      return outcome::done;
    default:
      return outcome::none;
  }
}

// ---------------------------------------------------------------------------
// Burning, picking, drinking, switches and statues
// ---------------------------------------------------------------------------

static void burn_away(unit_record& me, int x, int y, int z) {
  message_box("You set it fire, and it burns quickly to nothing!");
  map[z][x][y].scenery = SCENERY_NONE;
  me.moves -= COST_BURN;
  passage_changed(z);
}

static outcome pick(unit_record& me, int x, int y, int z, bool herbs) {
  if (too_far(me, x, y, z)) return outcome::refused;
  if (carried_objects(CURRENT_PLAYER, CURRENT_UNIT) >= HAND_LIMIT) {
    message_box("You are carrying too much!");
    return outcome::refused;
  }
  if (herbs) {
    message_box("You pick the herbs");
    if (QUEST_NO == 1) message_box("These look like the magic herbs you need!");
    create_herbs(CURRENT_PLAYER, CURRENT_UNIT);
  } else {
    message_box("You pick the mushrooms");
    create_mushrooms(CURRENT_PLAYER, CURRENT_UNIT);
  }
  map[z][x][y].scenery = SCENERY_NONE;
  me.moves -= COST_PICK;
  return outcome::done;
}

static void drink(unit_record& me, int most) {
  if (me.health < THIRST_HEALTH) me.health += std::rand() % (most + 1);
  me.moves -= COST_DRINK;
}

static outcome drink_from_pool(unit_record& me, int x, int y, int z) {
  if (too_far(me, x, y, z)) return outcome::refused;
  message_box("You drink from the pool.");
  drink(me, 5);
  look_again();
  return outcome::done;
}

static outcome pull_switch(unit_record& me, int x, int y, int z) {
  if (too_far(me, x, y, z)) return outcome::refused;
  message_box("You move the switch.");
  move_switch(z, x, y);
  me.moves -= COST_SWITCH;
  look_again();
  return outcome::done;
}

// ---------------------------------------------------------------------------
// Climbing
// ---------------------------------------------------------------------------

// The climbs the action menu offers: the unit stands on the ladder and pays
// for the climb; the ladder up always leaves a ladder down beneath the
// climber, and nobody climbs onto a square another unit holds.
static outcome climb(unit_record& me, int x, int y, int z, int scenery) {
  if (too_far(me, x, y, z)) return outcome::refused;
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (scenery == SCENERY_LADDER_UP)
    climb_a_level_up(player, u, COST_CLIMB, SCENERY_LADDER_DOWN);
  else if (scenery == SCENERY_LADDER_DOWN)
    climb_a_level_down(player, u, COST_CLIMB, "You CLIMB DOWN the LADDER.");
  else
    climb_a_level_down(player, u, COST_CLIMB, "You CLIMB DOWN the STAIRS.");
  look_again();
  return outcome::climbed;
}

// ---------------------------------------------------------------------------
// interact_scenery
// ---------------------------------------------------------------------------

static outcome interact_with_scenery(int x, int y, int z) {
  unit_record& me = acting();
  int scenery = map[z][x][y].scenery;
  switch (scenery) {
    case SCENERY_CRYPT:
      message_box("You open the crypt.");
      open_scenery(x, y, z, SCENERY_CRYPT);
      return outcome::done;
    case SCENERY_OPEN_CRYPT:
    case SCENERY_SEARCHED_CRYPT:
      message_box("You search the crypt");
      search_object(scenery, x, y, z);
      return outcome::done;
    case SCENERY_CONTAINER:
      return work_container(x, y, z);
    case SCENERY_WEB:
      burn_away(me, x, y, z);
      return outcome::done;
    case SCENERY_MUSHROOMS:
      return pick(me, x, y, z, false);
    case SCENERY_HERBS:
      return pick(me, x, y, z, true);
    case SCENERY_LADDER_DOWN:
    case SCENERY_LADDER_UP:
    case SCENERY_TRAPDOOR:
      return climb(me, x, y, z, scenery);
    case SCENERY_FIRE:
      if (!face_and_ready(x, y, 1)) return outcome::refused;
      light_torch();
      return outcome::done;
    case SCENERY_NEST:
      if (!face_and_ready(x, y, 1)) return outcome::refused;
      burn_away(me, x, y, z);
      return outcome::done;
    case SCENERY_STATUE:
      if (!face_and_ready(x, y, 1)) return outcome::refused;
      message_box("You touch the statue.");
      touch_statue(z, x, y);
      look_again();
      return outcome::done;
    case SCENERY_POOL:
      return drink_from_pool(me, x, y, z);
    case SCENERY_SWITCH_A:
    case SCENERY_SWITCH_B:
      return pull_switch(me, x, y, z);
    case SCENERY_OIL:
      if (!face_and_ready(x, y, 1)) return outcome::refused;
      message_box("You set the oil patch alight!");
      map[z][x][y].scenery = SCENERY_FIRE;
      passage_changed(z);
      return outcome::done;
    default:
      return outcome::none;
  }
}

static void drink_water(int x, int y, int z) {
  if (!is_water(z, x, y)) return;
  message_box("You drink from the water.");
  drink(acting(), 3);
  look_again();
}

void interact_scenery(int x, int y, int z) {
  recorded_command command("interact_scenery", {x, y, z});
  if (!on_grid(z, x, y) || !acting_unit_valid()) return;
  if (light_torch_from_lava(x, y, z)) return;
  if (interact_door(x, y, z)) return;
  outcome o = interact_with_scenery(x, y, z);
  if (o == outcome::none || o == outcome::done) drink_water(x, y, z);
}

// ---------------------------------------------------------------------------
// Statues
// ---------------------------------------------------------------------------

// The statue is gone: the square opens up and the change shows.
static void statue_gone(int z, int x, int y) {
  map[z][x][y].scenery = SCENERY_NONE;
  passage_changed(z);
  drawmap();
}

static void statue_effect(const unit_record& me, int x, int y) {
  draw_explosion(x - me.x, y - me.y, 3);
}

// The guardian steps down from its plinth: a statue stands on a pillar of the
// level's rock, which stays, so the guardian takes the nearest square it can
// stand on (found without a draw).  Clearing the pillar instead would open a
// way and a line of sight the level was never built with.  With no room near,
// it stays stone.
static void wake_guardian(int z, int x, int y) {
  if (!unit_may_stand(z, x, y) && !nearest_open_square(z, x, y)) return;
  create_monster(STATUE_PLAYER, next_free_unit(STATUE_PLAYER), z, x, y, STATUE_GUARDIAN);
}

void touch_statue(int z, int x, int y) {
  recorded_command command("touch_statue", {z, x, y});
  if (!on_grid(z, x, y) || !acting_unit_valid()) return;
  unit_record& me = acting();
  me.moves -= COST_STATUE;
  int r = std::rand() % 10 + 1;
  switch (r) {
    case 1:
    case 2:
      message_box("The statue springs to life!");
      statue_gone(z, x, y);
      statue_effect(me, x, y);
      wake_guardian(z, x, y);
      break;
    case 5:
      message_box("One of the statue's eyes is a gemstone!");
      statue_gone(z, x, y);
      me.moves -= COST_STATUE_GEM;
      statue_effect(me, x, y);
      create_gem(0, me.z, me.x, me.y);
      break;
    case 6:
      message_box("There is a weapon in one of its hands.");
      statue_gone(z, x, y);
      me.moves -= COST_STATUE_WEAPON;
      statue_effect(me, x, y);
      create_weapon(0, me.z, me.x, me.y);
      break;
    case 3:
    case 4:
    case 7:
      message_box("Nothing happens!");
      break;
    default:
      message_box("The statue crumbles away to dust.");
      statue_gone(z, x, y);
      break;
  }
}

// ---------------------------------------------------------------------------
// Switches and bridges
// ---------------------------------------------------------------------------

// Moves the bridge piece of the given kind from (fx, fy) to (tx, ty) as the
// other kind, when it lies there and its new place is on the level.
static bool swing_bridge(int z, int fx, int fy, int kind, int tx, int ty) {
  if (!on_grid(z, fx, fy) || !on_grid(z, tx, ty)) return false;
  if (map[z][fx][fy].scenery != kind) return false;
  map[z][fx][fy].scenery = SCENERY_NONE;
  map[z][tx][ty].scenery = kind == SCENERY_BRIDGE_NS ? SCENERY_BRIDGE_EW : SCENERY_BRIDGE_NS;
  return true;
}

void move_switch(int z, int x, int y) {
  recorded_command command("move_switch", {z, x, y});
  if (!on_grid(z, x, y)) return;
  int& s = map[z][x][y].scenery;
  s = s == SCENERY_SWITCH_A ? SCENERY_SWITCH_B : SCENERY_SWITCH_A;
  // The bridge turns a quarter about the switch, always the same way round.
  if (swing_bridge(z, x + 1, y, SCENERY_BRIDGE_NS, x, y + 1)) return;
  if (swing_bridge(z, x - 1, y, SCENERY_BRIDGE_NS, x, y - 1)) return;
  if (swing_bridge(z, x, y - 1, SCENERY_BRIDGE_EW, x + 1, y)) return;
  swing_bridge(z, x, y + 1, SCENERY_BRIDGE_EW, x - 1, y);
}

// ---------------------------------------------------------------------------
// Crystals and rubble
// ---------------------------------------------------------------------------

void smash_crystal(int z, int x, int y, int player, int u) {
  recorded_command command("smash_crystal", {z, x, y, player, u});
  if (!on_grid(z, x, y) || !unit_slot_valid(player, u)) return;
  if (map[z][x][y].scenery != SCENERY_CRYSTAL) return;
  message_box("You smash the crystal in pieces");
  map[z][x][y].scenery = SCENERY_NONE;
  map[z][x][y].passable = 1;
  int r = std::rand() % 30;
  if (wields(player, u, "pickaxe")) r -= PICKAXE_LUCK;
  if (r < 1) {
    message_box("In amongst the remains you can see a gem!");
    create_gem(0, z, x, y);
  }
  unit[player][u].moves -= COST_CRYSTAL;
}

void clear_rubble(int z, int x, int y, int player, int u) {
  recorded_command command("clear_rubble", {z, x, y, player, u});
  if (!on_grid(z, x, y) || !unit_slot_valid(player, u)) return;
  bool told = player == CURRENT_PLAYER && u == CURRENT_UNIT;
  int v = std::rand() % 100 - unit[player][u].strength;
  if (wields(player, u, "shovel")) {
    v -= SHOVEL_BONUS;
    if (told) message_box("You use the shovel on the rubble.");
  } else if (told) {
    message_box("You use the pickaxe on the rockface.");
  }
  map_cell& c = map[z][x][y];
  // Only rubble and earth give way to digging; bare rock stays rock.
  bool diggable = c.scenery == SCENERY_RUBBLE || c.terrain == TERRAIN_EARTH;
  if (v < RUBBLE_CLEARED && diggable) {
    if (told) message_box("You clear the rubble.");
    c.scenery = SCENERY_NONE;
    if (c.terrain == TERRAIN_EARTH) c.terrain = TERRAIN_PASSAGE_FLOOR;
    passage_changed(z);
    if (v == RUBBLE_GEM) {
      if (told) message_box("In amongst the rubble you can find a gem!");
      create_gem(0, z, x, y);
    }
  }
  unit[player][u].moves = 0;
}

// ---------------------------------------------------------------------------
// Looking
// ---------------------------------------------------------------------------

const char* terrain_description(int terrain) {
  switch (terrain) {
    case TERRAIN_BUILT_WALL:
      return "This appears to be a stone and mortar wall.";
    case TERRAIN_CLOSED_DOOR:
      return "This appears to be a closed wooden door.";
    case TERRAIN_OPEN_DOOR:
      return "This appears to be an open wooden door.";
    case TERRAIN_ROCK:
      return "This appears to be roughly hewn rock.";
    case TERRAIN_EARTH:
      return "This appears to be an earthern wall.";
    case TERRAIN_PILLAR:
      return "This appears to be a pillar.";
    default:
      return nullptr;
  }
}

const char* scenery_description(int scenery) {
  switch (scenery) {
    case SCENERY_CRYPT:
      return "This seems to be a closed stone sarcophogus.";
    case SCENERY_OPEN_CRYPT:
    case SCENERY_SEARCHED_CRYPT:
      return "This seems to be a open stone sarcophogus.";
    case SCENERY_MUSHROOMS:
      return "These look like a patch of strange mushrooms.";
    case SCENERY_HERBS:
      return "This look like a weird herb.";
    case SCENERY_BOULDER:
      return "This look like a round boulder.";
    case SCENERY_LADDER_DOWN:
      return "These are stairs going down.";
    case SCENERY_LADDER_UP:
      return "These are stairs going up.";
    case SCENERY_SECRET_FOUND:
      return "This is a secret door in the wall.";
    case SCENERY_MINE_CART:
      return "This look like a mine cart.";
    case SCENERY_STATUE:
      return "A stone statue of some long forgotten person.";
    case SCENERY_CRYSTAL:
      return "This seems to be a huge crystal.";
    case SCENERY_HOLE:
      return "This look like a hole in the floor.";
    case SCENERY_RUBBLE:
      return "This seems to be a huge pile of rubble.";
    case SCENERY_POOL:
      return "This looks like a pool of murky water.";
    case SCENERY_SWITCH_A:
    case SCENERY_SWITCH_B:
      return "This look like a switch.";
    case SCENERY_OIL:
      return "This looks like a pool of tar.";
    default:
      return nullptr;
  }
}

std::string examine_words(int x, int y, int z) {
  if (!on_grid(z, x, y)) return "";
  const map_cell& c = map[z][x][y];
  if (const char* text = terrain_description(c.terrain)) return text;
  if (c.scenery == SCENERY_CONTAINER)
    return "This looks like a " + container_name(which_container(z, x, y)) + ".";
  return "";
}

void examine_scenery(int x, int y, int z) {
  recorded_command command("examine_scenery", {x, y, z});
  if (!on_grid(z, x, y)) return;
  std::string text = examine_words(x, y, z);
  if (text.empty()) {
    const char* words = scenery_description(map[z][x][y].scenery);
    text = words ? words : "It's nothing special...";
  }
  message_box(text.c_str());
}
