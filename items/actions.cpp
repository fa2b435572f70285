// What units do with items.  Every action checks the unit and the item's
// place first and changes nothing when either is wrong, so a stale index from
// a menu or a creature's plan can never move an item it should not.
#include "items/actions.h"

#include <cstdio>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "items/destroy.h"
#include "items/inventory.h"
#include "core/replay.h"

namespace {

constexpr int MAX_HELD = 9;
constexpr int MAX_ON_SQUARE = 9;

constexpr int TAKE_COST = 25;
constexpr int GIVE_COST = 10;
constexpr int PACK_COST = 25;
constexpr int WEAR_COST = 35;
constexpr int WIELD_COST = 15;
constexpr int UNWIELD_COST = 5;

// Boots whose var1 is this only guard against fire; they add no pace.
constexpr int SALAMANDER_BOOTS = 99;

// Thresholds of wits: below them a creature does not know how.
constexpr int WITS_TO_TAKE = 9;    // more than this
constexpr int WITS_TO_WIELD = 19;  // more than this
constexpr int WITS_TO_WEAR = 25;   // at least this

bool object_valid(int k) { return k >= 1 && k < OBJECT_SLOTS && object[k].status != OBJECT_FREE; }

bool unit_valid(int player, int u) {
  return player >= 1 && unit_slot_valid(player, u) && u >= 1 && unit[player][u].status != UNIT_FREE;
}

bool owns(int k, int player, int u) {
  return object[k].owner_player == player && object[k].owner_unit == u;
}

bool is_acting(int player, int u) { return player == CURRENT_PLAYER && u == CURRENT_UNIT; }

void tell(bool told, const std::string& text) {
  if (told) message_box(text.c_str());
}

void raise_count(int z, int x, int y) {
  if (on_grid(z, x, y)) map[z][x][y].object_count++;
}

void lower_count(int z, int x, int y) {
  if (on_grid(z, x, y) && map[z][x][y].object_count > 0) map[z][x][y].object_count--;
}

void put_on_ground(object_record& o, int z, int x, int y) {
  o.status = OBJECT_ON_GROUND;
  o.owner_player = o.owner_unit = 0;
  o.x = x;
  o.y = y;
  o.z = z;
  raise_count(z, x, y);
}

void hand_to(object_record& o, int player, int u) {
  o.status = OBJECT_CARRIED;
  o.owner_player = player;
  o.owner_unit = u;
  o.x = o.y = o.z = 0;
}

// A weapon, a shield and a lit torch each take a hand; two are all there are.
bool hands_full_for_shield(int player, int u) {
  return carry_weapon(player, u) != 0 && carry_lit_torch(player, u) != 0;
}

bool hands_full_for_weapon(int player, int u) {
  return carry_lit_torch(player, u) != 0 && carry_shield(player, u) != 0;
}

const char* const NO_HANDS = "You don't have enough free hands to do that!";

// What a worn item adds: defence for armour, pace for boots.
void apply_wear_bonus(unit_record& me, const object_record& o, int sign) {
  if (o.var1 < 1) return;
  if (o.range != SLOT_FEET)
    me.defence += sign * o.var1;
  else if (o.var1 != SALAMANDER_BOOTS)
    me.movement += sign * o.var1;
}

}  // namespace

void get_item(int k, int player, int u) {
  recorded_command command("get_item", {k, player, u});
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  const bool told = is_acting(player, u);
  const int c = which_container(o.z, o.x, o.y);
  if (me.intelligence <= WITS_TO_TAKE) return;
  const bool underfoot = o.x == me.x && o.y == me.y && o.z == me.z;
  if (o.status != OBJECT_ON_GROUND || (!underfoot && c == 0)) {
    tell(told, "You can't get that!");
    return;
  }
  if (carried_objects(player, u) >= MAX_HELD) {
    tell(told, "You are holding too much to take that.");
    return;
  }
  tell(told, std::string("You get the ") + o.name);
  me.moves -= TAKE_COST + o.weight;
  me.movement -= o.weight;
  // The item's own square is the unit's, or the container's it lay at.
  const int z = o.z, x = o.x, y = o.y;
  hand_to(o, player, u);
  lower_count(z, x, y);
}

