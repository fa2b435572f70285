// The item creators.  Each fills one object slot in a fixed order (slot,
// position and count, kind, numbers, words) so that a seeded game always makes
// the same items; the picture is chosen last, once kind and name are known.
#include "items/catalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "items/catalogue_quality.h"
#include "items/inventory.h"

// ---------------------------------------------------------------------------
// Slots
// ---------------------------------------------------------------------------

static int object_scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

static int first_free_object() {
  for (int i = 1; i < object_scan_end(); i++)
    if (object[i].status == OBJECT_FREE && object[i].z == 0) return i;
  return 0;
}

// The slot a creator fills, wiped clean (a reused slot still reads
// "destroyed"); 0 when there is none to fill.
static int claim_slot(int index) {
  int k = index == 0 ? first_free_object() : index;
  if (k < 1 || k >= object_scan_end()) return 0;
  object[k] = object_record{};
  return k;
}

static void place_on_ground(int k, int z, int x, int y) {
  object_record& o = object[k];
  o.x = x;
  o.y = y;
  o.z = z;
  o.status = OBJECT_ON_GROUND;
  o.owner_player = o.owner_unit = 0;
  map[z][x][y].object_count++;
}

// Slot and square together: the common opening of every ground creator.
static int open_ground_item(int index, int z, int x, int y) {
  if (!on_grid(z, x, y)) return 0;
  int k = claim_slot(index);
  if (k) place_on_ground(k, z, x, y);
  return k;
}

// ---------------------------------------------------------------------------
// Weapons and armour
// ---------------------------------------------------------------------------

struct weapon_row {
  const char* name;
  int base;    // damage before the level bonus
  int spread;  // plus rand() % spread
  int range;
  int weight;
  int picture;  // weapon picture for names no picture word matches
};

static const weapon_row weapon_rows[11] = {
    {"dagger", 2, 3, 1, 4, 3},  {"axe", 3, 6, 1, 16, 1},     {"club", 1, 6, 1, 18, 2},
    {"sword", 4, 8, 1, 20, 0},  {"pickaxe", 1, 6, 1, 30, 4}, {"knife", 2, 2, 1, 3, 3},
    {"shovel", 2, 6, 1, 25, 6}, {"hammer", 4, 4, 1, 35, 8},  {"spear", 3, 5, 5, 18, 7},
    {"rock", 1, 3, 5, 3, 5},    {"rock", 1, 3, 5, 3, 5}};
constexpr int WEAPON_ROCK = 10;

int create_weapon(int index, int z, int x, int y) {
  bool rock = index == 999;
  int k = open_ground_item(rock ? 0 : index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_WEAPON;
  int r = rock ? WEAPON_ROCK : std::rand() % 10;
  const weapon_row& w = weapon_rows[r];
  o.var1 = w.base + z / 2 + std::rand() % w.spread;
  o.range = w.range;
  o.weight = w.weight;
  copy_text(o.name, w.name);
  // A rock is just a rock: no age, no metal, no description.
  if (r < 9) {
    item_age(k);
    item_metal(k);
    append_text(o.description, o.name);
  }
  assign_icon(0, 0, k, w.picture);
  return k;
}

struct armour_row {
  const char* name;
  int base;  // armour before the level bonus
  int spread;
  int slot;
  int weight;
  int weight_spread;  // 0: the weight is fixed and draws nothing
};

static const armour_row armour_rows[10] = {{"hat", 0, 2, SLOT_HEAD, 2, 0},
                                           {"pothelm", 1, 3, SLOT_HEAD, 5, 4},
                                           {"helmet", 3, 3, SLOT_HEAD, 9, 5},
                                           {"small shield", 2, 3, SLOT_SHIELD, 12, 5},
                                           {"large shield", 4, 3, SLOT_SHIELD, 25, 10},
                                           {"chain vest", 6, 4, SLOT_BODY, 20, 20},
                                           {"studded trousers", 3, 4, SLOT_LEGS, 10, 20},
                                           {"chain gloves", 4, 2, SLOT_ARMS, 10, 20},
                                           {"gauntlets", 2, 3, SLOT_ARMS, 15, 10},
                                           {"studded jacket", 1, 4, SLOT_BODY, 10, 20}};

int create_armour(int index, int z, int x, int y) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_WEARABLE;
  const armour_row& a = armour_rows[std::rand() % 10];
  o.var1 = a.base + z / 2 + std::rand() % a.spread;
  o.weight = a.weight;
  if (a.weight_spread > 0) o.weight += std::rand() % a.weight_spread;
  o.range = a.slot;
  copy_text(o.name, a.name);
  item_age(k);
  item_condition(k);
  append_text(o.description, o.name);
  assign_icon(0, 0, k, 0);
  return k;
}

// ---------------------------------------------------------------------------
// Potions and magic items
// ---------------------------------------------------------------------------

