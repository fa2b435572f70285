// Creature creation.
#include "creatures/monsters.h"

#include <algorithm>
#include <cstdlib>

#include "core/frontend.h"
#include "core/occupancy.h"
#include "core/start_health.h"
#include "core/world.h"
#include "items/catalogue.h"
#include "creatures/names.h"
#include "items/inventory.h"

struct race_entry {
  int race;
  const char* names[3];  // by grade 1, 2, 3
  bool item;             // clever enough (intelligence above 20) to carry something
};

static const race_entry race_table[] = {
    {RACE_HUMAN, {"Weak Human", "Human", "Human Warrior"}, true},
    {RACE_SKELETON, {"Weak Skeleton", "Skeleton", "Strong Skeleton"}, true},
    {RACE_GOBLIN, {"Grobling", "Goblin", "Warrior Goblin"}, true},
    {RACE_RAT, {"Large Rat", "Giant Rat", "Fierce Rat"}, false},
    {RACE_GHOUL, {"Ghoul", "Ghoul", "Ghoul"}, true},
    {RACE_SPIDER, {"Cave Spider", "Large Spider", "Giant Arachnid"}, false},
    {RACE_BLOB, {"Small Blob", "Blob", "Enormous Blob"}, false},
    {RACE_DWARF, {"Dark Dwarf", "Dwarf", "Warrior Dwarf"}, true},
    {RACE_GOLEM, {"Statue", "Golem", "Rock Troll"}, true},
    {RACE_HOBGOBLIN, {"Weak Hobgoblin", "Hobgoblin", "Warrior Hobgoblin"}, true},
    {RACE_GNOME, {"Small Gnome", "Gnome", "Rock Gnome"}, true},
    {RACE_CAVEDWELLER, {"Cavedweller", "Troglodyte", "Pitfiend"}, true},
    {RACE_SALAMANDER, {"Small Salamander", "Salamander", "Lavamander"}, true},
    {RACE_MINOTAUR, {"Weak Minotaur", "Minotaur", "King Minotaur"}, true},
    {RACE_WATER_TERROR, {"Weak Water Terror", "Water Terror", "Huge Water Terror"}, false},
    {RACE_HENCHMAN, {"Henchman", "Villan", "Murderer"}, true},
    {RACE_BELOVED, {"Beloved", "Beloved", "Beloved"}, true},
};

static const race_entry* find_race(int race) {
  for (const race_entry& e : race_table)
    if (e.race == race) return &e;
  return nullptr;
}

// How the new creature behaves: hunting from home, guarding its spot, or
// wandering about it.
enum class posting { hunter, guard, wanderer };

// Turns a request into a race and a posting; false for a request that names
// nothing.
static bool resolve_request(int kind, int z, int x, int y, int& race, posting& post) {
  post = posting::hunter;
  switch (kind) {
    case REQUEST_PRISONER:
      race = RACE_HUMAN;
      post = posting::guard;
      return true;
    case REQUEST_WATER:
      race = environment[z][x][y].water != 0 ? RACE_WATER_TERROR : RACE_GOBLIN;
      return true;
    case REQUEST_SALAMANDER:
      race = RACE_SALAMANDER;
      post = posting::wanderer;
      return true;
    case REQUEST_SKELETON_GUARD:
      race = RACE_SKELETON;
      post = posting::guard;
      return true;
    default:
      // Blobs (6) stay out: that request is the prisoner.  99 is only ever
      // asked for by the quest's captive, who is the Beloved.
      if ((kind >= 0 && kind <= 13) || kind == RACE_HENCHMAN || kind == RACE_BELOVED) {
        race = kind;
        return true;
      }
      return false;
  }
}

// Weak near the bottom, strong near the top.
static int draw_grade(int z) {
  int t = z + std::rand() % 10;
  int g = t < 3 ? 1 : (t > 12 ? 3 : 2);
  if (z == 0) g = 1;
  if (z == 10) g = 3;
  return g;
}

static void set_fighting(unit_record& m, int damage, int defence, int health, int strength) {
  // A blow is drawn modulo the damage: a creature always hurts a little.
  m.damage = damage < 1 ? 1 : damage;
  m.defence = defence;
  m.health = health;
  m.strength = strength;
}