void get_all(int player, int u, int z, int x, int y) {
  recorded_command command("get_all", {player, u, z, x, y});
  if (!unit_valid(player, u) || !on_grid(z, x, y)) return;
  if (unit[player][u].intelligence <= WITS_TO_TAKE) return;
  message_box("You grab everything!");
  for (int i = 1; i < OBJECT_SLOTS && i < MAX_OBJECTS; i++) {
    const object_record& o = object[i];
    if (o.status == OBJECT_ON_GROUND && o.x == x && o.y == y && o.z == z) get_item(i, player, u);
  }
}

void drop_item(int k, int player, int u) {
  recorded_command command("drop_item", {k, player, u});
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  const bool told = is_acting(player, u);
  const bool in_hand =
      o.status == OBJECT_CARRIED || o.status == OBJECT_WIELDED || o.status == OBJECT_LIT;
  if (o.x != 0 || o.y != 0 || !in_hand || !owns(k, player, u)) {
    tell(told, "You need to remove this first!");
    return;
  }
  if (!on_grid(me.z, me.x, me.y)) return;
  map_cell& square = map[me.z][me.x][me.y];
  if (square.object_count >= MAX_ON_SQUARE) {
    tell(told, "There is only so much clutter you can drop here!!!");
    return;
  }
  if (o.type == ITEM_WEAPON && o.status == OBJECT_WIELDED) {
    me.damage = lowered_damage(me.damage, o.var1);
    me.ranged = 0;
  }
  tell(told, std::string("You drop the ") + o.name);
  me.moves -= o.weight;
  me.movement += o.weight;
  put_on_ground(o, me.z, me.x, me.y);
  if (square.scenery == SCENERY_QUICKSAND) {
    destroy_object(k);
    tell(told, "Item lost in quicksand!");
    return;
  }
  if (o.type == ITEM_TORCH) {
    tell(told, "Torch goes out!");
    assign_icon(0, 0, k, 0);
  }
}

void drop_all(int player, int u) {
  if (!unit_slot_valid(player, u) || player < 1 || u < 1) return;
  const unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y)) return;
  // A body may leave more than nine things on its square; that is allowed,
  // only the living are kept from cluttering a square.
  for (int i = 1; i < OBJECT_SLOTS && i < MAX_OBJECTS; i++) {
    object_record& o = object[i];
    if (o.status == OBJECT_FREE || !owns(i, player, u)) continue;
    put_on_ground(o, me.z, me.x, me.y);
    if (o.type == ITEM_TORCH) assign_icon(0, 0, i, 0);
  }
}

void give_item(int k, int from_player, int from_u, int to_player, int to_u) {
  recorded_command command("give_item", {k, from_player, from_u, to_player, to_u});
  if (!object_valid(k) || !unit_valid(from_player, from_u) || !unit_valid(to_player, to_u)) return;
  if (!owns(k, from_player, from_u)) return;
  object_record& o = object[k];
  UPDATE_MAP = 1;
  message_box((std::string("You give ") + o.name + " away.").c_str());
  o.owner_player = to_player;
  o.owner_unit = to_u;
  unit[from_player][from_u].moves -= GIVE_COST;
}

void store_item(int k, int z, int x, int y) {
  recorded_command command("store_item", {k, z, x, y});
  if (!object_valid(k) || !on_grid(z, x, y)) return;
  const int c = which_container(z, x, y);
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  object_record& o = object[k];
  // Only an item in hand goes in: a worn, wielded or lit one would leave its
  // bonus or its light with the unit.
  if (o.status != OBJECT_CARRIED || o.owner_player < 1 || o.owner_player == OWNER_CONTAINER) return;
  // A container filled past its size by a random find takes nothing more.
  if (container_held(c) >= container[c].capacity) {
    message_box(
        (std::string("You can't fit anymore into this ") + container[c].name + ".").c_str());
    return;
  }
  message_box((std::string("You store ") + o.name).c_str());
  o.status = OBJECT_CARRIED;
  o.x = o.y = o.z = 0;
  o.owner_player = OWNER_CONTAINER;
  o.owner_unit = c;
}

void pack_item(int k) {
  recorded_command command("pack_item", {k});
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  if (o.status != OBJECT_CARRIED || !owns(k, player, u)) return;
  const int pack = carry_backpack(player, u);
  if (pack == 0) return;
  if (packed_item(player, u) > object[pack].var1) {
    message_box("The backpack is full!");
    return;
  }
  message_box((std::string("You pack the ") + o.name).c_str());
  unit[player][u].moves -= PACK_COST;
  o.status = OBJECT_PACKED;
}

