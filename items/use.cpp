// Using items, bashing and closing containers, and the inventory report.
#include "items/use.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/facing.h"
#include "core/frontend.h"
#include "core/world.h"
#include "items/destroy.h"
#include "items/inventory.h"
#include "items/look.h"
#include "core/replay.h"

namespace {

constexpr int WITS_TO_USE = 24;  // more than this
constexpr int DRINK_COST = 25;
constexpr int EAT_COST = 25;
constexpr int HERB_COST = 15;
constexpr int LIGHT_COST = 10;
constexpr int BASH_COST = 75;
// A meal does a starving body more good than a fed one.
constexpr int WELL_FED = 44;

bool object_valid(int k) { return k >= 1 && k < OBJECT_SLOTS && object[k].status != OBJECT_FREE; }

bool unit_valid(int player, int u) {
  return player >= 1 && unit_slot_valid(player, u) && u >= 1 && unit[player][u].status != UNIT_FREE;
}

bool owns(int k, int player, int u) {
  return object[k].owner_player == player && object[k].owner_unit == u;
}

void tell(bool told, const std::string& text) {
  if (told) message_box(text.c_str());
}

int health_ceiling() { return 150 - 15 * DIFFICULTY; }

// Healing never lifts health past the ceiling, nor lowers a health that
// already stands above it.
void heal(unit_record& me, int amount) {
  const int ceiling = health_ceiling();
  const int healed = me.health + amount;
  if (healed <= ceiling)
    me.health = healed;
  else
    me.health = std::max(me.health, ceiling);
}

int scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

void drink_potion(int k, int player, int u, bool told) {
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  tell(told, std::string("You drink ") + o.name);
  me.moves -= DRINK_COST;
  if (o.var1 > 0) {
    switch (o.range) {
      case 1:
        heal(me, o.var1);
        me.status = UNIT_NORMAL;
        break;
      case 2:
        me.moves += o.var1 + 15;
        break;
      case 3:
        me.defence += o.var1;
        break;
      default:
        break;
    }
  }
  destroy_object(k);
}

void eat_food(int k, int player, int u, bool told) {
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  tell(told, std::string("You use the ") + o.name);
  me.moves -= EAT_COST;
  heal(me, me.health > WELL_FED ? o.var1 / 2 : o.var1);
  destroy_object(k);
}

void eat_mushrooms(int k, int player, int u, bool told, int m) {
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  tell(told, std::string("You eat ") + o.name);
  me.moves -= EAT_COST;
  switch (m) {
    case 0:
      tell(told, "Errg they make you sick!");
      me.status = UNIT_POISONED;
      break;
    case 1:
      tell(told, "Hmmm you feel great!");
      heal(me, 15 + std::rand() % 15);
      me.status = UNIT_NORMAL;
      break;
    case 2:
      tell(told, "You skin turns blue!");
      me.defence += 1;
      me.status = UNIT_NORMAL;
      break;
    default:
      tell(told, "Nothing much happens!");
      break;
  }
  destroy_object(k);
}

void use_herbs(int k, int player, int u, bool told) {
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  tell(told, std::string("You use the ") + o.name);
  me.moves -= HERB_COST;
  tell(told, "Hmmm you feel wonderful!");
  me.health = health_ceiling();
  me.status = UNIT_NORMAL;
  destroy_object(k);
}

void light_torch(int k, int player, int u, bool told) {
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  if (carry_weapon(player, u) != 0 && carry_shield(player, u) != 0) {
    tell(told, "You don't have enough free hands to do that!");
    return;
  }
  if (carry_lit_torch(player, u) != 0) {
    tell(told, "You can only light one torch at a time!");
    return;
  }
  const int ahead = extra_facing(me.facing, player, u);
  if (ahead != SCENERY_FIRE && ahead != AHEAD_LAVA) {
    tell(told, "You need to be facing a fire, or something to light that!");
    return;
  }
  tell(told, std::string("You light the ") + o.name);
  me.moves -= LIGHT_COST;
  o.status = OBJECT_LIT;
  assign_icon(0, 0, k, 0);
}

// The coin words, by class; each bag's worth is its count times the factor.
const char* const COIN_WORDS[] = {" common ", " bronze ",   " silver ",
                                  " gold ",   " platinum ", " royal "};
const char* const COIN_KEYS[] = {"common", "bronze", "silver", "gold", "platinum", "royal"};
constexpr int COIN_FACTOR[] = {0, 1, 3, 10, 25, 100};

int coin_count(int cls, int worth) {
  if (cls == 0) return worth * 2;
  return worth / COIN_FACTOR[cls];
}

}  // namespace

void use_object(int k, int player, int u) {
  recorded_command command("use_object", {k, player, u});
  const int m = std::rand() % 4;
  if (!object_valid(k) || !unit_valid(player, u)) return;
  if (unit[player][u].intelligence <= WITS_TO_USE) return;
  if (!owns(k, player, u)) return;
  const bool told = player == CURRENT_PLAYER;
  object_record& o = object[k];
  switch (o.type) {
    case ITEM_GOLD:
      merge_bag(k);
      return;
    case ITEM_TORCH:
      if (o.status == OBJECT_LIT) {
        tell(told, "You extinguish the torch!");
        o.status = OBJECT_CARRIED;
        assign_icon(0, 0, k, 0);
      } else {
        light_torch(k, player, u, told);
      }
      return;
    case ITEM_POTION:
      drink_potion(k, player, u, told);
      return;
    case ITEM_FOOD:
      eat_food(k, player, u, told);
      return;
    case ITEM_MUSHROOMS:
      eat_mushrooms(k, player, u, told, m);
      return;
    case ITEM_HERBS:
      use_herbs(k, player, u, told);
      return;
    default:
      tell(told, "You can't use that!");
      return;
  }
}