int create_potion(int index, int z, int x, int y) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_POTION;
  o.weight = 2;
  int d = item_depth();
  int roll = std::rand() % 3 - (d <= 3) + (d >= 8);
  const char* label = "water";
  int picture = 4;
  switch (roll) {
    case 1:
      label = "health";
      o.range = 1;
      // Widened so that five times a large roll cannot overflow.
      o.var1 = 5 + static_cast<int>((5 * static_cast<int64_t>(std::rand())) % 6);
      picture = 0;
      break;
    case 2:
      label = "speed";
      o.range = 2;
      std::rand();  // drawn, and the speed potion is always 25 anyway
      o.var1 = 25;
      picture = 1;
      break;
    case 3:
      label = "defense";
      o.range = 3;
      o.var1 = 1 + std::rand() % 3;
      picture = 2;
      break;
    case 4:
      label = "antidote";
      o.range = 3;
      o.var1 = 1;
      picture = 3;
      break;
    default:
      o.range = 1;
      o.var1 = 0;
      break;
  }
  copy_text(o.name, "potion");
  std::string text = "A potion labelled " + scramble_word(label);
  copy_text(o.description, text.c_str());
  assign_icon(0, 0, k, picture);
  return k;
}

int create_magicitem(int index, int z, int x, int y) {
  if (!on_grid(z, x, y)) return 0;
  int k = claim_slot(index);
  if (!k) return 0;
  object[k].type = ITEM_MAGIC;
  int d = item_depth();
  int roll = std::rand() % 4 - (d < 4) + (d > 7);
  // A rope or potion is made whole by its own creator in this slot, which
  // also counts it on the square.
  if (roll == 3) return create_rope(k, z, x, y);
  if (roll == 4) return create_potion(k, z, x, y);

  place_on_ground(k, z, x, y);
  object_record& o = object[k];
  o.type = ITEM_WEARABLE;
  switch (roll) {
    case 0:
      copy_text(o.name, "Backpack");
      o.range = SLOT_BACK;
      o.var1 = 6;
      o.weight = 15;
      break;
    case 1:
      copy_text(o.name, "Elven Boots");
      o.range = SLOT_FEET;
      o.var1 = 5 * z + 5;
      o.weight = 5;
      break;
    case 2:
      copy_text(o.name, "Salamander Boots");
      o.range = SLOT_FEET;
      o.var1 = 99;
      o.weight = 5;
      break;
    default:
      copy_text(o.name, "Heavy Boots");
      o.range = SLOT_FEET;
      o.var1 = 1;
      o.weight = 25;
      break;
  }
  item_age(k);
  append_text(o.description, o.name);
  // 99 is what marks salamander boots, whatever age did to the number.
  if (roll == 2) o.var1 = 99;
  assign_icon(0, 0, k, 0);
  return k;
}

// ---------------------------------------------------------------------------
// Treasure
// ---------------------------------------------------------------------------

int create_gem(int index, int z, int x, int y) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_GEM;
  o.weight = 2;
  o.worth = 5 + 5 * (std::rand() % 25);
  copy_text(o.name, "A ");
  gem_quality(k);
  stone_type(k);
  append_text(o.name, "gem.");
  std::string text = std::to_string(o.worth) + " florins worth gem.";
  copy_text(o.description, text.c_str());
  assign_icon(0, 0, k, 0);
  return k;
}

int create_gold(int index, int z, int x, int y) {
  if (!on_grid(z, x, y)) return 0;
  int k = claim_slot(index);
  if (!k) return 0;
  if (std::rand() % 5 == 0) return create_gem(k, z, x, y);

  place_on_ground(k, z, x, y);
  object_record& o = object[k];
  o.type = ITEM_GOLD;
  if (QUEST_NO == 2)
    o.worth = 3 + 3 * (std::rand() % 15);
  else
    o.worth = 4 + 4 * (std::rand() % 6);
  // Weight and the number on the bag are those of the plain coins; the coin
  // word then sets what they are really worth.
  o.weight = o.worth / 6;
  copy_text(o.name, "bag of florins");
  copy_text(o.description, std::to_string(o.worth).c_str());
  coin_type(k);
  append_text(o.description, "florins in a bag.");
  assign_icon(0, 0, k, 0);
  return k;
}

// ---------------------------------------------------------------------------
// Plain items
// ---------------------------------------------------------------------------

struct plain_item {
  int type;
  const char* name;
  const char* description;
  int weight;
  int range;
  int var1;
};

static int create_plain(int index, int z, int x, int y, const plain_item& p) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = p.type;
  o.weight = p.weight;
  o.range = p.range;
  o.var1 = p.var1;
  copy_text(o.name, p.name);
  copy_text(o.description, p.description);
  assign_icon(0, 0, k, 0);
  return k;
}

int create_key(int index, int z, int x, int y) {
  return create_plain(index, z, x, y, {ITEM_KEY, "A key", "A rusty door key.", 1, 0, 0});
}