void unpack_item(int k) {
  recorded_command command("unpack_item", {k});
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  if (o.status != OBJECT_PACKED || !owns(k, player, u)) return;
  if (carried_objects(player, u) >= MAX_HELD) {
    message_box("You are holding to much to do that!");
    return;
  }
  message_box((std::string("You unpack the ") + o.name).c_str());
  unit[player][u].moves -= PACK_COST;
  o.status = OBJECT_CARRIED;
}

void wear_item(int k, int player, int u) {
  recorded_command command("wear_item", {k, player, u});
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  const bool told = player == CURRENT_PLAYER;
  if (me.intelligence < WITS_TO_WEAR) return;
  if (o.type == ITEM_WEARABLE && o.range == SLOT_SHIELD && hands_full_for_shield(player, u)) {
    tell(told, NO_HANDS);
    return;
  }
  if (o.status != OBJECT_CARRIED || !owns(k, player, u) || o.type != ITEM_WEARABLE) {
    tell(told, "You can't wear that!");
    return;
  }
  for (int i = 1; i < OBJECT_SLOTS && i < MAX_OBJECTS; i++) {
    const object_record& w = object[i];
    if (i != k && owns(i, player, u) && w.status == OBJECT_WORN && w.type == ITEM_WEARABLE &&
        w.range == o.range) {
      tell(told, "You are already wearing one of those.");
      return;
    }
  }
  tell(told, std::string("You wear the ") + o.name);
  me.moves -= WEAR_COST + o.weight / 2;
  me.movement += o.weight / 2;
  o.status = OBJECT_WORN;
  apply_wear_bonus(me, o, +1);
}

void remove_item(int k, int player, int u) {
  recorded_command command("remove_item", {k, player, u});
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  if (o.x != 0 || o.y != 0 || o.status != OBJECT_WORN || !owns(k, player, u)) {
    message_box("You can't remove that!");
    return;
  }
  if (o.range == SLOT_BACK && packed_item(player, u) > 0) {
    message_box("You can't take that off with stuff inside!");
    return;
  }
  message_box((std::string("You remove the ") + o.name).c_str());
  me.moves -= WEAR_COST + o.weight / 2;
  me.movement -= o.weight / 2;
  o.status = OBJECT_CARRIED;
  apply_wear_bonus(me, o, -1);
}

void equip_weapon(int k, int player, int u) {
  recorded_command command("equip_weapon", {k, player, u});
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  unit_record& me = unit[player][u];
  const bool told = player == CURRENT_PLAYER;
  if (me.intelligence <= WITS_TO_WIELD) {
    if (DEBUG_MODE > 0) std::printf("too stupid to use weapons!\n");
    return;
  }
  if (hands_full_for_weapon(player, u)) {
    tell(told, NO_HANDS);
    return;
  }
  // A packed weapon has to come out of the pack before it can be drawn.
  if (o.type != ITEM_WEAPON || !owns(k, player, u) || o.status == OBJECT_WIELDED ||
      o.status == OBJECT_PACKED) {
    tell(told, "You can't equip that!");
    return;
  }
  tell(told, std::string("You equip the ") + o.name);
  me.moves -= WIELD_COST;
  me.ranged = o.range;
  for (int i = 1; i < OBJECT_SLOTS && i < MAX_OBJECTS; i++) {
    object_record& w = object[i];
    if (i != k && owns(i, player, u) && w.type == ITEM_WEAPON && w.status == OBJECT_WIELDED) {
      w.status = OBJECT_CARRIED;
      me.damage = lowered_damage(me.damage, w.var1);
    }
  }
  o.status = OBJECT_WIELDED;
  // A poor weapon (a bonus below 0) lowers the damage too.
  me.damage = lowered_damage(me.damage, -o.var1);
}

void unequip_item(int k) {
  recorded_command command("unequip_item", {k});
  const int player = CURRENT_PLAYER, u = CURRENT_UNIT;
  if (!object_valid(k) || !unit_valid(player, u)) return;
  object_record& o = object[k];
  // Only what is wielded can be put away; anything else would take off a
  // bonus the unit never had.
  if (o.status != OBJECT_WIELDED || !owns(k, player, u)) return;
  unit_record& me = unit[player][u];
  message_box((std::string("You unequip the ") + o.name).c_str());
  me.moves -= UNWIELD_COST;
  me.ranged -= o.range;
  o.status = OBJECT_CARRIED;
  if (o.type == ITEM_WEAPON) me.damage = lowered_damage(me.damage, o.var1);
}