int florin_ret(int k) {
  if (k < 1 || k >= OBJECT_SLOTS) return 0;
  const std::string text = object[k].description;
  for (int cls = 0; cls < 6; cls++)
    if (text.find(COIN_KEYS[cls]) != std::string::npos) return cls;
  return 0;
}

void merge_bag(int k) {
  recorded_command command("merge_bag", {k});
  if (!object_valid(k) || object[k].type != ITEM_GOLD) return;
  const int cls = florin_ret(k);
  int other = 0;
  for (int i = 1; i < scan_end() && other == 0; i++) {
    const object_record& o = object[i];
    if (i != k && o.type == ITEM_GOLD && o.status == OBJECT_CARRIED &&
        o.owner_player == CURRENT_PLAYER && o.owner_unit == CURRENT_UNIT && florin_ret(i) == cls)
      other = i;
  }
  if (other == 0) {
    message_box("You have only one bag of that type florin!");
    return;
  }
  message_box("Bag match!");
  message_box("You merge two bags of the same florins");
  object_record& bag = object[k];
  bag.weight += object[other].weight;
  bag.worth += object[other].worth;
  destroy_object(other);
  char text[OBJECT_DESCRIPTION_SIZE];
  std::snprintf(text, sizeof text, "%d%sflorins in a bag.", coin_count(cls, bag.worth),
                COIN_WORDS[cls]);
  copy_text(bag.description, text);
}

void bash_container(int z, int x, int y, int player, int u) {
  recorded_command command("bash_container", {z, x, y, player, u});
  if (!on_grid(z, x, y) || !unit_valid(player, u)) return;
  const int c = which_container(z, x, y);
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  container_record& box = container[c];
  unit_record& me = unit[player][u];
  const int w = carry_weapon(player, u);
  std::string text = std::string("You strike the ") + box.name + " with ";
  if (w == 0) {
    message_box((text + "your fists and feets.").c_str());
    message_box("However your kicks and punches are ineffectual!");
    return;
  }
  const object_record& weapon = object[w];
  int blow = me.strength * (weapon.var1 + (weapon.var1 >= 1 ? std::rand() % weapon.var1 : 0));
  int k = 1;
  if (me.moves > (me.movement / 10) * 5) {
    k = 2;
    text += "a heavy blow from ";
  }
  if (me.moves > (me.movement / 10) * 9) {
    k = 3;
    text = std::string("You strike the ") + box.name + " with a mighy blow from ";
  }
  text += weapon.name;
  message_box(text.c_str());
  // A container of no strength at all still takes the blow whole.
  blow = blow * k / std::max(1, box.strength);
  box.health -= blow;
  me.moves -= BASH_COST;
  if (box.health < 1) {
    message_box((std::string("You smash the ") + box.name + ".").c_str());
    map[z][x][y].scenery = SCENERY_NONE;
    list_items_in_containter(c);
    destroy_container(c);
    map[z][x][y].passable = 1;
  }
}

void close_container(int c) {
  recorded_command command("close_container", {c});
  if (c < 1 || c >= CONTAINER_SLOTS || container[c].state == CONTAINER_FREE) return;
  container_record& box = container[c];
  box.state = CONTAINER_CLOSED;
  if (unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT))
    box.facing = opposite_direction(unit[CURRENT_PLAYER][CURRENT_UNIT].facing);
  // Whatever lay at the container is swept inside, even past its capacity:
  // nothing is left lying under a closed lid.
  for (int i = 1; i < scan_end(); i++) {
    object_record& o = object[i];
    if (o.status != OBJECT_ON_GROUND || o.x != box.x || o.y != box.y || o.z != box.z) continue;
    if (on_grid(o.z, o.x, o.y) && map[o.z][o.x][o.y].object_count > 0)
      map[o.z][o.x][o.y].object_count--;
    o.status = OBJECT_CARRIED;
    o.x = o.y = o.z = 0;
    o.owner_player = OWNER_CONTAINER;
    o.owner_unit = c;
  }
  message_box((std::string("You close the ") + box.name + ".").c_str());
}

// The report comes in pieces: the first after three items, then one every two
// items, so no line of the message panel has to hold the whole list.
void inventory() {
  UPDATE_MAP = 1;
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  std::string text = "You have ";
  int listed = 0, in_piece = 0;
  bool shown_first = false;
  for (int i = 1; i < scan_end(); i++) {
    const object_record& o = object[i];
    if (o.status == OBJECT_FREE || !owns(i, player, u)) continue;
    text += o.name;
    text += status_mark(o.status);
    text += ", ";
    listed++;
    in_piece++;
    if (listed == 3 || (listed > 3 && in_piece == 2)) {
      message_box(text.c_str());
      shown_first = true;
      text = "  ";
      in_piece = 0;
    }
  }
  if (!shown_first || in_piece > 0) message_box(text.c_str());
  if (listed == 0) message_box("Nothing");
}