int create_fairy(int index, int z, int x, int y) {
  return create_plain(index, z, x, y,
                      {ITEM_FAIRY, "A Fairy", "An illuminous fairy.", 1, FAIRY_LIGHT_RADIUS, 0});
}

int create_rope(int index, int z, int x, int y) {
  return create_plain(
      index, z, x, y,
      {ITEM_ROPE, "some rope", "The rope has a small grappling hook at one end.", 25, 0, 0});
}

int create_corpse(int index, int z, int x, int y) {
  // var1: the turn ends it lies on the ground before it rots away.
  return create_plain(index, z, x, y,
                      {ITEM_CORPSE, "A corpse", "The cadaver of a dead creature..", 75, 0, 20});
}

int create_torch(int index, int z, int x, int y) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_TORCH;
  o.weight = 5;
  o.var1 = 50 + std::rand() % 50;  // turns of fuel once lit
  o.range = TORCH_LIGHT_RADIUS;
  copy_text(o.name, "TORCH");
  copy_text(o.description, "A lighty thing.");
  assign_icon(0, 0, k, 0);
  return k;
}

int create_food(int index, int z, int x, int y) {
  int k = open_ground_item(index, z, x, y);
  if (!k) return 0;
  object_record& o = object[k];
  o.type = ITEM_FOOD;
  o.weight = 5;
  o.var1 = 2 + std::rand() % 15;
  copy_text(o.name, "Some food.");
  copy_text(o.description, "Some");
  food_state(k);
  append_text(o.description, " food");
  assign_icon(0, 0, k, 0);
  return k;
}

// ---------------------------------------------------------------------------
// Picked plants: into the picker's hands
// ---------------------------------------------------------------------------

static int give_to_unit(int player, int u, const plain_item& p) {
  if (!unit_slot_valid(player, u)) return 0;
  int k = claim_slot(0);
  if (!k) return 0;
  object_record& o = object[k];
  o.status = OBJECT_CARRIED;
  o.owner_player = player;
  o.owner_unit = u;
  o.type = p.type;
  o.weight = p.weight;
  copy_text(o.name, p.name);
  copy_text(o.description, p.description);
  // Hands already full: the picked plant drops at the picker's feet.
  const unit_record& who = unit[player][u];
  if (carried_objects(player, u) > 9 && on_grid(who.z, who.x, who.y))
    place_on_ground(k, who.z, who.x, who.y);
  assign_icon(0, 0, k, 0);
  return k;
}

int create_mushrooms(int player, int u) {
  return give_to_unit(player, u, {ITEM_MUSHROOMS, "Some mushrooms", "Eat me", 1, 0, 0});
}

int create_herbs(int player, int u) {
  return give_to_unit(player, u, {ITEM_HERBS, "Magic Herbs", "They're magic", 1, 0, 0});
}

// ---------------------------------------------------------------------------
// Random finds
// ---------------------------------------------------------------------------

static int create_random_kind(int k, int z, int x, int y) {
  int roll = std::rand() % (QUEST_NO == 2 ? 12 : 10);
  switch (roll) {
    case 0:
      return create_weapon(k == 999 ? 0 : k, z, x, y);
    case 1:
      return create_armour(k, z, x, y);
    case 2:
      return create_potion(k, z, x, y);
    case 3:
      return create_magicitem(k, z, x, y);
    case 4:
      return create_key(k, z, x, y);
    case 5:
      return create_torch(k, z, x, y);
    case 6:
      // One fairy is light enough; a second would be wasted.
      if (carry_fairy(CURRENT_PLAYER, CURRENT_UNIT)) return create_gold(k, z, x, y);
      return create_fairy(k, z, x, y);
    case 7:
      return create_food(k, z, x, y);
    default:
      return create_gold(k, z, x, y);
  }
}

void create_random_object(int z, int x, int y) {
  if (!on_grid(z, x, y)) return;
  int k = first_free_object();
  if (!k) return;
  k = create_random_kind(k, z, x, y);
  if (!k) return;
  object_record& o = object[k];
  std::string text = std::string("You find ") + o.name;

  int c = map[z][x][y].scenery == SCENERY_CONTAINER ? which_container(z, x, y) : 0;
  if (c == 0) {
    message_box(text.c_str());
    return;
  }
  o.owner_player = OWNER_CONTAINER;
  o.owner_unit = c;
  o.status = OBJECT_CARRIED;
  o.x = o.y = o.z = 0;
  if (map[z][x][y].object_count > 0) map[z][x][y].object_count--;
}

void create_container_contents(int count, int c) {
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  const container_record& k = container[c];
  for (int i = 0; i < count; i++) create_random_object(k.z, k.x, k.y);
}

std::string scramble_word(const char* text) {
  std::size_t length = text ? std::strlen(text) : 0;
  std::string word;
  word += static_cast<char>('A' + std::rand() % 26);
  for (std::size_t i = 0; i < length; i++) word += static_cast<char>('a' + std::rand() % 26);
  return word;
}
