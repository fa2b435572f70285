// Inventory queries over the object table.
#include "items/inventory.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/frontend.h"
#include "core/world.h"
#include "items/destroy.h"

// The scans cover slots 1 .. MAX_OBJECTS - 1, never past the table itself.
static int object_scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

// Items on the ground have owner 0 and 0, so no real unit is ever (0, 0).
static bool owned_by(const object_record& o, int player, int u) {
  return player >= 1 && u >= 1 && o.status != OBJECT_FREE && o.owner_player == player &&
         o.owner_unit == u;
}

// A unit slot that is free (or not a slot at all) holds nothing usable.
static bool unit_present(int player, int u) {
  return unit_slot_valid(player, u) && unit[player][u].status != UNIT_FREE;
}

// First item of the unit with this kind that is not packed.
static int first_unpacked(int player, int u, int type) {
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.type == type && o.status != OBJECT_PACKED) return i;
  }
  return 0;
}

// First wearable the unit wears in this slot.
static int first_worn(int player, int u, int slot) {
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.type == ITEM_WEARABLE && o.status == OBJECT_WORN &&
        o.range == slot)
      return i;
  }
  return 0;
}

int carry_key(int player, int u) { return first_unpacked(player, u, ITEM_KEY); }
int carry_fairy(int player, int u) { return first_unpacked(player, u, ITEM_FAIRY); }
int carry_rope(int player, int u) { return first_unpacked(player, u, ITEM_ROPE); }

int carry_weapon(int player, int u) {
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.type == ITEM_WEAPON && o.status == OBJECT_WIELDED) return i;
  }
  return 0;
}

int carry_armour(int player, int u) { return first_worn(player, u, SLOT_BODY); }
int carry_head(int player, int u) { return first_worn(player, u, SLOT_HEAD); }
int carry_legs(int player, int u) { return first_worn(player, u, SLOT_LEGS); }
int carry_arms(int player, int u) { return first_worn(player, u, SLOT_ARMS); }
int carry_feet(int player, int u) { return first_worn(player, u, SLOT_FEET); }
int carry_backpack(int player, int u) { return first_worn(player, u, SLOT_BACK); }
int carry_shield(int player, int u) { return first_worn(player, u, SLOT_SHIELD); }

int carry_torch(int player, int u) {
  if (!unit_present(player, u)) return 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.type == ITEM_TORCH && o.status != OBJECT_LIT &&
        o.status != OBJECT_PACKED)
      return i;
  }
  return 0;
}

int carry_lit_torch(int player, int u) {
  if (!unit_present(player, u)) return 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.type == ITEM_TORCH && o.status == OBJECT_LIT) return i;
  }
  return 0;
}

int carry_light(int player, int u) {
  if (!unit_present(player, u)) return 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (!owned_by(o, player, u)) continue;
    if (o.type == ITEM_TORCH && o.status == OBJECT_LIT) return i;
    if (o.type == ITEM_FAIRY && o.status == OBJECT_CARRIED) return i;
  }
  return 0;
}

int total_weight(int player, int u) {
  int total = 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (!owned_by(o, player, u)) continue;
    // Strapped on or stowed, a load sits better than one held in the hands.
    bool borne = o.status == OBJECT_WORN || o.status == OBJECT_WIELDED || o.status == OBJECT_PACKED;
    total += borne ? o.weight / 2 : o.weight;
  }
  return total;
}

int carried_objects(int player, int u) {
  int n = 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) &&
        (o.status == OBJECT_CARRIED || o.status == OBJECT_WORN || o.status == OBJECT_WIELDED))
      n++;
  }
  return n;
}

int packed_item(int player, int u) {
  int n = 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (owned_by(o, player, u) && o.status == OBJECT_PACKED) n++;
  }
  return n;
}


int container_held(int c) {
  if (c < 1 || c >= CONTAINER_SLOTS) return 0;
  int n = 0;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (o.owner_player == OWNER_CONTAINER && o.owner_unit == c && o.status == OBJECT_CARRIED) n++;
  }
  return n;
}

void list_items_in_containter(int c) {
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  const container_record& k = container[c];
  if (!on_grid(k.z, k.x, k.y)) return;  // nowhere to put the contents

  std::string text = std::string("In the ") + k.name + " there is ";
  bool any = false;
  for (int i = 1; i < object_scan_end(); i++) {
    object_record& o = object[i];
    if (o.owner_player != OWNER_CONTAINER || o.owner_unit != c || o.status != OBJECT_CARRIED)
      continue;
    text += o.name;
    text += ", ";
    o.owner_player = o.owner_unit = 0;
    o.status = OBJECT_ON_GROUND;
    o.x = k.x;
    o.y = k.y;
    o.z = k.z;
    map[k.z][k.x][k.y].object_count++;
    any = true;
  }
  if (!any) text += "nothing";
  text += ".";
  message_box(text.c_str());
}

void destroy_tile_objects(int z, int x, int y) {
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (o.status == OBJECT_ON_GROUND && o.z == z && o.x == x && o.y == y) destroy_object(i);
  }
}