// The catalogue's numbers.  Draws come in the order facing, movement,
// intelligence.
static void fill_statistics(unit_record& m, int race, int g, int z) {
  const int k = g + z;
  const int D = DIFFICULTY;
  m.level = g;
  m.facing = (race == RACE_HUMAN || race == RACE_GOLEM) ? SOUTH : std::rand() % 8;
  switch (race) {
    case RACE_HUMAN:
      set_fighting(m, 2 * k * D, 2 * z + 1, 15 * k * D, 2 * k);
      m.movement = 40 + std::rand() % 70;
      m.intelligence = 20 * g;
      m.sight = 10;
      break;
    case RACE_SKELETON:
      set_fighting(m, 3 * k * D, z / 2 + g, 10 * k * D, 4 * k);
      m.movement = 40 * g;
      m.intelligence = 10 * g;
      m.sight = 8;
      break;
    case RACE_GOBLIN:
      set_fighting(m, 2 * k * D, z / 2, 7 * k * D, 3 * k);
      m.movement = 15 * g + std::rand() % 50;
      m.intelligence = 15 * g + std::rand() % 10;
      m.sight = 12;
      break;
    case RACE_RAT:
      set_fighting(m, k * D, z / 2, 5 * k * D, 2 * k);
      m.movement = 10 * g + 70;
      m.intelligence = 5;
      m.sight = 14;
      break;
    case RACE_GHOUL:
      set_fighting(m, 2 * k * D, z / 2 + g, 15 * k * D, 2 * k);
      m.movement = std::rand() % 60 + 10 * g;
      m.intelligence = 20 * g;
      m.sight = 12;
      break;
    case RACE_SPIDER:
      // Spiders grow with the level alone; their level is one above it.
      set_fighting(m, (z + 1) * D, z / 2, (5 * z + 5) * D, 2 * z + 2);
      m.movement = std::rand() % 50 + 30 * g;
      m.intelligence = 5;
      m.sight = 12;
      m.level = z + 1;
      break;
    case RACE_BLOB:
      set_fighting(m, k * D, z / 2, 15 * k * D, 2 * k);
      m.movement = std::rand() % 20 + 20;
      m.intelligence = 5;
      m.sight = 2;
      break;
    case RACE_DWARF:
      set_fighting(m, (2 * z + 2) * D, z, (35 * z + 35) * D, 4 * z + 4);
      m.movement = std::rand() % 50 + 30;
      m.intelligence = 20 * g;
      m.sight = 12;
      break;
    case RACE_GOLEM:
      set_fighting(m, 3 * k * D, 2 * z + 1, 15 * k * D, 4 * k);
      m.movement = 20 * g;
      m.intelligence = 10 * g;
      m.sight = 6;
      break;
    case RACE_HOBGOBLIN:
      set_fighting(m, 2 * k * D, 2 * z + 1, 15 * k * D, 2 * k);
      m.movement = std::rand() % 50 + 40;
      m.intelligence = 20 * g;
      m.sight = 10;
      break;
    case RACE_GNOME:
      set_fighting(m, (z + 1) * D, z / 2, (10 * z + 10) * D, z + 1);
      m.movement = std::rand() % 60 + 50;
      m.intelligence = 25 * g;
      m.sight = 14;
      break;
    case RACE_CAVEDWELLER:
      set_fighting(m, 2 * k * D, 2 * z + 1, 15 * k * D, 2 * k);
      m.movement = std::rand() % 50 + 40;
      m.intelligence = 13 * g + std::rand() % 15;
      m.sight = 14;
      break;
    case RACE_SALAMANDER:
      set_fighting(m, 2 * k * D, 2 * z + g, 18 * k * D, 3 * k);
      m.movement = (std::rand() % 50) * g + 30;
      m.intelligence = 15 * g;
      m.sight = 8;
      break;
    case RACE_MINOTAUR:
      set_fighting(m, 4 * k * D, 2 * z + g, 25 * k * D, 4 * k);
      m.movement = std::rand() % 50 + 30;
      m.intelligence = 15 * g;
      m.sight = 6;
      break;
    case RACE_WATER_TERROR:
      set_fighting(m, 2 * k * D, 2 * z, 15 * k * D, 2 * k);
      m.movement = 25;
      m.intelligence = 5;
      m.sight = 2;
      break;
    case RACE_HENCHMAN:
      set_fighting(m, 2 * k * D, 2 * z + 1, 15 * k * D, 2 * k);
      m.movement = std::rand() % 70 + 50;
      m.intelligence = 30 * g;
      m.sight = 12;
      break;
    case RACE_BELOVED:
    default:
      set_fighting(m, 2 * k * D, 2 * z + 1, 15 * k * D, 2 * k);
      m.movement = std::rand() % 70 + 60;
      m.intelligence = 50;
      m.sight = 10;
      break;
  }
  // Water terrors strike from the water as far as their grade reaches.
  m.ranged = race == RACE_WATER_TERROR ? g : 1;
}

// Home (or a spot near it) in waypoint 8, and in 9 the unit that was acting
// when the creature appeared, which it goes after.
static void set_orders(unit_record& m, posting post) {
  switch (post) {
    case posting::hunter:
      m.order = ORDER_ATTACK;
      m.waypoint_index = WAYPOINT_POSITION;
      m.waypoint_x[WAYPOINT_POSITION] = m.x;
      m.waypoint_y[WAYPOINT_POSITION] = m.y;
      break;
    case posting::guard:
      m.order = ORDER_GUARD;
      return;
    case posting::wanderer: {
      m.order = ORDER_WANDER;
      m.waypoint_index = WAYPOINT_POSITION;
      int wx = m.x - 1 + std::rand() % 3;
      int wy = m.y - 1 + std::rand() % 3;
      // A creature at the edge must not wander towards a square off the map.
      m.waypoint_x[WAYPOINT_POSITION] = std::clamp(wx, 0, LAND_SIZE - 1);
      m.waypoint_y[WAYPOINT_POSITION] = std::clamp(wy, 0, LAND_SIZE - 1);
      break;
    }
  }
  m.waypoint_x[WAYPOINT_TARGET] = CURRENT_PLAYER;
  m.waypoint_y[WAYPOINT_TARGET] = CURRENT_UNIT;
}

void create_monster(int player, int u, int z, int x, int y, int kind) {
  if (!unit_slot_valid(player, u) || u < 1 || !on_grid(z, x, y)) return;
  unit_record& m = unit[player][u];
  // Never over a living unit (a full table hands out its last slot again).
  if (m.status != UNIT_FREE && m.status != 0) return;

  int g = draw_grade(z);
  int race = 0;
  posting post = posting::hunter;
  if (!resolve_request(kind, z, x, y, race, post)) return;
  const race_entry* entry = find_race(race);
  if (!entry) return;

  copy_text(m.name, entry->names[g - 1]);
  m.race = race;
  fill_statistics(m, race, g, z);
  m.status = UNIT_NORMAL;
  m.moves = m.movement;  // it may act in the turn it appears
  m.waypoint_x[5] = 999;

  place_unit(player, u, z, x, y);
  map[z][x][y].passable = 1;
  assign_icon(1, player, u, 0);

  if (entry->item && m.intelligence > 20) monster_object(player, u);
  set_orders(m, post);
  if (player == CURRENT_PLAYER) create_name(player, u);
  note_start_health(player, u);
}

static int next_free_object_from(int start) {
  int end = std::min(MAX_OBJECTS, OBJECT_SLOTS);
  for (int i = std::max(start, 1); i < end; i++)
    if (object[i].status == OBJECT_FREE) return i;
  return 0;
}

void monster_object(int player, int u) {
  if (!unit_slot_valid(player, u)) return;
  const unit_record& m = unit[player][u];
  for (int k = next_free_object_from(1); k != 0; k = next_free_object_from(k + 1)) {
    int r = std::rand() % 3;
    if (r == 0) {
      if (carry_weapon(player, u)) continue;  // armed already: roll again
      // Slot 999 asks the weapon maker for a rock; 0 finds that same free
      // slot and keeps the weapon a proper one.
      create_weapon(k == 999 ? 0 : k, m.z, m.x, m.y);
    } else if (r == 1) {
      create_armour(k, m.z, m.x, m.y);
    } else {
      create_gold(k, m.z, m.x, m.y);
    }
    return;
  }
}
